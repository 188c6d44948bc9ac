#include "layout/TGFIMBarCode.h"

#include <cmath>

#include "layout/ElementPainter.h"
#include "layout/FimCode.h"
#include "layout/PrintSurface.h"

namespace corvane {

TGFIMBarCode::TGFIMBarCode()
    : TGGraphicControl(static_cast<int32_t>(FimWidth * DefaultPixelsPerInch),
                       static_cast<int32_t>(FimBarHeight * DefaultPixelsPerInch))
{
}

const PropertyTable& TGFIMBarCode::PublishedProperties() const
{
    using C = TGFIMBarCode;
    static const PropertyTable table(
        CommonProperties(),
        {EnumProperty<C, TFIMType>("FIMType", std::nullopt, &C::FIMType, &C::SetFIMType)});
    return table;
}

void TGFIMBarCode::SetFIMType(TFIMType value)
{
    if (value == FFIMType)
        return;
    FFIMType = value;
    Invalidate();
}

void TGFIMBarCode::Paint(ElementPainter& painter)
{
    const double ppi = PixelsPerInch();
    // The mark is square and keeps its printed size: the user cannot resize it.
    const auto side = static_cast<int32_t>(FimWidth * ppi * Zoom());
    AdjustSize(side, side);
    for (const QRectF& bar : FimScreenBarRects(static_cast<FimType>(FFIMType), ppi, Zoom()))
        painter.FillRect(bar, Qt::black);
}

void TGFIMBarCode::PrintOn(PrintSurface& surface, double xInches, double yInches)
{
    surface.SetBrush(SurfaceBrush{QColor(Qt::black), BrushStyle::Solid});
    const double ppi = PixelsPerInch();
    for (const QRectF& bar :
         FimBarRects(static_cast<FimType>(FFIMType), QPointF(xInches + Left() / ppi, yInches + Top() / ppi)))
        surface.Rectangle(bar);
}

void TGFIMBarCode::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    Menu().push_back(MenuItem("-"));
    const char* captions[] = {"Set FIM to Type A", "Set FIM to Type B", "Set FIM to Type C"};
    for (int i = 0; i < 3; ++i)
        Menu().push_back(MenuItem(captions[i], ElementCommand::FimType, i));
    UpdateMenuChecks();
}

void TGFIMBarCode::UpdateMenuChecks()
{
    TGGraphicControl::UpdateMenuChecks();
    for (int i = 0; i < 3; ++i)
        if (ElementMenuItem* item = FindMenuItem(Menu(), ElementCommand::FimType, i))
            item->Checked = static_cast<int>(FFIMType) == i;
}

CommandOutcome TGFIMBarCode::Execute(ElementCommand command, int argument)
{
    if (command != ElementCommand::FimType)
        return TGGraphicControl::Execute(command, argument);
    if (!FindMenuItem(Menu(), command, argument))
        return CommandOutcome::NotInMenu;
    NotifyChanged();
    SetFIMType(static_cast<TFIMType>(argument));
    UpdateMenuChecks();
    return CommandOutcome::Done;
}

} // namespace corvane
