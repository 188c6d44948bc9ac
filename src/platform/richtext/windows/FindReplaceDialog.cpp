#include "platform/richtext/windows/FindReplaceDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/richtext/TextReplace.h"

namespace corvane {

FindReplaceDialog::FindReplaceDialog(QTextEdit& editor, Mode mode, QWidget* parent)
    : QDialog(parent), ReplaceText(nullptr), ReplaceButton(nullptr), ReplaceAllButton(nullptr),
      FEditor(editor)
{
    const bool replacing = mode == Mode::Replace;
    setObjectName(replacing ? "ReplaceDialog" : "FindDialog");
    setWindowTitle(replacing ? "Replace" : "Find");
    auto* layout = new QHBoxLayout(this);
    auto* fields = new QFormLayout;
    FindText = new QLineEdit(this);
    FindText->setObjectName("FindText");
    fields->addRow("Fi&nd what:", FindText);
    if (replacing) {
        ReplaceText = new QLineEdit(this);
        ReplaceText->setObjectName("ReplaceText");
        fields->addRow("Re&place with:", ReplaceText);
    }
    MatchCaseCheck = new QCheckBox("Match &case", this);
    MatchCaseCheck->setObjectName("MatchCaseCheck");
    WholeWordCheck = new QCheckBox("Match &whole word only", this);
    WholeWordCheck->setObjectName("WholeWordCheck");
    fields->addRow(WholeWordCheck);
    fields->addRow(MatchCaseCheck);
    layout->addLayout(fields);
    auto* buttons = new QVBoxLayout;
    FindNextButton = new QPushButton("&Find Next", this);
    FindNextButton->setObjectName("FindNextButton");
    FindNextButton->setDefault(true);
    buttons->addWidget(FindNextButton);
    if (replacing) {
        ReplaceButton = new QPushButton("&Replace", this);
        ReplaceButton->setObjectName("ReplaceButton");
        ReplaceAllButton = new QPushButton("Replace &All", this);
        ReplaceAllButton->setObjectName("ReplaceAllButton");
        buttons->addWidget(ReplaceButton);
        buttons->addWidget(ReplaceAllButton);
        connect(ReplaceButton, &QPushButton::clicked, this, &FindReplaceDialog::ReplaceClick);
        connect(ReplaceAllButton, &QPushButton::clicked, this, [this] { ReplaceAllClick(); });
    }
    CloseButton = new QPushButton("Close", this);
    CloseButton->setObjectName("CloseButton");
    buttons->addWidget(CloseButton);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(FindNextButton, &QPushButton::clicked, this, [this] { FindNextClick(); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    const QString selected = FEditor.textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        FindText->setText(selected);
}

QTextDocument::FindFlags FindReplaceDialog::Flags() const
{
    QTextDocument::FindFlags flags;
    if (MatchCaseCheck->isChecked())
        flags |= QTextDocument::FindCaseSensitively;
    if (WholeWordCheck->isChecked())
        flags |= QTextDocument::FindWholeWords;
    return flags;
}

bool FindReplaceDialog::FindNextClick()
{
    const QString text = FindText->text();
    if (text.isEmpty())
        return false;
    QTextDocument* document = FEditor.document();
    QTextCursor found = document->find(text, FEditor.textCursor(), Flags());
    if (found.isNull())
        found = document->find(text, 0, Flags());
    if (found.isNull()) {
        ShowInfo(SearchTextNotFoundMessage);
        return false;
    }
    FEditor.setTextCursor(found);
    return true;
}

void FindReplaceDialog::ReplaceClick()
{
    if (!ReplaceText)
        return;
    QTextCursor cursor = FEditor.textCursor();
    const Qt::CaseSensitivity sensitivity =
        MatchCaseCheck->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (cursor.hasSelection() && cursor.selectedText().compare(FindText->text(), sensitivity) == 0) {
        cursor.insertText(ReplaceText->text());
        FEditor.setTextCursor(cursor);
    }
    FindNextClick();
}

int FindReplaceDialog::ReplaceAllClick()
{
    if (!ReplaceText)
        return 0;
    QTextCursor edit = FEditor.textCursor();
    edit.beginEditBlock();
    const int replaced = ReplaceAllText(*FEditor.document(), FindText->text(), ReplaceText->text(), Flags());
    edit.endEditBlock();
    if (replaced == 0)
        ShowInfo(SearchTextNotFoundMessage);
    return replaced;
}

} // namespace corvane
