#pragma once
// The base of every layout element: a windowless visual object with integer pixel bounds on a
// design panel, the common published properties (Tag, Left, Top, Width, Height, Cursor, Hint,
// Locked, Unselectable), a zoom factor, a pop-up command menu as data and the eight virtual
// operations every element kind may override. Selection is the designer's, not the element's.
//
// Zoom keeps the bounds at zoom 1.0 as the master and derives the zoomed bounds from them, so
// zooming in and out never moves or shrinks an element and what is saved never drifts.

#include <cstdint>
#include <string>
#include <string_view>

#include "layout/ElementMenu.h"
#include "layout/LayoutTypes.h"
#include "layout/PropertyDescriptor.h"
#include "platform/Result.h"

namespace corvane {

class ComponentOwner;
class ElementPainter;
class PrintSurface;
class TGBasePanel;

class TGGraphicControl {
  public:
    // Pixels per inch of a display when no panel says otherwise.
    static constexpr double DefaultPixelsPerInch = 96.0;

    virtual ~TGGraphicControl();
    TGGraphicControl(const TGGraphicControl&) = delete;
    TGGraphicControl& operator=(const TGGraphicControl&) = delete;

    // The class name layout files store ("TGPLabel", ...).
    virtual std::string_view ClassName() const = 0;
    // The published properties in stream order, ancestors first.
    virtual const PropertyTable& PublishedProperties() const;
    // Tag, Left, Top, Width, Height, Cursor, Hint, Locked, Unselectable.
    static const PropertyTable& CommonProperties();

    // Name: unique among the components of the owner (ComponentOwner). Renaming to a name the
    // owner already has fails and keeps the old name.
    const std::string& Name() const { return FName; }
    Status SetName(const std::string& name);
    ComponentOwner* Owner() const { return FOwner; }
    // Takes the element's name into `owner` (nullptr: no owner); fails when the owner already has it.
    Status SetOwner(ComponentOwner* owner);

    TGBasePanel* Parent() const { return FParent; }
    // Set by the panel that takes the element into its list.
    void SetParent(TGBasePanel* panel) { FParent = panel; }

    // The common properties.
    int32_t Tag() const { return FTag; }
    void SetTag(int32_t value) { FTag = value; }
    int16_t Cursor() const { return FCursor; }
    void SetCursor(int16_t value) { FCursor = value; }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    bool Locked() const { return FLocked; }
    void SetLocked(bool value);
    bool Unselectable() const { return FUnselectable; }
    void SetUnselectable(bool value);

    // Bounds at the current zoom (what the screen shows).
    int32_t Left() const { return FBounds.Left; }
    int32_t Top() const { return FBounds.Top; }
    int32_t Width() const { return FBounds.Width; }
    int32_t Height() const { return FBounds.Height; }
    const PixelRect& Bounds() const { return FBounds; }
    void SetLeft(int32_t value);
    void SetTop(int32_t value);
    void SetWidth(int32_t value);
    void SetHeight(int32_t value);
    // Sets the zoomed bounds; the master bounds become them divided by the zoom, rounded.
    void SetBounds(const PixelRect& bounds);

    // Bounds at zoom 1.0: the master, and what layout files store.
    const PixelRect& DesignBounds() const { return FDesign; }
    void SetDesignBounds(const PixelRect& bounds);
    int32_t DesignLeft() const { return FDesign.Left; }
    int32_t DesignTop() const { return FDesign.Top; }
    int32_t DesignWidth() const { return FDesign.Width; }
    int32_t DesignHeight() const { return FDesign.Height; }
    void SetDesignLeft(int32_t value);
    void SetDesignTop(int32_t value);
    void SetDesignWidth(int32_t value);
    void SetDesignHeight(int32_t value);

    // The zoom at which Bounds() are expressed. SetZoom derives the zoomed bounds from the master
    // (rounded to nearest, ties to even) and calls BoundsChanged; nothing when unchanged.
    float Zoom() const { return FZoom; }
    void SetZoom(float factor);
    // Takes the panel's zoom for a new or newly loaded element without rescaling its master.
    void AdoptZoom(float factor);

    // The display's pixels per inch used for printing and font heights (the panel's, else 96).
    double PixelsPerInch() const;

    // While loading (the filer reads the element), setters only store: no change notification,
    // no menu update, no bounds tracking and no derived adjustments.
    bool Loading() const { return FLoading; }
    void SetLoading(bool loading) { FLoading = loading; }

    // The eight virtual operations, in their slot order.
    virtual void BoundsChanged();
    virtual void UpdateMenuChecks();
    virtual void AssignFont(const TGFont& font) {}
    virtual void ShowDataValue() {}
    virtual void ClearDataValue() {}
    virtual void AdvanceSequence() {}
    virtual void ResetSequence() {}
    // Draws the element on the page; (xInches, yInches) is the page position of the panel's
    // top-left corner.
    virtual void PrintOn(PrintSurface& surface, double xInches, double yInches) = 0;

    // Screen painting at the current zoom, in element pixels (origin at the element's top-left).
    virtual void Paint(ElementPainter& painter) = 0;

    // The pop-up menu: built once after creation or loading, its check marks refreshed before it
    // opens. Kinds extend BuildMenu by appending their items after the common ones.
    virtual void BuildMenu();
    const ElementMenu& Menu() const { return FMenu; }
    ElementMenu& Menu() { return FMenu; }
    // Runs a menu command that changes only this element (toggles, choices, centring, stacking).
    virtual CommandOutcome Execute(ElementCommand command, int argument = 0);

    // Raises the panel's change event (not while printing, zooming or loading; nothing without
    // a panel).
    void NotifyChanged();
    void CenterVertically();
    void CenterHorizontally();
    void BringToFront();
    void SendToBack();

    // Blank (space only) trimming used by the data-bound elements.
    static std::string TrimLeft(std::string_view text);
    static std::string TrimRight(std::string_view text);
    static std::string Trim(std::string_view text);

  protected:
    // Kinds give their creation size in pixels at zoom 1.0.
    TGGraphicControl(int32_t width, int32_t height);
    // Asks for a repaint of the element (through the panel; nothing without one).
    void Invalidate();
    // A size the element gives itself from its content (text, character, picture, bar code). At
    // zoom 1.0 it becomes the master size; at another zoom only the zoomed size follows, so that
    // content measured at a zoom never changes what the layout stores.
    void AdjustSize(int32_t width, int32_t height);

  private:
    void BoundsWereSet();

    std::string FName;
    ComponentOwner* FOwner = nullptr;
    TGBasePanel* FParent = nullptr;
    int32_t FTag = 0;
    int16_t FCursor = 0;
    std::string FHint;
    bool FLocked = false;
    bool FUnselectable = false;
    PixelRect FDesign;
    PixelRect FBounds;
    float FZoom = 1.0f;
    bool FLoading = false;
    PixelRect FRememberedBounds;
    bool FInBoundsChanged = false;
    ElementMenu FMenu;
};

} // namespace corvane
