#include "layout/TGGraphicControl.h"

#include <cmath>

#include "layout/ComponentOwner.h"
#include "layout/TGBasePanel.h"

namespace corvane {

namespace {

// Round to nearest, ties to even (the toolkit's Round).
int32_t RoundEven(double value)
{
    return static_cast<int32_t>(std::nearbyint(value));
}

PixelRect Scaled(const PixelRect& r, double factor)
{
    return {RoundEven(r.Left * factor), RoundEven(r.Top * factor), RoundEven(r.Width * factor),
            RoundEven(r.Height * factor)};
}

} // namespace

TGGraphicControl::TGGraphicControl(int32_t width, int32_t height)
    : FDesign{0, 0, width, height}, FBounds{0, 0, width, height}
{
}

TGGraphicControl::~TGGraphicControl()
{
    if (FOwner)
        FOwner->Remove(FName);
}

const PropertyTable& TGGraphicControl::CommonProperties()
{
    using C = TGGraphicControl;
    static const PropertyTable table([] {
        std::vector<PropertyDescriptor> p;
        p.push_back(IntegerProperty<C>("Tag", 0, &C::Tag, &C::SetTag));
        p.push_back(IntegerProperty<C>("Left", std::nullopt, &C::DesignLeft, &C::SetDesignLeft));
        p.push_back(IntegerProperty<C>("Top", std::nullopt, &C::DesignTop, &C::SetDesignTop));
        p.push_back(IntegerProperty<C>("Width", std::nullopt, &C::DesignWidth, &C::SetDesignWidth));
        p.push_back(IntegerProperty<C>("Height", std::nullopt, &C::DesignHeight, &C::SetDesignHeight));
        PropertyDescriptor cursor;
        cursor.Name = "Cursor";
        cursor.Type = PropertyType::Cursor;
        cursor.Default = PropertyValue(int32_t{0});
        cursor.Get = [](const TGGraphicControl& e) {
            return PropertyValue(static_cast<int32_t>(e.Cursor()));
        };
        cursor.Set = [](TGGraphicControl& e, const PropertyValue& v) {
            e.SetCursor(static_cast<int16_t>(std::get<int32_t>(v)));
        };
        p.push_back(std::move(cursor));
        p.push_back(StringProperty<C>("Hint", &C::Hint, &C::SetHint));
        p.push_back(BooleanProperty<C>("Locked", std::nullopt, &C::Locked, &C::SetLocked));
        p.push_back(BooleanProperty<C>("Unselectable", std::nullopt, &C::Unselectable, &C::SetUnselectable));
        return p;
    }());
    return table;
}

const PropertyTable& TGGraphicControl::PublishedProperties() const
{
    return CommonProperties();
}

Status TGGraphicControl::SetName(const std::string& name)
{
    if (name == FName)
        return Status::Success();
    if (FOwner && !FOwner->Rename(FName, name))
        return Status::Error("A component named \"" + name + "\" already exists");
    FName = name;
    return Status::Success();
}

Status TGGraphicControl::SetOwner(ComponentOwner* owner)
{
    if (owner == FOwner)
        return Status::Success();
    if (owner && !FName.empty() && !owner->Add(FName))
        return Status::Error("A component named \"" + FName + "\" already exists");
    if (FOwner)
        FOwner->Remove(FName);
    FOwner = owner;
    return Status::Success();
}

void TGGraphicControl::SetLocked(bool value)
{
    if (value == FLocked)
        return;
    FLocked = value;
    if (FLoading)
        return;
    if (ElementMenuItem* item = FindMenuItem(FMenu, ElementCommand::Locked))
        item->Checked = value;
    NotifyChanged();
}

void TGGraphicControl::SetUnselectable(bool value)
{
    if (value == FUnselectable)
        return;
    FUnselectable = value;
    if (!FLoading)
        NotifyChanged();
}

void TGGraphicControl::SetLeft(int32_t value)
{
    SetBounds({value, FBounds.Top, FBounds.Width, FBounds.Height});
}
void TGGraphicControl::SetTop(int32_t value)
{
    SetBounds({FBounds.Left, value, FBounds.Width, FBounds.Height});
}
void TGGraphicControl::SetWidth(int32_t value)
{
    SetBounds({FBounds.Left, FBounds.Top, value, FBounds.Height});
}
void TGGraphicControl::SetHeight(int32_t value)
{
    SetBounds({FBounds.Left, FBounds.Top, FBounds.Width, value});
}

void TGGraphicControl::SetBounds(const PixelRect& bounds)
{
    if (bounds == FBounds)
        return;
    // Only the edges that changed are taken back to zoom 1.0, so moving an element at a zoom does
    // not round its size (and the other way round).
    const double back = 1.0 / static_cast<double>(FZoom);
    if (bounds.Left != FBounds.Left)
        FDesign.Left = RoundEven(bounds.Left * back);
    if (bounds.Top != FBounds.Top)
        FDesign.Top = RoundEven(bounds.Top * back);
    if (bounds.Width != FBounds.Width)
        FDesign.Width = RoundEven(bounds.Width * back);
    if (bounds.Height != FBounds.Height)
        FDesign.Height = RoundEven(bounds.Height * back);
    FBounds = bounds;
    BoundsWereSet();
}

void TGGraphicControl::SetDesignBounds(const PixelRect& bounds)
{
    FDesign = bounds;
    FBounds = FZoom == 1.0f ? bounds : Scaled(bounds, FZoom);
    BoundsWereSet();
}

void TGGraphicControl::SetDesignLeft(int32_t value)
{
    SetDesignBounds({value, FDesign.Top, FDesign.Width, FDesign.Height});
}
void TGGraphicControl::SetDesignTop(int32_t value)
{
    SetDesignBounds({FDesign.Left, value, FDesign.Width, FDesign.Height});
}
void TGGraphicControl::SetDesignWidth(int32_t value)
{
    SetDesignBounds({FDesign.Left, FDesign.Top, value, FDesign.Height});
}
void TGGraphicControl::SetDesignHeight(int32_t value)
{
    SetDesignBounds({FDesign.Left, FDesign.Top, FDesign.Width, value});
}

void TGGraphicControl::AdjustSize(int32_t width, int32_t height)
{
    if (width == FBounds.Width && height == FBounds.Height)
        return;
    if (FZoom == 1.0f) {
        SetBounds({FBounds.Left, FBounds.Top, width, height});
        return;
    }
    FBounds.Width = width;
    FBounds.Height = height;
    BoundsWereSet();
}

void TGGraphicControl::BoundsWereSet()
{
    if (!FLoading)
        BoundsChanged();
}

void TGGraphicControl::SetZoom(float factor)
{
    if (factor == FZoom || !(factor > 0.0f))
        return;
    FZoom = factor;
    FBounds = Scaled(FDesign, factor);
    if (!FLoading)
        BoundsChanged();
}

void TGGraphicControl::AdoptZoom(float factor)
{
    if (!(factor > 0.0f))
        return;
    FZoom = factor;
    FBounds = factor == 1.0f ? FDesign : Scaled(FDesign, factor);
}

double TGGraphicControl::PixelsPerInch() const
{
    return FParent ? FParent->PixelsPerInch() : DefaultPixelsPerInch;
}

void TGGraphicControl::BoundsChanged()
{
    if (FInBoundsChanged || FLoading)
        return;
    FInBoundsChanged = true;
    if (FRememberedBounds.IsEmpty())
        FRememberedBounds = FBounds;
    if (FBounds != FRememberedBounds) {
        NotifyChanged();
        FRememberedBounds = FBounds;
        if (FParent && FParent->ElementBoundsChanged)
            FParent->ElementBoundsChanged(*this);
    }
    FInBoundsChanged = false;
}

void TGGraphicControl::UpdateMenuChecks()
{
    if (ElementMenuItem* item = FindMenuItem(FMenu, ElementCommand::Locked))
        item->Checked = FLocked;
}

void TGGraphicControl::BuildMenu()
{
    FMenu.clear();
    FMenu.push_back(MenuItem("Bring To Front", ElementCommand::BringToFront));
    FMenu.push_back(MenuItem("Send To Back", ElementCommand::SendToBack));
    FMenu.push_back(MenuItem("Cut", ElementCommand::Cut));
    FMenu.push_back(MenuItem("Copy", ElementCommand::Copy));
    FMenu.push_back(MenuItem("Delete", ElementCommand::Delete));
    FMenu.push_back(MenuItem("Clone", ElementCommand::Clone));
    FMenu.push_back(MenuItem("-", ElementCommand::None));
    FMenu.push_back(MenuItem("Locked", ElementCommand::Locked));
    FMenu.push_back(MenuItem("Unselectable", ElementCommand::Unselectable));
    FMenu.push_back(MenuItem("-", ElementCommand::None));
    FMenu.push_back(MenuItem("Center Vertically", ElementCommand::CenterVertically));
    FMenu.push_back(MenuItem("Center Horizontally", ElementCommand::CenterHorizontally));
    UpdateMenuChecks();
}

CommandOutcome TGGraphicControl::Execute(ElementCommand command, int argument)
{
    if (!FindMenuItem(FMenu, command, argument))
        return CommandOutcome::NotInMenu;
    switch (command) {
    case ElementCommand::BringToFront:
        NotifyChanged();
        BringToFront();
        return CommandOutcome::Done;
    case ElementCommand::SendToBack:
        NotifyChanged();
        SendToBack();
        return CommandOutcome::Done;
    case ElementCommand::Locked:
        SetLocked(!FLocked);
        UpdateMenuChecks();
        return CommandOutcome::Done;
    case ElementCommand::Unselectable:
        SetUnselectable(true);
        return CommandOutcome::Done;
    case ElementCommand::CenterVertically:
        CenterVertically();
        return CommandOutcome::Done;
    case ElementCommand::CenterHorizontally:
        CenterHorizontally();
        return CommandOutcome::Done;
    default:
        return CommandOutcome::NeedsDesigner;
    }
}

void TGGraphicControl::NotifyChanged()
{
    if (FLoading || !FParent)
        return;
    FParent->RaiseLabelChanged();
}

void TGGraphicControl::Invalidate()
{
    if (!FLoading && FParent && FParent->ElementInvalidated)
        FParent->ElementInvalidated(*this);
}

void TGGraphicControl::CenterVertically()
{
    if (!FParent)
        return;
    SetTop(FParent->Height() / 2 - Height() / 2);
    NotifyChanged();
    Invalidate();
}

void TGGraphicControl::CenterHorizontally()
{
    if (!FParent)
        return;
    SetLeft(FParent->Width() / 2 - Width() / 2);
    NotifyChanged();
    Invalidate();
}

void TGGraphicControl::BringToFront()
{
    if (FParent)
        FParent->BringToFront(*this);
}

void TGGraphicControl::SendToBack()
{
    if (FParent)
        FParent->SendToBack(*this);
}

std::string TGGraphicControl::TrimLeft(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string TGGraphicControl::TrimRight(std::string_view text)
{
    const size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string TGGraphicControl::Trim(std::string_view text)
{
    return TrimLeft(TrimRight(text));
}

} // namespace corvane
