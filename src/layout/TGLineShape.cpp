#include "layout/TGLineShape.h"

#include <cmath>

#include "layout/ElementPainter.h"
#include "layout/LayoutQt.h"
#include "layout/PrintSurface.h"
#include "layout/TGBasePanel.h"

namespace corvane {

TGLineShape::TGLineShape() : TGGraphicControl(10, 10) {}

const PropertyTable& TGLineShape::PublishedProperties() const
{
    using C = TGLineShape;
    static const PropertyTable table(CommonProperties(),
                                     Join({{EnumProperty<C, TLineStyle>("LineStyle", TLineStyle::stHorizontal,
                                                                        &C::LineStyle, &C::SetLineStyle)},
                                           PenProperties<C>(&C::Pen, &C::SetPen)}));
    return table;
}

void TGLineShape::SetLineStyle(TLineStyle value)
{
    FLineStyle = value;
    Invalidate();
}

void TGLineShape::SetPen(const TGPen& value)
{
    FPen = value;
    Invalidate();
}

void TGLineShape::StretchToEdges()
{
    if (!Parent())
        return;
    if (FLineStyle == TLineStyle::stHorizontal)
        SetBounds({0, Top(), Parent()->Width(), Height()});
    if (FLineStyle == TLineStyle::stVertical)
        SetBounds({Left(), 0, Width(), Parent()->Height()});
}

void TGLineShape::Paint(ElementPainter& painter)
{
    const int w = Zoom() == 1.0f ? FPen.Width : static_cast<int>(std::nearbyint(FPen.Width * Zoom()));
    const int h = w / 2;
    SurfacePen pen = ToSurfacePen(FPen);
    pen.Width = w;
    painter.SetPen(pen);
    const double width = Width(), height = Height();
    switch (FLineStyle) {
    case TLineStyle::stHorizontal:
        painter.Line(QPointF(h, h), QPointF(width + h - w + 1, h));
        break;
    case TLineStyle::stVertical:
        painter.Line(QPointF(h, h), QPointF(h, h + height - w + 1));
        break;
    case TLineStyle::stAngleSlopingUp:
        painter.Line(QPointF(width, 0), QPointF(0, height));
        break;
    case TLineStyle::stAngleSlopingDown:
        painter.Line(QPointF(0, 0), QPointF(width, height));
        break;
    }
}

void TGLineShape::PrintOn(PrintSurface& surface, double xInches, double yInches)
{
    SurfacePen pen = ToSurfacePen(FPen);
    pen.Mode = PenMode::Copy;
    pen.Width = -FPen.Width; // hundredths of an inch on paper
    surface.SetPen(pen);
    const double ppi = PixelsPerInch();
    const int h = FPen.Width / 2;
    const double xl = xInches + Left() / ppi;
    const double xr = xInches + (Left() + Width()) / ppi;
    const double yt = yInches + (Top() + h) / ppi;
    const double yb = yInches + (Top() + h + Height()) / ppi;
    switch (FLineStyle) {
    case TLineStyle::stHorizontal:
        surface.MoveTo(QPointF(xl, yt));
        surface.LineTo(QPointF(xr, yt));
        break;
    case TLineStyle::stVertical:
        surface.MoveTo(QPointF(xl, yt));
        surface.LineTo(QPointF(xl, yb));
        break;
    case TLineStyle::stAngleSlopingUp:
        surface.MoveTo(QPointF(xl, yb));
        surface.LineTo(QPointF(xr, yt));
        break;
    case TLineStyle::stAngleSlopingDown:
        surface.MoveTo(QPointF(xl, yt));
        surface.LineTo(QPointF(xr, yb));
        break;
    }
}

void TGLineShape::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    ElementMenu& menu = Menu();
    menu.push_back(MenuItem("-"));
    ElementMenuItem style = MenuItem("Style");
    style.Items = {MenuItem("Horizontal", ElementCommand::LineStyle, 0),
                   MenuItem("Vertical", ElementCommand::LineStyle, 1),
                   MenuItem("Angled Sloping Up", ElementCommand::LineStyle, 2),
                   MenuItem("Angled Sloping Down", ElementCommand::LineStyle, 3)};
    menu.push_back(std::move(style));
    menu.push_back(MenuItem("Color", ElementCommand::LineColor));
    ElementMenuItem thickness = MenuItem("Line Thickness");
    for (int n = 1; n <= 10; ++n)
        thickness.Items.push_back(MenuItem(std::to_string(n) + " Point", ElementCommand::LineThickness, n));
    menu.push_back(std::move(thickness));
    menu.push_back(MenuItem("-"));
    menu.push_back(MenuItem("Stretch To Edges", ElementCommand::StretchToEdges));
    UpdateMenuChecks();
}

void TGLineShape::UpdateMenuChecks()
{
    TGGraphicControl::UpdateMenuChecks();
    for (int i = 0; i < 4; ++i)
        if (ElementMenuItem* item = FindMenuItem(Menu(), ElementCommand::LineStyle, i))
            item->Checked = static_cast<int>(FLineStyle) == i;
    for (int n = 1; n <= 10; ++n)
        if (ElementMenuItem* item = FindMenuItem(Menu(), ElementCommand::LineThickness, n))
            item->Checked = FPen.Width == n;
}

CommandOutcome TGLineShape::Execute(ElementCommand command, int argument)
{
    if (!FindMenuItem(Menu(), command, argument))
        return CommandOutcome::NotInMenu;
    switch (command) {
    case ElementCommand::LineStyle:
        NotifyChanged();
        SetLineStyle(static_cast<TLineStyle>(argument));
        break;
    case ElementCommand::LineThickness: {
        TGPen pen = FPen;
        pen.Width = argument;
        SetPen(pen);
        NotifyChanged();
        break;
    }
    case ElementCommand::StretchToEdges:
        StretchToEdges();
        break;
    default:
        return TGGraphicControl::Execute(command, argument);
    }
    UpdateMenuChecks();
    return CommandOutcome::Done;
}

} // namespace corvane
