#pragma once
// The model of a design panel: one layout (an ordered list of elements, list order being paint,
// stream and alignment order), its size, zoom, display flags and the operations print runs and
// files need: load and save, zoom, data refresh, sequences and printing every element in inches.
// It also holds the selection and the editing commands of the panel's pop-up menu (clipboard,
// alignment, centring, locking, marking); the widget that shows it and turns mouse and keys into
// these commands belongs to the designer.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "layout/ElementMenu.h"
#include "layout/LayoutClipboard.h"
#include "layout/LayoutTypes.h"
#include "layout/PanelSelection.h"
#include "platform/Result.h"

class QPainter;

namespace corvane {

class ComponentOwner;
class ElementClassRegistry;
class PrintSurface;
class TGGraphicControl;

enum class TLabelShape { lsRectangle, lsRoundRect, lsEllipse };
enum class TGridSize { gs4x4, gs8x8 };

class TGBasePanel {
  public:
    // `owner` keeps the names of all components of the owning window; it must outlive the panel.
    explicit TGBasePanel(ComponentOwner& owner);
    virtual ~TGBasePanel();
    TGBasePanel(const TGBasePanel&) = delete;
    TGBasePanel& operator=(const TGBasePanel&) = delete;

    ComponentOwner& Owner() const { return FOwner; }
    // The registry of classes the filer may create (the run's shared one by default).
    ElementClassRegistry& Registry() const { return *FRegistry; }
    void SetRegistry(ElementClassRegistry& registry) { FRegistry = &registry; }

    // Elements in child-list order.
    size_t ElementCount() const { return FElements.size(); }
    TGGraphicControl& ElementAt(size_t index) const { return *FElements[index]; }
    int IndexOf(const TGGraphicControl& element) const;
    // Appends an element: the panel becomes its parent; its name joins the owner (an empty or taken
    // name is replaced by a fresh "Component" name).
    TGGraphicControl& InsertElement(std::unique_ptr<TGGraphicControl> element);
    // Deselects, removes and destroys it (its name leaves the owner).
    void DestroyElement(TGGraphicControl& element);
    // Clears the selection and destroys every element, from the last to the first.
    void ClearElements();
    void BringToFront(TGGraphicControl& element);
    void SendToBack(TGGraphicControl& element);

    // A new element of the user's: named UniqueName("Special"), placed in `rect` (width at least
    // 10, height at least 15), given the panel's zoom; raises the change event.
    void DropElement(std::unique_ptr<TGGraphicControl> element, const PixelRect& rect);
    std::string UniqueName(const std::string& prefix) const;

    // Size at the current zoom and at zoom 1.0 (the master, as for elements).
    int32_t Width() const { return FBounds.Width; }
    int32_t Height() const { return FBounds.Height; }
    void SetSize(int32_t width, int32_t height);
    int32_t DesignWidth() const { return FDesign.Width; }
    int32_t DesignHeight() const { return FDesign.Height; }
    // Sets the size at zoom 1.0; the current size follows at the zoom.
    void SetDesignSize(int32_t width, int32_t height);
    float Zoom() const { return FZoom; }
    void SetZoom(float factor);
    bool Zooming() const { return FZooming; }
    // Pixels per inch of the display the layout is measured on (96 unless the window says).
    double PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(double ppi) { FPixelsPerInch = ppi; }

    // Published properties of the panel (never stored in layout files).
    bool Pointing() const { return FPointing; }
    void SetPointing(bool value) { FPointing = value; }
    bool DrawOutline() const { return FDrawOutline; }
    void SetDrawOutline(bool value) { FDrawOutline = value; }
    const TGPicture& Picture() const { return FPicture; }
    void SetPicture(const TGPicture& value) { FPicture = value; }
    const TGPicture& ColorPicture() const { return FColorPicture; }
    void SetColorPicture(const TGPicture& value) { FColorPicture = value; }
    bool Printing() const { return FPrinting; }
    void SetPrinting(bool value) { FPrinting = value; }
    TLabelShape Shape() const { return FShape; }
    void SetShape(TLabelShape value) { FShape = value; }
    TGridSize GridSize() const { return FGridSize; }
    // Also sets the selection's snapping step to 4 or 8 (nothing when unchanged).
    void SetGridSize(TGridSize value);
    int32_t GridStep() const { return FGridSize == TGridSize::gs8x8 ? 8 : 4; }
    bool ShowGrid() const { return FShowGrid; }
    void SetShowGrid(bool value) { FShowGrid = value; }
    bool SnapToGrid() const { return FSnapToGrid; }
    // Switches the selection's snapping; turning it on sets the step to the grid size's (nothing
    // when unchanged).
    void SetSnapToGrid(bool value);
    // The font given to new elements.
    const TGFont& Font() const { return FFont; }
    void SetFont(const TGFont& font) { FFont = font; }

    // Raised when the layout was modified (not while printing or zooming).
    std::function<void(TGBasePanel&)> LabelChangedEvent;
    // The same notice for the widget that shows the panel, so that the window keeps the event.
    std::function<void()> LabelChangedObserver;
    // Raised when an element asks to be repainted (the designer's widget connects it).
    std::function<void(TGGraphicControl&)> ElementInvalidated;
    // Raised when an element's bounds changed (the designer resyncs its selection handle).
    std::function<void(TGGraphicControl&)> ElementBoundsChanged;
    void RaiseLabelChanged();
    // Raised after a new element was created in a rectangle (the designers return the tool to
    // pointing here).
    std::function<void(const PixelRect&)> DroppedObjectEvent;

    // The selection and its handle (see PanelSelection).
    PanelSelection& Selection() { return FSelection; }
    const PanelSelection& Selection() const { return FSelection; }

    // Makes a new element of the current tool in `rect` and drops it; nullptr when the panel has
    // no tool (the base) or is pointing. The caller raises DroppedObjectEvent once the new
    // element's dialog is done.
    virtual TGGraphicControl* CreateElement(PixelRect rect);
    // The element tools of designer panels by number (0: pointing); panels without tools have
    // none and ignore a choice.
    virtual int ToolNumber() const { return 0; }
    virtual void SetToolNumber(int tool) {}
    // What follows a new element's dialog (or its drop) on a panel with tools.
    virtual void FinishNewElement(TGGraphicControl& element) {}
    // Drawn by the design widget over the panel's background and under the elements, in the
    // panel's pixels at its zoom (placement aids of the envelope designer); nothing by default.
    virtual void PaintOverlays(QPainter& painter) const {}
    void RaiseDroppedObject(const PixelRect& rect);
    // Gives every element the panel's zoom (without rescaling); after loads, pastes and clones.
    void ConnectElements();

    // The clipboard file shared by every panel of the program (the program directory's
    // "Clipbrd.tmp") and the scratch file beside it ("TempFile.tmp"); both are deleted when any
    // panel is destroyed. A test or window may put them in another folder.
    std::string ClipboardFileName() const { return FClipboard.FileName(); }
    std::string ScratchFileName() const { return FClipboard.ScratchFileName(); }
    void SetClipboardFolder(const std::string& folder) { FClipboard.SetFolder(folder); }
    bool ClipboardHasContent() const { return FClipboard.HasContent(); }

    // Milliseconds of a monotonic clock (for the paste guard); tests replace it.
    void SetTickSource(std::function<int64_t()> ticks) { FClipboard.SetTickSource(std::move(ticks)); }
    int64_t Ticks() const { return FClipboard.Ticks(); }

    // The commands of the panel's pop-up menu, on the selection in selection order. Copy writes the
    // elements' zoom-1.0 bounds, so what is pasted has its real size at any zoom. Paste is ignored
    // within a second of the last paste; pasted elements land 15 pixels right and down, with fresh
    // names, unselected.
    Status CopySelection();
    Status CutSelection();
    Status PasteClipboard();
    void DeleteSelection();
    void AlignLeft();
    void AlignRight();
    void AlignTops();
    void AlignBottoms();
    void CenterSelectionVertically();
    void CenterSelectionHorizontally();
    void LockAll();
    void UnlockAll();
    void MarkAllSelectable();
    void MarkAllUnselectable();
    void SelectAll();
    // Selects the elements a rubber band touches, in paint order; with Shift they toggle against
    // the current selection.
    void SelectInRect(const PixelRect& band, bool shift);
    // A Shift press on the handle: every selected element under the point leaves the selection.
    void DeselectAt(int32_t x, int32_t y);
    // Stacking commands of the panel menu: the selected elements keep their order among themselves
    // (the selection's order) above or below the rest; send to back clears the selection.
    void BringSelectionToFront();
    void SendSelectionToBack();
    // Clone: a copy 25 pixels below the element, named "Component" + the smallest free number,
    // on top, selected in place of the element when that was selected.
    Result<TGGraphicControl*> CloneElement(TGGraphicControl& element);
    // One command of an element's pop-up menu: Cut, Copy and Delete act on the whole selection
    // when the element is selected and on the element alone otherwise; Clone copies the element
    // alone; the element's own commands run through it (choosing Unselectable deselects it, Send To Back
    // clears the selection). NeedsDesigner for the dialog commands.
    CommandOutcome RunElementCommand(TGGraphicControl& element, ElementCommand command, int argument = 0);
    // What the last clipboard command of RunElementCommand reported (a file that could not be
    // written, text the layout format cannot hold).
    const Status& LastCommandStatus() const { return FLastCommandStatus; }

    // The virtual operations of a panel.
    virtual void RefreshData() {}
    // Every element prints itself in child-list order; (xInches, yInches) is the panel's top-left
    // corner on the page.
    virtual void PrintElements(PrintSurface& surface, double xInches, double yInches);
    // Both clear the selection first. Clamp keeps every element's Top within height - 10 and Left
    // within width - 20; purge destroys those past height - 10 or width - 10, or empty.
    virtual void ClampElements();
    virtual void PurgeElements();

    void ClearDataValues();
    void AdvanceSequences();
    void ResetSequences();

    // Saving writes at zoom 1.0 with record-derived text cleared, to a temporary file renamed over
    // the old one; a failure leaves the old file. Loading adds the file's elements (with fresh
    // names) to the existing ones, or nothing at all when the file is damaged; a missing file
    // loads nothing and is no error.
    Status SaveToFile(const std::string& fileName);
    Status LoadFromFile(const std::string& fileName);

  private:
    ComponentOwner& FOwner;
    ElementClassRegistry* FRegistry;
    PanelSelection FSelection{*this};
    LayoutClipboard FClipboard;
    Status FLastCommandStatus = Status::Success();
    std::vector<std::unique_ptr<TGGraphicControl>> FElements;
    PixelRect FBounds;
    PixelRect FDesign;
    float FZoom = 1.0f;
    bool FZooming = false;
    double FPixelsPerInch = 96.0;
    bool FPointing = true;
    bool FDrawOutline = false;
    TGPicture FPicture;
    TGPicture FColorPicture;
    bool FPrinting = false;
    TLabelShape FShape = TLabelShape::lsRoundRect;
    TGridSize FGridSize = TGridSize::gs4x4;
    bool FShowGrid = false;
    bool FSnapToGrid = false;
    TGFont FFont;
};

} // namespace corvane
