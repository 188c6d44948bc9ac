#include "layout/designer/TGHandle.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

#include "layout/PanelSelection.h"
#include "layout/TGBasePanel.h"
#include "layout/TGGraphicControl.h"
#include "layout/designer/TGDesignPanel.h"

namespace corvane {

namespace {

Qt::CursorShape ShapeOf(GripCursor cursor)
{
    switch (cursor) {
    case GripCursor::DiagonalNwSe:
        return Qt::SizeFDiagCursor;
    case GripCursor::DiagonalNeSw:
        return Qt::SizeBDiagCursor;
    case GripCursor::Vertical:
        return Qt::SizeVerCursor;
    case GripCursor::Horizontal:
        return Qt::SizeHorCursor;
    case GripCursor::Grab:
        break;
    }
    return Qt::OpenHandCursor;
}

} // namespace

TGHandle::TGHandle(TGDesignPanel& panel) : QWidget(&panel), FPanel(panel)
{
    setObjectName("SelectionHandle");
    // Transparent: the panel paints the marks and the outline beneath it.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusProxy(&panel);
    setCursor(Qt::OpenHandCursor);
    hide();
    setEnabled(false);
}

PanelSelection& TGHandle::Selection() const
{
    return FPanel.Panel().Selection();
}

void TGHandle::Select(TGGraphicControl& element)
{
    if (element.Unselectable())
        return;
    FPressTick = FPanel.Ticks();
    FPressKnown = true;
    if (Selection().Contains(element))
        return;
    Selection().Select(element);
    FGrip = Grip::Move;
    FCaptured = true;
    raise();
}

QPoint TGHandle::ToPanel(const QPoint& at) const
{
    const PixelRect& bounds = Selection().HandleBounds();
    return at + QPoint(bounds.Left, bounds.Top);
}

QPoint TGHandle::Clamped(const QPoint& at) const
{
    const PixelRect& bounds = Selection().HandleBounds();
    const TGBasePanel& panel = FPanel.Panel();
    return {std::clamp(at.x(), -bounds.Left, std::max(-bounds.Left, panel.Width() - bounds.Left)),
            std::clamp(at.y(), -bounds.Top, std::max(-bounds.Top, panel.Height() - bounds.Top))};
}

TGGraphicControl* TGHandle::SelectedAt(const QPoint& p) const
{
    for (TGGraphicControl* e : Selection().Elements()) {
        if (p.x() >= e->Left() - 2 && p.x() < e->Left() + e->Width() + 2 && p.y() >= e->Top() - 2 &&
            p.y() < e->Top() + e->Height() + 2)
            return e;
    }
    return nullptr;
}

void TGHandle::ShowCursorFor(Grip grip)
{
    setCursor(ShapeOf(CursorOfGrip(grip)));
}

void TGHandle::Press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& at,
                     const QPoint& global)
{
    FPressTick = FPanel.Ticks();
    FPressKnown = true;
    const QPoint p = ToPanel(at);
    const bool pointing = FPanel.Panel().Pointing();
    if (pointing && (modifiers & Qt::ShiftModifier) && button != Qt::RightButton) {
        // A Shift press takes the elements under it out of the selection.
        FPanel.Panel().DeselectAt(p.x(), p.y());
        return;
    }
    if (pointing && button == Qt::LeftButton) {
        FCaptured = true;
        if (!Selection().Empty() && !Selection().Locked()) {
            FOrigin = at;
            FDragging = true;
            const PixelRect& b = Selection().HandleBounds();
            FGrip = Selection().Count() == 1 ? GripAt(at.x(), at.y(), b.Width, b.Height) : Grip::Move;
        }
        return;
    }
    if (button == Qt::RightButton) {
        TGGraphicControl* element = SelectedAt(p);
        FPanel.OpenMenu(element && Selection().Count() == 1 ? element : nullptr, global);
        return;
    }
    // Not pointing (a new element may be drawn over the selection) or the middle button.
    unsetCursor();
    FCaptured = true;
    FPanel.BackgroundPress(button, modifiers, p);
}

void TGHandle::Move(Qt::MouseButtons buttons, const QPoint& at)
{
    if (FDoubleClicked) {
        FDragging = false;
        FDoubleClicked = false;
    }
    if (!FPanel.Panel().Pointing()) {
        setCursor(Qt::DragCopyCursor);
        FPanel.BackgroundMove(ToPanel(at));
        return;
    }
    const bool leftHeld = buttons & Qt::LeftButton;
    if (leftHeld && !FDragging && !Selection().Locked()) {
        if (FPressKnown && FPanel.Ticks() - FPressTick > DragStartMilliseconds) {
            FOrigin = at;
            FDragging = true;
        }
        return;
    }
    if (!leftHeld)
        FCaptured = false;
    Grip grip = Grip::Move;
    if (Selection().Count() == 1) {
        const PixelRect& b = Selection().HandleBounds();
        grip = GripAt(at.x(), at.y(), b.Width, b.Height);
    }
    if (!FDragging || grip != Grip::Move)
        ShowCursorFor(grip);
    if (Selection().Locked())
        setCursor(Qt::ForbiddenCursor);
    if (FDragging) {
        const QPoint to = Clamped(at);
        const PixelRect bounds = Selection().DraggedBounds(FGrip, to.x() - FOrigin.x(), to.y() - FOrigin.y());
        const PixelRect outline = OutlineOfHandle(bounds);
        FPanel.SetFeedbackOutline(QRect(outline.Left, outline.Top, outline.Width, outline.Height));
    } else {
        FGrip = grip;
    }
}

void TGHandle::Release(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& at)
{
    QPoint to = at;
    if (FDragging && FPanel.Ticks() - FPressTick < QuickClickMilliseconds)
        FOrigin = to; // a quick click moves nothing
    FPressKnown = false;
    FCaptured = false;
    if (!FDragging || button != Qt::LeftButton) {
        FPanel.BackgroundRelease(button, modifiers, ToPanel(at));
        update();
        return;
    }
    to = Clamped(to);
    if (to != FOrigin) {
        const PixelRect bounds = Selection().DraggedBounds(FGrip, to.x() - FOrigin.x(), to.y() - FOrigin.y());
        Selection().ApplyHandleBounds(bounds);
    }
    FPanel.SetFeedbackOutline({});
    FDragging = false;
    FGrip = Grip::Move;
    unsetCursor();
    setCursor(Qt::OpenHandCursor);
    FPanel.SyncHandle();
}

void TGHandle::DoubleClick(const QPoint& at, const QPoint& global)
{
    FDoubleClicked = true;
    FDragging = false;
    FPanel.SetFeedbackOutline({});
    if (Selection().Count() > 1)
        return;
    if (TGGraphicControl* element = SelectedAt(ToPanel(at)))
        FPanel.OpenMenu(element, global);
}

void TGHandle::mousePressEvent(QMouseEvent* event)
{
    Press(event->button(), event->modifiers(), event->position().toPoint(),
          event->globalPosition().toPoint());
}

void TGHandle::mouseMoveEvent(QMouseEvent* event)
{
    Move(event->buttons(), event->position().toPoint());
}

void TGHandle::mouseReleaseEvent(QMouseEvent* event)
{
    Release(event->button(), event->modifiers(), event->position().toPoint());
}

void TGHandle::mouseDoubleClickEvent(QMouseEvent* event)
{
    DoubleClick(event->position().toPoint(), event->globalPosition().toPoint());
}

void TGHandle::keyPressEvent(QKeyEvent* event)
{
    if (!FPanel.HandleKeyPress(event))
        QWidget::keyPressEvent(event);
}

void TGHandle::keyReleaseEvent(QKeyEvent* event)
{
    if (!FPanel.HandleKeyRelease(event))
        QWidget::keyReleaseEvent(event);
}

} // namespace corvane
