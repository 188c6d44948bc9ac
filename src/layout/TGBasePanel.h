#pragma once
// The model of a design panel: one layout (an ordered list of elements, list order being paint,
// stream and alignment order), its size, zoom, display flags and the operations print runs and
// files need: load and save, zoom, data refresh, sequences and printing every element in inches.
// The widget that shows it, the selection and the mouse belong to the designer.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "layout/LayoutTypes.h"
#include "platform/xbase/Result.h"

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
    // Removes and destroys it (its name leaves the owner).
    void DestroyElement(TGGraphicControl& element);
    // Destroys every element, from the last to the first.
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
    void SetGridSize(TGridSize value) { FGridSize = value; }
    bool ShowGrid() const { return FShowGrid; }
    void SetShowGrid(bool value) { FShowGrid = value; }
    bool SnapToGrid() const { return FSnapToGrid; }
    void SetSnapToGrid(bool value) { FSnapToGrid = value; }
    // The font given to new elements.
    const TGFont& Font() const { return FFont; }
    void SetFont(const TGFont& font) { FFont = font; }

    // Raised when the layout was modified (not while printing or zooming).
    std::function<void(TGBasePanel&)> LabelChangedEvent;
    // Raised when an element asks to be repainted (the designer's widget connects it).
    std::function<void(TGGraphicControl&)> ElementInvalidated;
    // Raised when an element's bounds changed (the designer resyncs its selection handle).
    std::function<void(TGGraphicControl&)> ElementBoundsChanged;
    void RaiseLabelChanged();

    // The virtual operations of a panel.
    virtual void RefreshData() {}
    // Every element prints itself in child-list order; (xInches, yInches) is the panel's top-left
    // corner on the page.
    virtual void PrintElements(PrintSurface& surface, double xInches, double yInches);
    virtual void ClampElements();
    virtual void PurgeElements();

    void ClearDataValues();
    void AdvanceSequences();
    void ResetSequences();

    // Saving writes at zoom 1.0 with record-derived text cleared, to a temporary file renamed over
    // the old one; a failure leaves the old file. Loading adds the file's elements (with fresh
    // names) to the existing ones, or nothing at all when the file is damaged; a missing file
    // loads nothing and is no error.
    xbase::Status SaveToFile(const std::string& fileName);
    xbase::Status LoadFromFile(const std::string& fileName);

  private:
    ComponentOwner& FOwner;
    ElementClassRegistry* FRegistry;
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
