#include "layout/PrintSurface.h"

#include <cmath>
#include <cstdlib>

namespace corvane {

QRect PrintSurface::DeviceRect(const QRectF& inches) const
{
    const auto x = [this](double v) { return static_cast<int>(std::lround(v * DotsPerInchX())); };
    const auto y = [this](double v) { return static_cast<int>(std::lround(v * DotsPerInchY())); };
    return QRect(QPoint(x(inches.left()), y(inches.top())),
                 QPoint(x(inches.right()) - 1, y(inches.bottom()) - 1));
}

void PrintSurface::LineTo(const QPointF& inches)
{
    Line(FPenPosition, inches);
    FPenPosition = inches;
}

void PrintSurface::FillRectangles(const std::vector<QRectF>& inches, const QColor& color)
{
    SetPen(SurfacePen{color, PenStyle::Clear, PenMode::Copy, 0});
    SetBrush(SurfaceBrush{color, BrushStyle::Solid});
    for (const QRectF& rect : inches)
        Rectangle(rect);
}

} // namespace corvane
