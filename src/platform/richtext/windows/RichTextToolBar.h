#pragma once
// The formatting tool bar of the rich-text editor: font name (hint "Font"), font size from 6
// points (hint "Font Size"), text colour, background colour, normal, bold, italic, underline,
// left, right, justified and centred alignment, copy, cut and paste. It follows the caret of its
// editor and applies its choices to the selection (or the caret's next typing).

#include <QToolBar>

class QAction;
class QComboBox;
class QFontComboBox;
class QTextCharFormat;
class QTextEdit;

namespace corvane {

class RichTextToolBar : public QToolBar {
    Q_OBJECT
  public:
    explicit RichTextToolBar(QTextEdit& editor, QWidget* parent = nullptr);

    QFontComboBox* FontList;
    QComboBox* SizeList;
    QAction* TextColorAction;
    QAction* BackgroundColorAction;
    QAction* NormalAction;
    QAction* BoldAction;
    QAction* ItalicAction;
    QAction* UnderlineAction;
    QAction* LeftAction;
    QAction* RightAction;
    QAction* JustifyAction;
    QAction* CenterAction;
    QAction* CopyAction;
    QAction* CutAction;
    QAction* PasteAction;

    // Shows the format at the caret.
    void FollowCaret();

  private:
    void Apply(const QTextCharFormat& format);
    void Align(Qt::Alignment alignment);
    QTextEdit& FEditor;
};

} // namespace corvane
