#include "layout/PanelSelection.h"

#include <algorithm>

#include "layout/TGBasePanel.h"
#include "layout/TGGraphicControl.h"

namespace corvane {

namespace {

constexpr PixelRect HiddenHandle{0, 0, 24, 24};

} // namespace

PanelSelection::PanelSelection(TGBasePanel& panel) : FPanel(panel) {}

void PanelSelection::Select(TGGraphicControl& element)
{
    if (element.Unselectable() || Contains(element))
        return;
    const PixelRect around = HandleAround(element.Bounds(), 5);
    if (FElements.empty())
        FHandle = around;
    else
        FHandle = BoundingBox({FHandle, around});
    FElements.push_back(&element);
    RaiseChanged();
}

void PanelSelection::Deselect(TGGraphicControl& element)
{
    const int index = IndexOf(element);
    if (index < 0)
        return;
    FElements.erase(FElements.begin() + index);
    FHandle = FElements.empty() ? HiddenHandle : HandleAround(SelectedBox(), 5);
    if (FElements.empty())
        FNudging = false;
    RaiseChanged();
}

void PanelSelection::Clear()
{
    FElements.clear();
    FLocked = false;
    FNudging = false;
    FHandle = HiddenHandle;
    RaiseChanged();
}

int PanelSelection::IndexOf(const TGGraphicControl& element) const
{
    const auto it = std::find(FElements.begin(), FElements.end(), &element);
    return it == FElements.end() ? -1 : static_cast<int>(it - FElements.begin());
}

TGGraphicControl* PanelSelection::At(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return FElements[static_cast<size_t>(index)];
}

std::vector<const TGGraphicControl*> PanelSelection::ConstElements() const
{
    return {FElements.begin(), FElements.end()};
}

void PanelSelection::Assign(const std::vector<TGGraphicControl*>& elements)
{
    FElements.clear();
    FHandle = HiddenHandle;
    FNudging = false;
    for (TGGraphicControl* e : elements) {
        if (e->Unselectable() || Contains(*e))
            continue;
        const PixelRect around = HandleAround(e->Bounds(), 5);
        FHandle = FElements.empty() ? around : BoundingBox({FHandle, around});
        FElements.push_back(e);
    }
    RaiseChanged();
}

PixelRect PanelSelection::SelectedBox() const
{
    std::vector<PixelRect> rects;
    rects.reserve(FElements.size());
    for (const TGGraphicControl* e : FElements)
        rects.push_back(e->Bounds());
    return BoundingBox(rects);
}

void PanelSelection::Resync()
{
    if (FElements.empty())
        return;
    SetHandle(HandleAround(SelectedBox(), 6));
}

void PanelSelection::SetHandle(const PixelRect& bounds)
{
    FHandle = bounds;
    RaiseChanged();
}

void PanelSelection::SetGridX(int32_t step)
{
    if (step == FGridX)
        return;
    FGridX = step;
    // A new grid size must not switch snapping on by itself.
    if (FStepX > 1)
        FStepX = step;
    RaiseChanged();
}

void PanelSelection::SetGridY(int32_t step)
{
    if (step == FGridY)
        return;
    FGridY = step;
    if (FStepY > 1)
        FStepY = step;
    RaiseChanged();
}

void PanelSelection::SetSnapToGrid(bool on)
{
    FStepX = on ? FGridX : 1;
    FStepY = on ? FGridY : 1;
}

PixelRect PanelSelection::DraggedBounds(Grip grip, int32_t dx, int32_t dy) const
{
    int32_t minWidth = MinimumHandleSize;
    int32_t minHeight = MinimumHandleSize;
    if (grip != Grip::Move && FElements.size() == 1) {
        // The handle's margin around the element plus the element's own minimum.
        const TGGraphicControl& e = *FElements.front();
        minWidth = std::max(minWidth, FHandle.Width - e.Width() + MinimumElementSize);
        minHeight = std::max(minHeight, FHandle.Height - e.Height() + MinimumElementSize);
    }
    return DraggedHandleBounds(FHandle, grip, dx, dy, FStepX, FStepY, minWidth, minHeight);
}

void PanelSelection::ApplyHandleBounds(const PixelRect& bounds)
{
    const PixelRect old = FHandle;
    const std::vector<TGGraphicControl*> elements = FElements;
    bool anyLocked = false;
    for (TGGraphicControl* e : elements) {
        if (e->Locked())
            anyLocked = true;
        else
            e->SetBounds(FollowHandle(e->Bounds(), old, bounds));
    }
    // Locked elements stayed behind: the handle covers what is selected, not where it was dragged.
    if (anyLocked)
        Resync();
    else
        SetHandle(bounds);
}

void PanelSelection::Nudge(NudgeKey key, bool shift)
{
    if (FElements.empty())
        return;
    if (!FNudging) {
        FNudging = true;
        FNudgeBox = SelectedBox();
    }
    FNudgeBox = NudgedBox(FNudgeBox, key, shift && FElements.size() == 1, FPanel.Width(), FPanel.Height());
    RaiseChanged();
}

void PanelSelection::EndNudge()
{
    if (!FNudging)
        return;
    FNudging = false;
    // The working box is the selection's bounding box, so the elements follow it from the handle
    // that box gives, whatever margin the handle had after its last resync.
    FHandle = HandleAround(SelectedBox(), 5);
    ApplyHandleBounds(HandleAround(FNudgeBox, 5));
}

void PanelSelection::BringToFront()
{
    if (FElements.empty() || FLocked)
        return;
    for (TGGraphicControl* e : FElements)
        FPanel.BringToFront(*e);
    RaiseChanged();
}

void PanelSelection::SendToBack()
{
    if (FElements.empty())
        return;
    // Last to first, so that the selected elements keep their stacking among themselves under the
    // rest, as bringing them to front keeps it above the rest.
    for (auto it = FElements.rbegin(); it != FElements.rend(); ++it)
        FPanel.SendToBack(**it);
    RaiseChanged();
}

void PanelSelection::RaiseChanged()
{
    if (Changed)
        Changed();
}

} // namespace corvane
