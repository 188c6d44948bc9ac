#include "layout/FimCode.h"

#include <cmath>

namespace corvane {

std::vector<int> FimPositions(FimType type)
{
    switch (type) {
    case FimType::A:
        return {1, 2, 5, 8, 9};
    case FimType::B:
        return {1, 3, 4, 6, 7, 9};
    case FimType::C:
        return {1, 2, 4, 6, 8, 9};
    case FimType::D:
        return {1, 2, 3, 5, 7, 8, 9};
    }
    return {};
}

std::vector<QRectF> FimBarRects(FimType type, const QPointF& origin)
{
    std::vector<QRectF> rects;
    for (int k : FimPositions(type)) {
        const double left = origin.x() + FimBarWidth * (2 * k - 2);
        rects.emplace_back(QPointF(left, origin.y()),
                           QPointF(origin.x() + FimBarWidth * (2 * k - 1), origin.y() + FimBarHeight));
    }
    return rects;
}

std::vector<QRectF> FimScreenBarRects(FimType type, double pixelsPerInch, double zoom)
{
    const double w = std::trunc(FimBarWidth * pixelsPerInch * zoom);
    const double h = std::trunc(FimBarHeight * pixelsPerInch * zoom);
    std::vector<QRectF> rects;
    for (int k : FimPositions(type))
        rects.emplace_back(QPointF((2 * k - 2) * w, 0), QPointF((2 * k - 1) * w, h));
    return rects;
}

} // namespace corvane
