#pragma once
// The editor's paragraph dialog ("Paragraph"): alignment, left, right and first-line indents in
// inches, space before and after in points, and line spacing, for the paragraphs of the selection.

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QTextEdit;

namespace corvane {

class ParagraphDialog : public QDialog {
    Q_OBJECT
  public:
    ParagraphDialog(QTextEdit& editor, QWidget* parent = nullptr);
    // Applies the values to the editor's selected paragraphs (Ok does this, then closes).
    void ApplyToEditor();
    void accept() override;

    QComboBox* AlignmentList;
    QDoubleSpinBox* LeftIndent;
    QDoubleSpinBox* RightIndent;
    QDoubleSpinBox* FirstIndent;
    QDoubleSpinBox* SpaceBefore;
    QDoubleSpinBox* SpaceAfter;
    QComboBox* LineSpacingList;

  private:
    QTextEdit& FEditor;
};

} // namespace corvane
