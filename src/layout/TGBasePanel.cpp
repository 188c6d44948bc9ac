#include "layout/TGBasePanel.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/TGGraphicControl.h"
#include "layout/TGLabelObjectFiler.h"

namespace corvane {

TGBasePanel::TGBasePanel(ComponentOwner& owner) : FOwner(owner), FRegistry(&ElementClassRegistry::Shared()) {}

TGBasePanel::~TGBasePanel()
{
    ClearElements();
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
    const int index = IndexOf(element);
    if (index >= 0)
        FElements.erase(FElements.begin() + index);
}

void TGBasePanel::ClearElements()
{
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
    e.SetBounds({rect.Left, rect.Top, std::max(rect.Width, 10), std::max(rect.Height, 15)});
    RaiseLabelChanged();
}

void TGBasePanel::SetSize(int32_t width, int32_t height)
{
    FBounds.Width = width;
    FBounds.Height = height;
    const double back = 1.0 / static_cast<double>(FZoom);
    FDesign.Width = static_cast<int32_t>(std::nearbyint(width * back));
    FDesign.Height = static_cast<int32_t>(std::nearbyint(height * back));
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
    FZooming = false;
}

void TGBasePanel::RaiseLabelChanged()
{
    if (LabelChangedEvent && !FPrinting && !FZooming)
        LabelChangedEvent(*this);
}

void TGBasePanel::PrintElements(PrintSurface& surface, double xInches, double yInches)
{
    for (const auto& element : FElements)
        element->PrintOn(surface, xInches, yInches);
}

void TGBasePanel::ClampElements()
{
    for (const auto& element : FElements) {
        if (element->Top() > Height() - 10)
            element->SetTop(Height() - 10);
        if (element->Left() > Width() - 20)
            element->SetLeft(Width() - 20);
    }
}

void TGBasePanel::PurgeElements()
{
    for (size_t i = FElements.size(); i-- > 0;) {
        const TGGraphicControl& e = *FElements[i];
        if (e.Top() > Height() - 10 || e.Left() > Width() - 10 || e.Width() < 1 || e.Height() < 1)
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

xbase::Status TGBasePanel::SaveToFile(const std::string& fileName)
{
    // Files hold the 1.0-zoom bounds whatever the zoom, so no zoom change is needed here.
    ClearDataValues();
    const xbase::Status status = TGLabelObjectFiler(*FRegistry).SavePanel(*this, fileName);
    RefreshData();
    return status;
}

xbase::Status TGBasePanel::LoadFromFile(const std::string& fileName)
{
    std::error_code error;
    if (!std::filesystem::exists(fileName, error))
        return xbase::Status::Success();
    const xbase::Status status = TGLabelObjectFiler(*FRegistry).LoadPanel(*this, fileName);
    if (status)
        RefreshData();
    return status;
}

} // namespace corvane
