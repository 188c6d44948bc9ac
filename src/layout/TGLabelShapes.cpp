#include "layout/TGLabelShapes.h"

#include <algorithm>
#include <cmath>

#include "layout/ElementPainter.h"
#include "layout/LayoutQt.h"
#include "layout/PrintSurface.h"

namespace corvane {

TGLabelShapes::TGLabelShapes() : TGGraphicControl(25, 25) {}

const PropertyTable& TGLabelShapes::PublishedProperties() const
{
    using C = TGLabelShapes;
    static const PropertyTable table(
        CommonProperties(),
        Join({{BooleanProperty<C>("Transparent", std::nullopt, &C::Transparent, &C::SetTransparent)},
              BrushProperties<C>(&C::Brush, &C::SetBrush),
              PenProperties<C>(&C::Pen, &C::SetPen),
              {IntegerProperty<C>("RoundPerc", 25, &C::RoundPerc, &C::SetRoundPerc),
               EnumProperty<C, TShapeType>("Shape", TShapeType::stRectangle, &C::Shape, &C::SetShape)}}));
    return table;
}

void TGLabelShapes::SetTransparent(bool value)
{
    FTransparent = value;
    // A read layout keeps its brush as stored.
    if (!Loading())
        FBrush.Style = value ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
    Invalidate();
}

void TGLabelShapes::SetBrush(const TGBrush& value)
{
    FBrush = value;
    Invalidate();
}

void TGLabelShapes::SetPen(const TGPen& value)
{
    FPen = value;
    Invalidate();
}

void TGLabelShapes::SetRoundPerc(int32_t value)
{
    FRoundPerc = value;
    Invalidate();
}

void TGLabelShapes::SetShape(TShapeType value)
{
    FShape = value;
    Invalidate();
}

void TGLabelShapes::Paint(ElementPainter& painter)
{
    int w = static_cast<int>(std::nearbyint(FPen.Width * Zoom()));
    if (w == 0 && FPen.Width > 0)
        w = 1;
    SurfacePen pen = ToSurfacePen(FPen);
    pen.Width = w;
    painter.SetPen(pen);
    painter.SetBrush(ToSurfaceBrush(FBrush));
    const int h = w / 2;
    const double width = Width(), height = Height();
    const QRectF box(QPointF(h, h), QPointF(width + h - w + 1, height + h - w + 1));
    if (IsRounded()) {
        const double r = std::trunc(FRoundPerc * 0.01 * std::max(width, height));
        painter.RoundRect(box, r, r);
    } else if (IsEllipse()) {
        painter.Ellipse(box);
    } else {
        painter.Rectangle(box);
    }
}

void TGLabelShapes::PrintOn(PrintSurface& surface, double xInches, double yInches)
{
    const double ppi = PixelsPerInch();
    SurfacePen pen = ToSurfacePen(FPen);
    // The pen follows its pixel width at the display's resolution.
    pen.Width = -static_cast<int>(std::trunc(FPen.Width / ppi * 100.0));
    surface.SetPen(pen);
    surface.SetBrush(ToSurfaceBrush(FBrush));
    const QRectF inches(QPointF(xInches + Left() / ppi, yInches + Top() / ppi),
                        QPointF(xInches + (Left() + Width()) / ppi, yInches + (Top() + Height()) / ppi));
    if (IsRounded()) {
        const double r = FRoundPerc * 0.01 * std::max(inches.width(), inches.height());
        surface.RoundRect(inches, r, r);
    } else if (IsEllipse()) {
        surface.Ellipse(inches);
    } else {
        surface.Rectangle(inches);
    }
}

void TGLabelShapes::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    ElementMenu& menu = Menu();
    menu.push_back(MenuItem("-"));
    menu.push_back(MenuItem("Background Color", ElementCommand::ShapeBackgroundColor));
    menu.push_back(MenuItem("Line Color", ElementCommand::LineColor));
    ElementMenuItem thickness = MenuItem("Line Thickness");
    for (int n = 1; n <= 10; ++n)
        thickness.Items.push_back(MenuItem(std::to_string(n) + " Point", ElementCommand::LineThickness, n));
    menu.push_back(std::move(thickness));
    menu.push_back(MenuItem("-"));
    menu.push_back(MenuItem("Transparent", ElementCommand::ShapeTransparent));
    if (IsRounded()) {
        menu.push_back(MenuItem("-"));
        ElementMenuItem rounding = MenuItem("Degree of Rounding");
        for (int percent = 20; percent <= 80; percent += 10)
            rounding.Items.push_back(
                MenuItem(std::to_string(percent) + " %", ElementCommand::Rounding, percent));
        menu.push_back(std::move(rounding));
    }
    UpdateMenuChecks();
}

void TGLabelShapes::UpdateMenuChecks()
{
    TGGraphicControl::UpdateMenuChecks();
    for (int n = 1; n <= 10; ++n)
        if (ElementMenuItem* item = FindMenuItem(Menu(), ElementCommand::LineThickness, n))
            item->Checked = FPen.Width == n;
    if (ElementMenuItem* item = FindMenuItem(Menu(), ElementCommand::ShapeTransparent))
        item->Checked = FTransparent;
}

CommandOutcome TGLabelShapes::Execute(ElementCommand command, int argument)
{
    if (!FindMenuItem(Menu(), command, argument))
        return CommandOutcome::NotInMenu;
    switch (command) {
    case ElementCommand::LineThickness: {
        TGPen pen = FPen;
        pen.Width = argument;
        SetPen(pen);
        break;
    }
    case ElementCommand::ShapeTransparent:
        SetTransparent(!FTransparent);
        break;
    case ElementCommand::Rounding:
        SetRoundPerc(argument);
        break;
    default:
        return TGGraphicControl::Execute(command, argument);
    }
    NotifyChanged();
    UpdateMenuChecks();
    return CommandOutcome::Done;
}

} // namespace corvane
