#include "layout/TGBasePanel.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "layout/ComponentOwner.h"
#include "layout/DesignGeometry.h"
#include "layout/ElementClassRegistry.h"
#include "layout/TGGraphicControl.h"
#include "layout/TGLabelObjectFiler.h"

namespace corvane {

TGBasePanel::TGBasePanel(ComponentOwner& owner) : FOwner(owner), FRegistry(&ElementClassRegistry::Shared()) {}

TGBasePanel::~TGBasePanel()
{
    FSelection.Changed = nullptr;
    ClearElements();
    FClipboard.DeleteFiles();
}

int TGBasePanel::IndexOf(const TGGraphicControl& element) const
{
    for (size_t i = 0; i < FElements.size(); ++i)
        if (FElements[i].get() == &element)
            return static_cast<int>(i);
    return -1;
}

TGGraphicControl& TGBasePanel::InsertElement(std::unique_ptr<TGGraphicControl> element)
{
    TGGraphicControl& e = *element;
    if (e.Owner() != &FOwner) {
        (void)e.SetOwner(nullptr);
        if (e.Name().empty() || FOwner.Has(e.Name()))
            (void)e.SetName(FOwner.FreeComponentName());
        (void)e.SetOwner(&FOwner);
    }
    e.SetParent(this);
    FElements.push_back(std::move(element));
    return e;
}

void TGBasePanel::DestroyElement(TGGraphicControl& element)
{
    FSelection.Deselect(element);
    const int index = IndexOf(element);
    if (index >= 0)
        FElements.erase(FElements.begin() + index);
}

void TGBasePanel::ClearElements()
{
    if (!FSelection.Empty())
        FSelection.Clear();
    while (!FElements.empty())
        FElements.pop_back();
}

void TGBasePanel::BringToFront(TGGraphicControl& element)
{
    const int index = IndexOf(element);
    if (index < 0)
        return;
    std::rotate(FElements.begin() + index, FElements.begin() + index + 1, FElements.end());
}

void TGBasePanel::SendToBack(TGGraphicControl& element)
{
    const int index = IndexOf(element);
    if (index < 0)
        return;
    std::rotate(FElements.begin(), FElements.begin() + index, FElements.begin() + index + 1);
}

std::string TGBasePanel::UniqueName(const std::string& prefix) const
{
    return FOwner.UniqueName(prefix);
}

void TGBasePanel::DropElement(std::unique_ptr<TGGraphicControl> element, const PixelRect& rect)
{
    (void)element->SetOwner(nullptr);
    (void)element->SetName(UniqueName("Special"));
    element->SetLoading(true);
    TGGraphicControl& e = InsertElement(std::move(element));
    e.AdoptZoom(FZoom);
    e.SetLoading(false);
    e.SetBounds(DroppedBounds(rect));
    RaiseLabelChanged();
}

TGGraphicControl* TGBasePanel::CreateElement(PixelRect)
{
    return nullptr;
}

void TGBasePanel::RaiseDroppedObject(const PixelRect& rect)
{
    if (DroppedObjectEvent)
        DroppedObjectEvent(rect);
}

void TGBasePanel::ConnectElements()
{
    for (const auto& element : FElements)
        element->AdoptZoom(FZoom);
}

void TGBasePanel::SetSize(int32_t width, int32_t height)
{
    FBounds.Width = width;
    FBounds.Height = height;
    const double back = 1.0 / static_cast<double>(FZoom);
    FDesign.Width = static_cast<int32_t>(std::nearbyint(width * back));
    FDesign.Height = static_cast<int32_t>(std::nearbyint(height * back));
}

void TGBasePanel::SetGridSize(TGridSize value)
{
    if (value == FGridSize)
        return;
    FGridSize = value;
    FSelection.SetGridX(GridStep());
    FSelection.SetGridY(GridStep());
}

void TGBasePanel::SetSnapToGrid(bool value)
{
    if (value == FSnapToGrid)
        return;
    FSnapToGrid = value;
    FSelection.SetSnapToGrid(value);
    if (value) {
        FSelection.SetGridX(GridStep());
        FSelection.SetGridY(GridStep());
    }
}

void TGBasePanel::SetDesignSize(int32_t width, int32_t height)
{
    FDesign.Width = width;
    FDesign.Height = height;
    FBounds.Width = static_cast<int32_t>(std::nearbyint(width * static_cast<double>(FZoom)));
    FBounds.Height = static_cast<int32_t>(std::nearbyint(height * static_cast<double>(FZoom)));
}

void TGBasePanel::SetZoom(float factor)
{
    if (factor == FZoom || !(factor > 0.0f))
        return;
    FZooming = true;
    FZoom = factor;
    FBounds.Width = static_cast<int32_t>(std::nearbyint(FDesign.Width * static_cast<double>(factor)));
    FBounds.Height = static_cast<int32_t>(std::nearbyint(FDesign.Height * static_cast<double>(factor)));
    for (const auto& element : FElements)
        element->SetZoom(factor);
    FSelection.Resync();
    FZooming = false;
}

void TGBasePanel::RaiseLabelChanged()
{
    if (FPrinting || FZooming)
        return;
    if (LabelChangedEvent)
        LabelChangedEvent(*this);
    if (LabelChangedObserver)
        LabelChangedObserver();
}

void TGBasePanel::PrintElements(PrintSurface& surface, double xInches, double yInches)
{
    for (const auto& element : FElements)
        element->PrintOn(surface, xInches, yInches);
}

void TGBasePanel::ClampElements()
{
    // Measured at zoom 1.0, as the layout is stored: the 10- and 20-pixel margins are real pixels
    // at every zoom.
    FSelection.Clear();
    for (const auto& element : FElements) {
        const PixelRect clamped = Clamped(element->DesignBounds(), DesignWidth(), DesignHeight());
        if (clamped != element->DesignBounds())
            element->SetDesignBounds(clamped);
    }
}

void TGBasePanel::PurgeElements()
{
    // Measured at zoom 1.0: at a small zoom a thin line rounds to no height and the 10-pixel margin
    // shrinks, and saving there must not throw away what the stored layout keeps.
    FSelection.Clear();
    for (size_t i = FElements.size(); i-- > 0;) {
        if (IsPurged(FElements[i]->DesignBounds(), DesignWidth(), DesignHeight()))
            FElements.erase(FElements.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void TGBasePanel::ClearDataValues()
{
    for (const auto& element : FElements)
        element->ClearDataValue();
}

void TGBasePanel::AdvanceSequences()
{
    for (const auto& element : FElements)
        element->AdvanceSequence();
}

void TGBasePanel::ResetSequences()
{
    for (const auto& element : FElements)
        element->ResetSequence();
}

Status TGBasePanel::SaveToFile(const std::string& fileName)
{
    // Files hold the 1.0-zoom bounds whatever the zoom, so no zoom change is needed here.
    ClearDataValues();
    const Status status = TGLabelObjectFiler(*FRegistry).SavePanel(*this, fileName);
    RefreshData();
    return status;
}

Status TGBasePanel::LoadFromFile(const std::string& fileName)
{
    std::error_code error;
    if (!std::filesystem::exists(fileName, error))
        return Status::Success();
    const Status status = TGLabelObjectFiler(*FRegistry).LoadPanel(*this, fileName);
    if (status)
        RefreshData();
    return status;
}

// --- Clipboard and editing commands -------------------------------------------------------------

Status TGBasePanel::CopySelection()
{
    // The file holds the elements' zoom-1.0 bounds (what layout files store), so a paste at any
    // zoom gives them their real size.
    return TGLabelObjectFiler(*FRegistry).SaveSelection(FSelection.ConstElements(), ClipboardFileName());
}

Status TGBasePanel::CutSelection()
{
    if (Status status = CopySelection(); !status)
        return status;
    DeleteSelection();
    return Status::Success();
}

Status TGBasePanel::PasteClipboard()
{
    const int64_t now = Ticks();
    // Without a clipboard file there is nothing to paste and the layout is not changed.
    if (!FClipboard.PasteAllowed(now) || !FClipboard.HasContent())
        return Status::Success();
    if (Status status = TGLabelObjectFiler(*FRegistry).PasteFile(*this, ClipboardFileName()); !status)
        return status;
    ConnectElements();
    RaiseLabelChanged();
    FClipboard.RememberPaste(now);
    return Status::Success();
}

void TGBasePanel::DeleteSelection()
{
    for (int i = FSelection.Count(); i-- > 0;) {
        TGGraphicControl* e = FSelection.At(i);
        DestroyElement(*e);
        RaiseLabelChanged();
    }
}

namespace {

void AlignSelection(TGBasePanel& panel, Alignment alignment)
{
    PanelSelection& selection = panel.Selection();
    if (selection.Empty())
        return;
    panel.RaiseLabelChanged();
    std::vector<PixelRect> rects;
    for (const TGGraphicControl* e : selection.Elements())
        rects.push_back(e->Bounds());
    const std::vector<PixelRect> aligned = Aligned(rects, alignment, panel.Width(), panel.Height());
    const std::vector<TGGraphicControl*> elements = selection.Elements();
    for (size_t i = 0; i < elements.size(); ++i)
        elements[i]->SetBounds(aligned[i]);
}

} // namespace

void TGBasePanel::AlignLeft()
{
    AlignSelection(*this, Alignment::Lefts);
}

void TGBasePanel::AlignRight()
{
    AlignSelection(*this, Alignment::Rights);
}

void TGBasePanel::AlignTops()
{
    AlignSelection(*this, Alignment::Tops);
}

void TGBasePanel::AlignBottoms()
{
    AlignSelection(*this, Alignment::Bottoms);
}

void TGBasePanel::CenterSelectionVertically()
{
    const std::vector<TGGraphicControl*> elements = FSelection.Elements();
    for (TGGraphicControl* e : elements)
        e->CenterVertically();
}

void TGBasePanel::CenterSelectionHorizontally()
{
    const std::vector<TGGraphicControl*> elements = FSelection.Elements();
    for (TGGraphicControl* e : elements)
        e->CenterHorizontally();
}

void TGBasePanel::LockAll()
{
    for (const auto& element : FElements)
        if (!element->Locked())
            element->SetLocked(true);
}

void TGBasePanel::UnlockAll()
{
    for (const auto& element : FElements)
        if (element->Locked())
            element->SetLocked(false);
}

void TGBasePanel::MarkAllSelectable()
{
    for (const auto& element : FElements)
        element->SetUnselectable(false);
}

void TGBasePanel::MarkAllUnselectable()
{
    for (const auto& element : FElements) {
        element->SetUnselectable(true);
        FSelection.Deselect(*element);
    }
}

void TGBasePanel::SelectAll()
{
    FSelection.Clear();
    std::vector<TGGraphicControl*> all;
    for (const auto& element : FElements)
        all.push_back(element.get());
    FSelection.Assign(all);
}

void TGBasePanel::SelectInRect(const PixelRect& band, bool shift)
{
    std::vector<TGGraphicControl*> chosen;
    if (shift)
        chosen = FSelection.Elements();
    FSelection.Clear();
    for (const auto& element : FElements) {
        if (!Intersects(element->Bounds(), band))
            continue;
        const auto it = std::find(chosen.begin(), chosen.end(), element.get());
        if (shift && it != chosen.end())
            chosen.erase(it);
        else
            chosen.push_back(element.get());
    }
    // Selection order follows paint order, so copying or bringing to front a banded selection keeps
    // which element lies on top.
    std::stable_sort(
        chosen.begin(), chosen.end(),
        [this](const TGGraphicControl* a, const TGGraphicControl* b) { return IndexOf(*a) < IndexOf(*b); });
    FSelection.Assign(chosen);
}

void TGBasePanel::DeselectAt(int32_t x, int32_t y)
{
    std::vector<TGGraphicControl*> rest = FSelection.Elements();
    FSelection.Clear();
    std::erase_if(rest, [x, y](const TGGraphicControl* e) {
        return x >= e->Left() && x < e->Left() + e->Width() && y >= e->Top() && y < e->Top() + e->Height();
    });
    FSelection.Assign(rest);
}

void TGBasePanel::BringSelectionToFront()
{
    if (FSelection.Empty())
        return;
    FSelection.BringToFront();
    RaiseLabelChanged();
}

void TGBasePanel::SendSelectionToBack()
{
    if (FSelection.Empty())
        return;
    FSelection.SendToBack();
    FSelection.Clear();
    RaiseLabelChanged();
}

Result<TGGraphicControl*> TGBasePanel::CloneElement(TGGraphicControl& element)
{
    Result<TGGraphicControl*> copy = TGLabelObjectFiler(*FRegistry).CloneElement(element, *this);
    if (!copy)
        return copy;
    TGGraphicControl& c = **copy;
    // Offset at zoom 1.0, as pastes are, so the layout gets the same copy at every zoom.
    c.SetDesignTop(element.DesignTop() + CloneOffset);
    BringToFront(c);
    RefreshData();
    if (FSelection.Contains(element)) {
        FSelection.Deselect(element);
        FSelection.Select(c);
    }
    ConnectElements();
    RaiseLabelChanged();
    return copy;
}

CommandOutcome TGBasePanel::RunElementCommand(TGGraphicControl& element, ElementCommand command, int argument)
{
    if (!FindMenuItem(element.Menu(), command, argument))
        return CommandOutcome::NotInMenu;
    const bool selected = FSelection.Contains(element);
    const TGLabelObjectFiler filer(*FRegistry);
    FLastCommandStatus = Status::Success();
    switch (command) {
    case ElementCommand::Cut:
        if (selected) {
            FLastCommandStatus = CutSelection();
        } else {
            FLastCommandStatus = filer.SaveElement(element, ClipboardFileName());
            if (FLastCommandStatus) {
                RaiseLabelChanged();
                DestroyElement(element);
            }
        }
        return CommandOutcome::Done;
    case ElementCommand::Copy:
        FLastCommandStatus = selected ? CopySelection() : filer.SaveElement(element, ClipboardFileName());
        return CommandOutcome::Done;
    case ElementCommand::Delete:
        if (selected) {
            DeleteSelection();
        } else {
            RaiseLabelChanged();
            DestroyElement(element);
        }
        return CommandOutcome::Done;
    case ElementCommand::Clone: {
        Result<TGGraphicControl*> copy = CloneElement(element);
        if (!copy)
            FLastCommandStatus = copy.ToStatus();
        return CommandOutcome::Done;
    }
    case ElementCommand::SendToBack: {
        const CommandOutcome outcome = element.Execute(command, argument);
        FSelection.Clear();
        return outcome;
    }
    case ElementCommand::Unselectable: {
        const CommandOutcome outcome = element.Execute(command, argument);
        FSelection.Deselect(element);
        return outcome;
    }
    default:
        return element.Execute(command, argument);
    }
}

} // namespace corvane
