#include "layout/designer/dialogs/TextDialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

#include "layout/LayoutQt.h"
#include "layout/TGMultiLineLabel.h"
#include "layout/TGPLabel.h"
#include "layout/designer/dialogs/DialogParts.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

// ---- TGetLabelText ----

TGetLabelText::TGetLabelText(QWidget* parent) : QDialog(parent)
{
    setObjectName("TGetLabelText");
    setWindowTitle("Text");
    auto* prompt = new QLabel("Enter Text", this);
    LabelText = new QLineEdit(this);
    LabelText->setObjectName("LabelText");
    prompt->setBuddy(LabelText);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(LabelText);
    auto* row = new QHBoxLayout;
    AddDialogButtons(this, row, "Text");
    layout->addLayout(row);
    InstallWhatsThis(this, {{"LabelText", "The text the element shows."},
                            {"OkButton", "Puts the text in the element."},
                            {"CancelButton", "Closes the window and leaves the element as it was."},
                            {"HelpButton", "Shows the help on text elements."}});
    resize(360, sizeHint().height());
    CentreForm(this);
}

void TGetLabelText::SetText(const std::string& text)
{
    LabelText->setText(ToQString(text));
    LabelText->selectAll();
}

std::string TGetLabelText::Text() const
{
    return FromQString(LabelText->text());
}

bool TGetLabelText::EditText(TGPLabel& label, QWidget* parent)
{
    TGetLabelText dialog(parent);
    dialog.SetText(label.Caption());
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return false;
    label.SetCaption(dialog.Text());
    label.MarkLayoutDirty();
    label.FitToText();
    return true;
}

// ---- TMultiLineTextEditor ----

TMultiLineTextEditor::TMultiLineTextEditor(QWidget* parent) : QDialog(parent)
{
    setObjectName("TMultiLineTextEditor");
    setWindowTitle("Multi-line Text Editor");
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName("Memo");
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo, 1);
    auto* row = new QHBoxLayout;
    AddDialogButtons(this, row, "Multi-line Text");
    layout->addLayout(row);
    connect(Memo, &QPlainTextEdit::textChanged, this, &TMultiLineTextEditor::MemoTextChanged);
    InstallWhatsThis(this, {{"Memo", "The lines of the element; press Enter to start a new line."},
                            {"OkButton", "Puts the lines in the element."},
                            {"CancelButton", "Closes the window and leaves the element as it was."},
                            {"HelpButton", "Shows the help on multi-line text elements."}});
    resize(420, 260);
    CentreForm(this);
}

void TMultiLineTextEditor::SetLines(const std::vector<std::string>& lines)
{
    QStringList text;
    for (const std::string& line : lines)
        text << ToQString(line);
    Memo->setPlainText(text.join('\n'));
}

std::vector<std::string> TMultiLineTextEditor::Lines() const
{
    std::vector<std::string> lines;
    const QString text = Memo->toPlainText();
    if (text.isEmpty())
        return lines;
    for (const QString& line : text.split('\n'))
        lines.push_back(FromQString(line));
    return lines;
}

void TMultiLineTextEditor::SetEditorFont(const TGFont& font, double pixelsPerInch)
{
    Memo->setFont(ToQFont(font, pixelsPerInch));
}

void TMultiLineTextEditor::MemoTextChanged()
{
    // The box holds at most MaxCharacters (line breaks count as the two characters they are on
    // disk); whatever goes past is cut off at the end.
    const QString text = Memo->toPlainText();
    const int breaks = static_cast<int>(text.count('\n'));
    const int length = static_cast<int>(text.size()) + breaks;
    if (length <= MaxCharacters)
        return;
    int keep = static_cast<int>(text.size());
    int counted = length;
    while (keep > 0 && counted > MaxCharacters) {
        counted -= text[keep - 1] == '\n' ? 2 : 1;
        --keep;
    }
    const QSignalBlocker blocker(Memo);
    Memo->setPlainText(text.left(keep));
    Memo->moveCursor(QTextCursor::End);
}

bool TMultiLineTextEditor::EditLines(TGMultiLineLabel& label, QWidget* parent)
{
    TMultiLineTextEditor dialog(parent);
    dialog.SetEditorFont(label.Font(), label.PixelsPerInch());
    dialog.SetLines(label.Items());
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return false;
    label.SetItems(dialog.Lines());
    if (label.WordWrap())
        label.Rewrap();
    label.NotifyChanged();
    return true;
}

} // namespace corvane
