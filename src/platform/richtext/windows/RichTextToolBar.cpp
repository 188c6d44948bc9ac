#include "platform/richtext/windows/RichTextToolBar.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QTextCursor>
#include <QTextEdit>

namespace corvane {

namespace {

QAction* Toggle(QToolBar* bar, const QString& name, const QString& text, const QString& hint, bool checkable)
{
    QAction* action = bar->addAction(text);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setCheckable(checkable);
    return action;
}

} // namespace

RichTextToolBar::RichTextToolBar(QTextEdit& editor, QWidget* parent) : QToolBar(parent), FEditor(editor)
{
    setObjectName("RichTextToolBar");
    FontList = new QFontComboBox(this);
    FontList->setObjectName("FontList");
    FontList->setToolTip("Font");
    addWidget(FontList);
    SizeList = new QComboBox(this);
    SizeList->setObjectName("SizeList");
    SizeList->setToolTip("Font Size");
    SizeList->setEditable(true);
    for (int size : {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        SizeList->addItem(QString::number(size));
    addWidget(SizeList);
    TextColorAction = Toggle(this, "TextColorAction", "A", "Text Color", false);
    BackgroundColorAction = Toggle(this, "BackgroundColorAction", "Bg", "Background Color", false);
    addSeparator();
    NormalAction = Toggle(this, "NormalAction", "N", "Normal", false);
    BoldAction = Toggle(this, "BoldAction", "B", "Bold", true);
    ItalicAction = Toggle(this, "ItalicAction", "I", "Italic", true);
    UnderlineAction = Toggle(this, "UnderlineAction", "U", "Underline", true);
    addSeparator();
    LeftAction = Toggle(this, "LeftAction", "Left", "Align Left", true);
    RightAction = Toggle(this, "RightAction", "Right", "Align Right", true);
    JustifyAction = Toggle(this, "JustifyAction", "Justify", "Justify", true);
    CenterAction = Toggle(this, "CenterAction", "Center", "Center", true);
    addSeparator();
    CopyAction = Toggle(this, "CopyAction", "Copy", "Copy", false);
    CutAction = Toggle(this, "CutAction", "Cut", "Cut", false);
    PasteAction = Toggle(this, "PasteAction", "Paste", "Paste", false);

    connect(FontList, &QFontComboBox::textActivated, this, [this](const QString& family) {
        QTextCharFormat format;
        format.setFontFamilies(QStringList{family});
        Apply(format);
    });
    connect(SizeList, &QComboBox::textActivated, this, [this](const QString& text) {
        bool ok = false;
        const double size = text.toDouble(&ok);
        if (!ok || size < 1)
            return;
        QTextCharFormat format;
        format.setFontPointSize(size);
        Apply(format);
    });
    connect(TextColorAction, &QAction::triggered, this, [this] {
        const QColor color = QColorDialog::getColor(FEditor.textColor(), this, "Text Color");
        if (!color.isValid())
            return;
        QTextCharFormat format;
        format.setForeground(color);
        Apply(format);
    });
    connect(BackgroundColorAction, &QAction::triggered, this, [this] {
        const QColor color = QColorDialog::getColor(Qt::white, this, "Background Color");
        if (!color.isValid())
            return;
        QTextCharFormat format;
        format.setBackground(color);
        Apply(format);
    });
    connect(NormalAction, &QAction::triggered, this, [this] {
        QTextCharFormat format;
        format.setFontWeight(QFont::Normal);
        format.setFontItalic(false);
        format.setFontUnderline(false);
        Apply(format);
    });
    connect(BoldAction, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        Apply(format);
    });
    connect(ItalicAction, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        Apply(format);
    });
    connect(UnderlineAction, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        Apply(format);
    });
    connect(LeftAction, &QAction::triggered, this, [this] { Align(Qt::AlignLeft | Qt::AlignAbsolute); });
    connect(RightAction, &QAction::triggered, this, [this] { Align(Qt::AlignRight | Qt::AlignAbsolute); });
    connect(JustifyAction, &QAction::triggered, this, [this] { Align(Qt::AlignJustify); });
    connect(CenterAction, &QAction::triggered, this, [this] { Align(Qt::AlignHCenter); });
    connect(CopyAction, &QAction::triggered, &FEditor, &QTextEdit::copy);
    connect(CutAction, &QAction::triggered, &FEditor, &QTextEdit::cut);
    connect(PasteAction, &QAction::triggered, &FEditor, &QTextEdit::paste);
    connect(&FEditor, &QTextEdit::cursorPositionChanged, this, &RichTextToolBar::FollowCaret);
    connect(&FEditor, &QTextEdit::currentCharFormatChanged, this, &RichTextToolBar::FollowCaret);
    FollowCaret();
}

void RichTextToolBar::Apply(const QTextCharFormat& format)
{
    QTextCursor cursor = FEditor.textCursor();
    cursor.mergeCharFormat(format);
    FEditor.mergeCurrentCharFormat(format);
    FEditor.setFocus();
    FollowCaret();
}

void RichTextToolBar::Align(Qt::Alignment alignment)
{
    FEditor.setAlignment(alignment);
    FEditor.setFocus();
    FollowCaret();
}

void RichTextToolBar::FollowCaret()
{
    const QTextCharFormat format = FEditor.currentCharFormat();
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty())
        FontList->setCurrentFont(QFont(families.first()));
    if (format.fontPointSize() > 0)
        SizeList->setEditText(QString::number(format.fontPointSize()));
    BoldAction->setChecked(format.fontWeight() > QFont::Medium);
    ItalicAction->setChecked(format.fontItalic());
    UnderlineAction->setChecked(format.fontUnderline());
    const Qt::Alignment alignment = FEditor.alignment() & Qt::AlignHorizontal_Mask;
    JustifyAction->setChecked(alignment & Qt::AlignJustify);
    CenterAction->setChecked(alignment & Qt::AlignHCenter);
    RightAction->setChecked((alignment & Qt::AlignRight) && !(alignment & Qt::AlignJustify));
    LeftAction->setChecked(!JustifyAction->isChecked() && !CenterAction->isChecked() &&
                           !RightAction->isChecked());
}

} // namespace corvane
