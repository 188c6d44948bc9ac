#pragma once
// The ruler over the rich-text editor, in inches: it shows the caret paragraph's left and right
// indents, its first-line indent and its tab stops, and lets the mouse change them: drag a marker
// to move it, click the ruler to set a left tab, drag a tab off the ruler to remove it.

#include <QWidget>

class QTextEdit;

namespace corvane {

class RichTextRuler : public QWidget {
    Q_OBJECT
  public:
    explicit RichTextRuler(QTextEdit& editor, QWidget* parent = nullptr);

    // The width of the text area in document units (the page less its margins).
    void SetTextWidth(double units);
    QSize sizeHint() const override;

    // What the mouse can hold, and the position of each in document units from the text's left edge.
    enum class Marker { None, Left, First, Right, Tab };
    double ToUnits(int x) const;
    int ToPixels(double units) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void Apply(double units, bool remove);
    QTextEdit& FEditor;
    double FTextWidth = 624;
    Marker FHeld = Marker::None;
    int FTabIndex = -1;
    double FDragUnits = 0;
    bool FDragOff = false;
};

} // namespace corvane
