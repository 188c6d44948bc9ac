#include "envelopes/EnvelopeOverlays.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

PixelRect FromCorners(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return {left, top, right - left, bottom - top};
}

int32_t Truncated(double value)
{
    return static_cast<int32_t>(std::trunc(value));
}

} // namespace

PostalTemplate PostalAreas(int32_t width, int32_t height, int32_t designWidth, double zoom,
                           double pixelsPerInch)
{
    const auto p = [&](double inches) { return Truncated(inches * pixelsPerInch * zoom); };
    const int32_t w = width;
    const int32_t h = height;
    PostalTemplate areas;
    areas.ReturnAddress = FromCorners(1, 1, w / 2, std::min(h - p(2.75), h / 3));
    areas.BarcodeClearZone = FromCorners(w - p(4), h - p(0.625), w - p(0.5), h - 1);
    const int32_t addressLeft = designWidth < Truncated(10.25 * pixelsPerInch) ? p(0.5) : w - p(9.75);
    areas.Address = FromCorners(addressLeft, h - p(2.75), w - p(0.5), h - p(0.625));
    areas.Fim = FromCorners(w - p(3), 1, w - p(2), p(0.625));
    return areas;
}

int PostalCaptionPoints(double zoom)
{
    return Truncated(8 * zoom);
}

PixelRect PrintableAreaFrame(const PrinterPagePixels& page, double zoom)
{
    return FromCorners(Truncated(page.Left * zoom), Truncated(page.Top * zoom),
                       Truncated((page.PageWidth - page.Right) * zoom),
                       Truncated((page.PageHeight - page.Bottom) * zoom));
}

} // namespace corvane
