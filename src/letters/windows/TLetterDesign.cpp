#include "letters/windows/TLetterDesign.h"

#include <fstream>
#include <sstream>

#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "letters/LetterStore.h"
#include "letters/LetterTokens.h"
#include "letters/windows/TRTFPreviewForm.h"
#include "letters/windows/TWPPageProp.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/Settings.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"
#include "platform/richtext/windows/FindReplaceDialog.h"
#include "platform/richtext/windows/ParagraphDialog.h"
#include "platform/richtext/windows/RichTextRuler.h"
#include "platform/richtext/windows/RichTextToolBar.h"
#include "platform/richtext/windows/SpellingDialog.h"
#include "platform/spelling/SpellChecker.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"
#include "session/ToolWindowView.h"

namespace corvane {

namespace {

constexpr const char* LetterSection = "Letter";

QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont FontOf(const DesignDefaultFont& font)
{
    QFont qfont(QString::fromStdString(font.Name), font.Size);
    qfont.setBold(font.Bold);
    qfont.setItalic(font.Italic);
    return qfont;
}

QTextCharFormat FormatOf(const DesignDefaultFont& font)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{QString::fromStdString(font.Name)});
    format.setFontPointSize(font.Size);
    format.setFontWeight(font.Bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.Italic);
    return format;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QBoxLayout* row)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    row->addWidget(button);
    return button;
}

} // namespace

TLetterDesign::TLetterDesign(const LetterDocument* letter, const QString& description,
                             const ToolWindowView* addresses, QWidget* parent)
    : QDialog(parent), FAddresses(addresses)
{
    setObjectName("TLetterDesign");
    setWindowTitle(Q(LetterDesignerCaption));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);
    resize(900, 700);

    Editor = new QTextEdit(this);
    Editor->setObjectName("Editor");
    Editor->setAcceptRichText(true);
    Editor->document()->setDocumentMargin(8);

    auto* layout = new QVBoxLayout(this);
    MenuBar = new QMenuBar(this);
    layout->setMenuBar(MenuBar);
    ToolBar = new RichTextToolBar(*Editor, this);
    layout->addWidget(ToolBar);
    auto* fieldRow = new QHBoxLayout;
    DescriptionEdit = new QLineEdit(this);
    DescriptionEdit->setObjectName("DescriptionEdit");
    DescriptionEdit->setMaxLength(static_cast<int>(LetterDescriptionLength));
    auto* descriptionLabel = new QLabel("&Description", this);
    descriptionLabel->setBuddy(DescriptionEdit);
    InsertFieldList = new QComboBox(this);
    InsertFieldList->setObjectName("InsertFieldList");
    for (std::string_view name : LetterTokenNames())
        InsertFieldList->addItem(Q(name));
    InsertFieldList->setCurrentIndex(0);
    auto* fieldLabel = new QLabel("&Insert field", this);
    fieldLabel->setBuddy(InsertFieldList);
    fieldRow->addWidget(descriptionLabel);
    fieldRow->addWidget(DescriptionEdit, 1);
    fieldRow->addWidget(fieldLabel);
    fieldRow->addWidget(InsertFieldList);
    layout->addLayout(fieldRow);
    Ruler = new RichTextRuler(*Editor, this);
    layout->addWidget(Ruler);
    layout->addWidget(Editor, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OkButton = Button(this, "OkButton", "Ok", buttons);
    CancelButton = Button(this, "CancelButton", "Cancel", buttons);
    PreviewButton = Button(this, "PreviewButton", "&Preview", buttons);
    HelpButton = Button(this, "HelpButton", "&Help", buttons);
    buttons->addWidget(CreateMouseHelpButton(this));
    layout->addLayout(buttons);
    InstallWhatsThis(
        this,
        {
            {"DescriptionEdit", "The name of the letter in the list of letters (up to 50 characters)."},
            {"InsertFieldList", "Inserts a merge field at the caret; it prints as the record's value, in the "
                                "format the field is written in."},
            {"Editor", "The letter. Fields in square brackets are replaced by each record's values."},
            {"Ruler",
             "Drag the markers to set the indents; click to set a tab, drag a tab off to remove it."},
            {"OkButton", "Keeps the letter and closes the designer."},
            {"CancelButton", "Closes the designer without keeping the changes."},
            {"PreviewButton", "Shows the letter merged with the current record."},
        });
    BuildMenus();

    // The editor: a new letter's page and default font first, then the letter's own.
    FDefaultFont = ReadDesignDefaultFont(Settings(), LetterSection);
    if (letter) {
        Editor->setDocument(letter->Document->clone(Editor));
        SetLayout(letter->Layout);
        DescriptionEdit->setText(description);
    } else {
        Editor->document()->setDefaultFont(FontOf(FDefaultFont));
        Editor->setCurrentCharFormat(FormatOf(FDefaultFont));
        SetLayout(PageLayoutTwips{});
        DescriptionEdit->setText(description.isEmpty() ? Q(UntitledLetterDescription) : description);
    }
    Editor->document()->setModified(false);
    FSpelling = SpellChecker::OpenSystem(ProgramDirectory() + std::string(UserDictionaryFileName));
    mnuSpellCheck->setEnabled(FSpelling != nullptr);
    RefreshDefaultFontCaption();
    ApplyWordWrap();

    connect(InsertFieldList, &QComboBox::activated, this, &TLetterDesign::InsertFieldListChange);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(PreviewButton, &QPushButton::clicked, this, &TLetterDesign::PreviewButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, [] { ShowHelpContext(HelpContext); });
    RestoreWindowPlacement(this);
}

TLetterDesign::~TLetterDesign()
{
    SaveWindowPlacement(this);
}

void TLetterDesign::BuildMenus()
{
    const auto item = [this](QMenu* menu, QAction*& action, const char* name, const QString& caption,
                             void (TLetterDesign::*handler)(), const QKeySequence& keys = {}) {
        action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
    };
    QMenu* file = MenuBar->addMenu("&File");
    item(file, mnuSaveAsRtf, "mnuSaveAsRtf", "&Save as RTF", &TLetterDesign::mnuSaveAsRtfClick);
    item(file, mnuLoadRtf, "mnuLoadRtf", "&Load RTF", &TLetterDesign::mnuLoadRtfClick);
    item(file, mnuInsertRtf, "mnuInsertRtf", "&Insert RTF", &TLetterDesign::mnuInsertRtfClick);
    QMenu* edit = MenuBar->addMenu("&Edit");
    item(edit, mnuFind, "mnuFind", "&Find", &TLetterDesign::mnuFindClick, QKeySequence("Ctrl+F"));
    item(edit, mnuReplace, "mnuReplace", "&Replace", &TLetterDesign::mnuReplaceClick, QKeySequence("Ctrl+R"));
    item(edit, mnuSpellCheck, "mnuSpellCheck", "&Spell Check", &TLetterDesign::mnuSpellCheckClick,
         QKeySequence("F7"));
    item(edit, mnuInsertPageBreak, "mnuInsertPageBreak", "&Insert Page Break",
         &TLetterDesign::mnuInsertPageBreakClick);
    QMenu* settings = MenuBar->addMenu("&Settings");
    item(settings, mnuParagraph, "mnuParagraph", "&Paragraph Settings", &TLetterDesign::mnuParagraphClick);
    item(settings, mnuPageSettings, "mnuPageSettings", "Pa&ge Settings",
         &TLetterDesign::mnuPageSettingsClick);
    item(settings, mnuWordWrap, "mnuWordWrap", "&Word Wrap is OFF", &TLetterDesign::mnuWordWrapClick);
    item(settings, mnuDefaultFont, "mnuDefaultFont", "&Default Font", &TLetterDesign::mnuDefaultFontClick);
}

LetterDocument TLetterDesign::Letter() const
{
    LetterDocument letter;
    letter.Document.reset(Editor->document()->clone());
    letter.Layout = FLayout;
    return letter;
}

QString TLetterDesign::Description() const
{
    return DescriptionEdit->text();
}

void TLetterDesign::SetLayout(const PageLayoutTwips& layout)
{
    FLayout = layout;
    Ruler->SetTextWidth(TwipsToUnits(FLayout.TextWidth()));
    ApplyWordWrap();
}

void TLetterDesign::ApplyWordWrap()
{
    // Off: lines break at the page's text width, as they print; on: at the window's width.
    if (FWordWrap) {
        Editor->setLineWrapMode(QTextEdit::WidgetWidth);
    } else {
        Editor->setLineWrapMode(QTextEdit::FixedPixelWidth);
        Editor->setLineWrapColumnOrWidth(
            static_cast<int>(TwipsToUnits(FLayout.TextWidth()) + 2 * Editor->document()->documentMargin()));
    }
    mnuWordWrap->setText(FWordWrap ? "&Word Wrap is ON" : "&Word Wrap is OFF");
}

void TLetterDesign::RefreshDefaultFontCaption()
{
    mnuDefaultFont->setText("&" + DefaultFontCaption(FDefaultFont));
}

void TLetterDesign::InsertFieldListChange(int index)
{
    if (index < 0)
        return;
    Editor->textCursor().insertText("[" + InsertFieldList->itemText(index) + "]");
    Editor->setFocus();
}

bool TLetterDesign::LoadRtfText(const std::string& rtf, bool insert)
{
    if (insert) {
        QTextCursor cursor = Editor->textCursor();
        if (Status read = RtfReader::Insert(rtf, cursor); !read) {
            ShowInfo(read.Message());
            return false;
        }
        return true;
    }
    auto letter = LoadLetter(rtf);
    if (!letter) {
        ShowInfo(letter.Message());
        return false;
    }
    Editor->setDocument(letter->Document->clone(Editor));
    Editor->document()->setDocumentMargin(8);
    SetLayout(letter->Layout);
    return true;
}

void TLetterDesign::mnuSaveAsRtfClick()
{
    const QString path = QFileDialog::getSaveFileName(this, "Save as RTF", QString(), "Rich Text (*.rtf)");
    if (path.isEmpty())
        return;
    const std::string rtf = RtfWriter::Write(*Editor->document(), FLayout);
    std::ofstream file(path.toStdString(), std::ios::binary | std::ios::trunc);
    file << rtf;
    file.flush();
    if (!file)
        ShowInfo("Cannot write " + path.toStdString());
}

void TLetterDesign::mnuLoadRtfClick()
{
    const QString path =
        QFileDialog::getOpenFileName(this, "Load RTF", QString(), "Rich Text (*.rtf);;All files (*)");
    if (path.isEmpty())
        return;
    std::ifstream file(path.toStdString(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    if (!file && !file.eof()) {
        ShowInfo("Cannot read " + path.toStdString());
        return;
    }
    (void)LoadRtfText(text.str(), false);
}

void TLetterDesign::mnuInsertRtfClick()
{
    const QString path =
        QFileDialog::getOpenFileName(this, "Insert RTF", QString(), "Rich Text (*.rtf);;All files (*)");
    if (path.isEmpty())
        return;
    std::ifstream file(path.toStdString(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    (void)LoadRtfText(text.str(), true);
}

void TLetterDesign::mnuFindClick()
{
    FindReplaceDialog dialog(*Editor, FindReplaceDialog::Mode::Find, this);
    dialog.exec();
}

void TLetterDesign::mnuReplaceClick()
{
    FindReplaceDialog dialog(*Editor, FindReplaceDialog::Mode::Replace, this);
    dialog.exec();
}

void TLetterDesign::mnuSpellCheckClick()
{
    if (!FSpelling)
        return;
    SpellingDialog dialog(*Editor, *FSpelling, this);
    if (dialog.NextWord())
        dialog.exec();
}

void TLetterDesign::mnuInsertPageBreakClick()
{
    if (!AskYesNo(std::string(PageBreakQuestion), std::string(PageBreakCaption)))
        return;
    QTextCursor cursor = Editor->textCursor();
    QTextBlockFormat format = cursor.blockFormat();
    format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(format);
    Editor->viewport()->update();
}

void TLetterDesign::mnuParagraphClick()
{
    ParagraphDialog dialog(*Editor, this);
    dialog.exec();
}

void TLetterDesign::mnuPageSettingsClick()
{
    TWPPageProp dialog(FLayout, this);
    if (dialog.exec() == QDialog::Accepted)
        SetLayout(dialog.Layout());
}

void TLetterDesign::mnuWordWrapClick()
{
    FWordWrap = !FWordWrap;
    ApplyWordWrap();
}

void TLetterDesign::mnuDefaultFontClick()
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, FontOf(FDefaultFont), this, "Default Font");
    if (ok) {
        FDefaultFont.Name = chosen.family().toStdString();
        FDefaultFont.Size = chosen.pointSize() > 0 ? chosen.pointSize() : FDefaultFont.Size;
        FDefaultFont.Bold = chosen.bold();
        FDefaultFont.Italic = chosen.italic();
        QTextCursor cursor = Editor->textCursor();
        cursor.mergeCharFormat(FormatOf(FDefaultFont));
        Editor->mergeCurrentCharFormat(FormatOf(FDefaultFont));
    }
    RefreshDefaultFontCaption();
    if (!WriteDesignDefaultFont(Settings(), LetterSection, FDefaultFont))
        ShowInfo("The default font could not be written to the settings file");
}

void TLetterDesign::PreviewButtonClick()
{
    if (!FAddresses)
        return;
    TRTFPreviewForm preview(Letter(), *FAddresses, this);
    preview.exec();
}

void TLetterDesign::closeEvent(QCloseEvent* event)
{
    // The close box keeps the letter, as Ok does.
    event->ignore();
    accept();
}

} // namespace corvane
