#pragma once
// The selection overlay of a design panel: a transparent child widget laid over the selected
// elements (the panel model's PanelSelection gives its bounds) that catches the mouse for them.
// A press on it starts a drag, which moves the selection or, with exactly one element selected and
// the press on one of the eight grips, resizes it; the outline follows the mouse and the elements
// move once, on release. Presses that are not the handle's go on to the panel. The selection marks
// and the drag outline are painted by the panel, under this transparent widget.

#include <QColor>
#include <QPoint>
#include <QWidget>

#include <cstdint>

#include "layout/DesignGeometry.h"

namespace corvane {

class PanelSelection;
class TGDesignPanel;
class TGGraphicControl;

class TGHandle : public QWidget {
    Q_OBJECT

  public:
    explicit TGHandle(TGDesignPanel& panel);

    PanelSelection& Selection() const;

    // Colour of the marks with one element selected, and with several.
    QColor Color() const { return FColor; }
    void SetColor(const QColor& color) { FColor = color; }
    QColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(const QColor& color) { FSecondaryColor = color; }

    // Adds an element to the selection as a press on it does: the press time is remembered and the
    // handle takes the mouse, so that holding the button and moving drags the element at once.
    void Select(TGGraphicControl& element);

    // The mouse protocol in handle coordinates (the panel forwards moves and releases while the
    // handle holds the mouse).
    void Press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& at,
               const QPoint& global);
    void Move(Qt::MouseButtons buttons, const QPoint& at);
    void Release(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& at);
    void DoubleClick(const QPoint& at, const QPoint& global);

    // Whether the handle holds the mouse (from a press on it or a selecting press on an element
    // until the release).
    bool Captured() const { return FCaptured; }
    bool Dragging() const { return FDragging; }
    Grip CurrentGrip() const { return FGrip; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    QPoint ToPanel(const QPoint& at) const;
    QPoint Clamped(const QPoint& at) const;
    // The selected element under a panel point, with a 2-pixel margin (nullptr: none).
    TGGraphicControl* SelectedAt(const QPoint& panelPoint) const;
    void ShowCursorFor(Grip grip);

    TGDesignPanel& FPanel;
    QColor FColor = Qt::black;
    QColor FSecondaryColor = QColor(0x80, 0x80, 0x80);
    bool FCaptured = false;
    bool FDragging = false;
    bool FDoubleClicked = false;
    bool FPressKnown = false;
    int64_t FPressTick = 0;
    QPoint FOrigin;
    Grip FGrip = Grip::Move;
};

} // namespace corvane
