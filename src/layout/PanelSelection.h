#pragma once
// The selection of a design panel and the bounds of its selection handle, without any widget: the
// elements in the order they were selected, the handle rectangle that covers them (2 pixels out at
// the left and top, 3 at the right and bottom), the handle's lock and the snapping steps, and the
// moves and resizes a drag or nudge of the handle applies to the selected elements.
//
// Every panel owns one (TGBasePanel::Selection()); the designer's TGHandle widget shows it.

#include <cstdint>
#include <functional>
#include <vector>

#include "layout/DesignGeometry.h"
#include "layout/LayoutTypes.h"

namespace corvane {

class TGBasePanel;
class TGGraphicControl;

class PanelSelection {
  public:
    explicit PanelSelection(TGBasePanel& panel);
    PanelSelection(const PanelSelection&) = delete;
    PanelSelection& operator=(const PanelSelection&) = delete;

    // Adds an element (nothing for an unselectable or already selected one); the handle grows to
    // cover it.
    void Select(TGGraphicControl& element);
    // Removes it (nothing when not selected); the handle shrinks to the rest.
    void Deselect(TGGraphicControl& element);
    // Empties the selection and unlocks the handle.
    void Clear();
    int IndexOf(const TGGraphicControl& element) const;
    bool Contains(const TGGraphicControl& element) const { return IndexOf(element) >= 0; }
    int Count() const { return static_cast<int>(FElements.size()); }
    bool Empty() const { return FElements.empty(); }
    // nullptr for a negative or too large index.
    TGGraphicControl* At(int index) const;
    // In selection order.
    const std::vector<TGGraphicControl*>& Elements() const { return FElements; }
    std::vector<const TGGraphicControl*> ConstElements() const;
    // Makes exactly these the selection, in this order.
    void Assign(const std::vector<TGGraphicControl*>& elements);

    // The handle: hidden (24 x 24 at the origin) when the selection is empty.
    bool HandleVisible() const { return !FElements.empty(); }
    const PixelRect& HandleBounds() const { return FHandle; }
    // Recomputes the handle from the selected elements' current bounds (one pixel wider and higher
    // than Select gives, as after any move of the elements).
    void Resync();

    // A locked handle cannot be dragged, brought to front or sent to back; Clear unlocks it.
    bool Locked() const { return FLocked; }
    void SetLocked(bool value) { FLocked = value; }

    // Snapping: the stored steps (8 at creation) and the steps in use (1 when snapping is off).
    int32_t GridX() const { return FGridX; }
    int32_t GridY() const { return FGridY; }
    void SetGridX(int32_t step);
    void SetGridY(int32_t step);
    void SetSnapToGrid(bool on);
    bool SnapToGrid() const { return FStepX > 1 || FStepY > 1; }
    int32_t StepX() const { return FStepX; }
    int32_t StepY() const { return FStepY; }

    // The handle bounds a drag of `grip` by (dx, dy) gives (snapped; a resize keeps the single
    // element at least MinimumElementSize wide and high).
    PixelRect DraggedBounds(Grip grip, int32_t dx, int32_t dy) const;
    // Moves and resizes every selected element that is not locked as the handle goes to `bounds`
    // (relative positions kept); the handle then takes `bounds`, or, when a locked element stayed
    // behind, covers the selection where it now is.
    void ApplyHandleBounds(const PixelRect& bounds);

    // Keyboard nudges: the first key starts from the selection's bounding box; each key moves (or,
    // with `shift` on a single element, resizes) the working box by one pixel; EndNudge applies it.
    void Nudge(NudgeKey key, bool shift);
    bool Nudging() const { return FNudging; }
    const PixelRect& NudgeBox() const { return FNudgeBox; }
    void EndNudge();

    // Stacking of the selection: its elements end above (below) the rest in selection order, the
    // first selected lowest (nothing when empty; front: nothing when locked).
    void BringToFront();
    void SendToBack();

    // Raised after every change of the selection or of the handle's bounds.
    std::function<void()> Changed;

  private:
    PixelRect SelectedBox() const;
    void SetHandle(const PixelRect& bounds);
    void RaiseChanged();

    TGBasePanel& FPanel;
    std::vector<TGGraphicControl*> FElements;
    PixelRect FHandle{0, 0, 24, 24};
    bool FLocked = false;
    int32_t FGridX = 8;
    int32_t FGridY = 8;
    int32_t FStepX = 1;
    int32_t FStepY = 1;
    bool FNudging = false;
    PixelRect FNudgeBox;
};

} // namespace corvane
