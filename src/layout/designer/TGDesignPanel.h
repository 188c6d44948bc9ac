#pragma once
// The widget that shows and edits one design panel at its zoom: the white label with its outline,
// background pictures and grid, the elements drawn through their Paint, the selection handle
// (TGHandle) on top, and the mouse, keys and pop-up menus of editing. The editing itself (the
// selection, clipboard, alignment, locking and the geometry of drags and nudges) lives in the
// panel model and src/layout; this widget only wires input to it and shows the result.
//
// Ownership: the widget does NOT own the panel model. The window that embeds it keeps the
// ComponentOwner and the TGBasePanel (usually a TGLabelPanel) alive for the widget's lifetime.
// The widget takes over the model's ElementInvalidated, ElementBoundsChanged, LabelChangedObserver
// and Selection().Changed callbacks (to repaint, resync its handle and signal) and gives them back
// empty when destroyed; LabelChangedEvent and DroppedObjectEvent stay the window's to assign, and
// the labelChanged and droppedObject signals report the same.

#include <QImage>
#include <QMenu>
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "layout/ElementMenu.h"
#include "layout/PanelSelection.h"
#include "layout/TGLabelPanel.h"

class QKeyEvent;

namespace corvane {

class FieldCatalogue;
class TGBasePanel;
class TGGraphicControl;
class TGHandle;

class TGDesignPanel : public QWidget {
    Q_OBJECT

  public:
    // The widget is sized to the panel's Width() x Height() at its zoom; change the size and zoom
    // through the widget (SetDesignSize, SetSizeInInches, SetZoom) so that it follows.
    explicit TGDesignPanel(TGBasePanel& panel, QWidget* parent = nullptr);
    ~TGDesignPanel() override;

    TGBasePanel& Panel() const { return FPanel; }
    // The model as a label panel (tools, element factory); nullptr for other panels.
    TGLabelPanel* LabelPanel() const;
    TGHandle& Handle() const { return *FHandle; }
    PanelSelection& Selection() const;

    // Size of the label at zoom 1.0 in inches (rounded to the display's pixels per inch); the
    // widget resizes to that size times the zoom.
    void SetSizeInInches(double widthInches, double heightInches);
    // The same in pixels at zoom 1.0.
    void SetDesignSize(int32_t width, int32_t height);

    // Zoom as a factor (1.0 = real size) or in whole percent (100); the percent form is what tool
    // bars should use, so that stepping never drifts. Both raise zoomChanged when it changed.
    float Zoom() const;
    void SetZoom(float factor);
    int ZoomPercent() const;
    void SetZoomPercent(int percent);

    // Display switches (each repaints).
    void SetShowGrid(bool on);
    bool ShowGrid() const;
    // Snapping follows the panel's grid size (4 or 8 pixels).
    void SetSnapToGrid(bool on);
    bool SnapToGrid() const;
    void SetGridSize(TGridSize size);
    void SetDrawOutline(bool on);
    void SetShape(TLabelShape shape);
    // Record values (true) or field names in square brackets (false); data panels only.
    void SetDisplayDataValues(bool on);
    bool DisplayDataValues() const;

    // Background pictures stretched over the label, clipped to its shape: Picture first, then
    // ColorPicture over it. A null image removes one. The model's TGPicture properties are used
    // when no image was given here.
    void SetPicture(const QImage& image);
    void SetColorPicture(const QImage& image);

    // The current tool (label panels; nothing for others). Any tool but psPointing makes a drag
    // on the panel draw the rectangle of a new element.
    void SetTool(TPanelState state);
    TPanelState Tool() const;
    // The same by number, for any panel with tools (0 pointing); the panel paints its overlays
    // (PaintOverlays) under the elements.
    void SetToolNumber(int tool);
    int ToolNumber() const;

    // The selection.
    void ClearSelection();
    void SelectElement(TGGraphicControl& element);

    // The fields the dialogs' field pickers list (nullptr: their default) and the folder the
    // picture browser starts in.
    void SetFieldCatalogue(const FieldCatalogue* fields) { FFields = fields; }
    void SetPictureDirectory(const QString& folder) { FPictureDirectory = folder; }

    // Key entry for the owning window, which may receive keys first: Ctrl+C / Ctrl+X / Ctrl+V,
    // Delete and the arrow nudges (Shift+arrow resizes a single element). True when handled.
    bool HandleKeyPress(QKeyEvent* event);
    bool HandleKeyRelease(QKeyEvent* event);

    // The panel's pop-up commands (also on its menu): Cut, Copy, Paste, Delete and the rest run on
    // the model; "Font" opens the font dialog here.
    void ChooseFontForSelection();
    // Runs one command of an element's pop-up menu: the element's own toggles through the element,
    // clipboard and stacking commands through the panel, dialogs through the element dialogs.
    void RunElementCommand(TGGraphicControl& element, ElementCommand command, int argument = 0);

    // The pop-up menus as the widget builds them (shown with popup(); tests inspect them).
    std::unique_ptr<QMenu> BuildPanelMenu();
    std::unique_ptr<QMenu> BuildElementMenu(TGGraphicControl& element);
    // The menu opened last (kept until the next one opens); nullptr before any.
    QMenu* OpenedMenu() const { return FOpenMenu.get(); }

    // Milliseconds of a monotonic clock for the handle's press timing and the paste guard; tests
    // replace it with a clock they advance.
    void SetTickSource(std::function<int64_t()> ticks);
    int64_t Ticks() const;

    // The element drawn at a panel point (topmost first), skipping none; nullptr: background.
    TGGraphicControl* ElementAt(const QPoint& point) const;

    // Used by TGHandle: the panel's background mouse protocol at panel coordinates.
    void BackgroundPress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& point);
    void BackgroundMove(const QPoint& point);
    void BackgroundRelease(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& point);
    void BackgroundDoubleClick(const QPoint& point);
    // Opens a menu at a global position (the element's, or the panel's for nullptr).
    void OpenMenu(TGGraphicControl* element, const QPoint& globalPosition);
    // The dotted feedback rectangle of a drag or nudge (empty: none), in panel pixels.
    void SetFeedbackOutline(const QRect& rect);
    QRect FeedbackOutline() const { return FOutline; }
    // Places the handle widget over the selection's handle bounds.
    void SyncHandle();

  signals:
    void selectionChanged();
    void zoomChanged(float factor);
    // The layout was modified (mirrors the model's LabelChangedEvent).
    void labelChanged();
    // A new element was created in this rectangle (panel pixels at the current zoom); windows
    // usually return the tool to pointing here. Mirrors the model's DroppedObjectEvent.
    void droppedObject(const QRect& rect);
    // A double-click on the panel background.
    void doubleClicked();
    // A menu is about to open (tests use it to answer the menu without an event loop).
    void menuAboutToOpen(QMenu* menu);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void ConnectModel();
    void ApplyWidgetSize();
    void DropNewElement(const PixelRect& rect);
    void PaintBackground(QPainter& painter);
    void PaintElements(QPainter& painter);
    void PaintMarks(QPainter& painter);

    TGBasePanel& FPanel;
    TGHandle* FHandle = nullptr;
    const FieldCatalogue* FFields = nullptr;
    QString FPictureDirectory;
    // The model's pictures decoded once per change of their bytes.
    struct DecodedPicture {
        std::string Bytes;
        QImage Image;
        const QImage& Of(const TGPicture& picture);
    };
    QImage FPicture;
    QImage FColorPicture;
    DecodedPicture FModelPicture;
    DecodedPicture FModelColorPicture;
    std::function<int64_t()> FTicks;
    bool FBanding = false;
    QPoint FBandStart;
    QRect FBand;
    QRect FOutline;
    bool FResyncPosted = false;
    std::unique_ptr<QMenu> FOpenMenu;
};

} // namespace corvane
