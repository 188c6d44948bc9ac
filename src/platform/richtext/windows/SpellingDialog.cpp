#include "platform/richtext/windows/SpellingDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/richtext/TextReplace.h"
#include "platform/spelling/SpellChecker.h"

namespace corvane {

namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QVBoxLayout* column)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    column->addWidget(button);
    return button;
}

} // namespace

SpellingDialog::SpellingDialog(QTextEdit& editor, SpellChecker& checker, QWidget* parent)
    : QDialog(parent), FEditor(editor), FChecker(checker)
{
    setObjectName("SpellingDialog");
    setWindowTitle("Spelling");
    auto* layout = new QHBoxLayout(this);
    auto* form = new QFormLayout;
    NotInDictionary = new QLineEdit(this);
    NotInDictionary->setObjectName("NotInDictionary");
    NotInDictionary->setReadOnly(true);
    ChangeTo = new QLineEdit(this);
    ChangeTo->setObjectName("ChangeTo");
    SuggestionList = new QListWidget(this);
    SuggestionList->setObjectName("SuggestionList");
    form->addRow("Not in dictionary:", NotInDictionary);
    form->addRow("C&hange to:", ChangeTo);
    form->addRow("Suggestio&ns:", SuggestionList);
    layout->addLayout(form);
    auto* column = new QVBoxLayout;
    IgnoreButton = Button(this, "IgnoreButton", "&Ignore", column);
    IgnoreAllButton = Button(this, "IgnoreAllButton", "I&gnore All", column);
    ChangeButton = Button(this, "ChangeButton", "&Change", column);
    ChangeAllButton = Button(this, "ChangeAllButton", "Change A&ll", column);
    AddButton = Button(this, "AddButton", "&Add", column);
    CloseButton = Button(this, "CloseButton", "Close", column);
    column->addStretch();
    layout->addLayout(column);
    connect(IgnoreButton, &QPushButton::clicked, this, &SpellingDialog::IgnoreClick);
    connect(IgnoreAllButton, &QPushButton::clicked, this, &SpellingDialog::IgnoreAllClick);
    connect(ChangeButton, &QPushButton::clicked, this, &SpellingDialog::ChangeClick);
    connect(ChangeAllButton, &QPushButton::clicked, this, &SpellingDialog::ChangeAllClick);
    connect(AddButton, &QPushButton::clicked, this, &SpellingDialog::AddClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(SuggestionList, &QListWidget::currentTextChanged, ChangeTo, &QLineEdit::setText);
}

bool SpellingDialog::NextWord()
{
    QTextDocument* document = FEditor.document();
    for (QTextBlock block = document->findBlock(FPosition); block.isValid(); block = block.next()) {
        const int offset = std::max(0, FPosition - block.position());
        if (auto miss = FChecker.NextMisspelling(block.text(), offset)) {
            QTextCursor cursor(document);
            cursor.setPosition(block.position() + miss->Start);
            cursor.setPosition(block.position() + miss->End, QTextCursor::KeepAnchor);
            FEditor.setTextCursor(cursor);
            FPosition = block.position() + miss->End;
            NotInDictionary->setText(miss->Word);
            SuggestionList->clear();
            SuggestionList->addItems(FChecker.Suggestions(miss->Word));
            ChangeTo->setText(SuggestionList->count() > 0 ? SuggestionList->item(0)->text() : miss->Word);
            return true;
        }
        FPosition = block.position() + block.length();
    }
    NotInDictionary->clear();
    SuggestionList->clear();
    ShowInfo(SpellCheckCompleteMessage);
    return false;
}

void SpellingDialog::IgnoreClick()
{
    if (!NextWord())
        accept();
}

void SpellingDialog::IgnoreAllClick()
{
    FChecker.Ignore(NotInDictionary->text());
    IgnoreClick();
}

void SpellingDialog::ChangeClick()
{
    QTextCursor cursor = FEditor.textCursor();
    if (cursor.hasSelection()) {
        const int start = cursor.selectionStart();
        cursor.insertText(ChangeTo->text());
        FPosition = start + static_cast<int>(ChangeTo->text().size());
    }
    IgnoreClick();
}

void SpellingDialog::ChangeAllClick()
{
    const QString word = NotInDictionary->text();
    if (!word.isEmpty()) {
        const int start = FEditor.textCursor().selectionStart();
        ReplaceAllText(*FEditor.document(), word, ChangeTo->text(),
                       QTextDocument::FindCaseSensitively | QTextDocument::FindWholeWords);
        FPosition = start;
    }
    IgnoreClick();
}

void SpellingDialog::AddClick()
{
    if (Status added = FChecker.AddToUserWords(NotInDictionary->text()); !added)
        ShowInfo(added.Message());
    IgnoreClick();
}

} // namespace corvane
