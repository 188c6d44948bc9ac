#pragma once
// The two placement aids of the envelope designer, as rectangles in the panel's pixels: the postal
// automation template (return address area, bar code clear zone, address area, FIM area) and the
// printable area of the selected printer. Pure functions of the panel size, zoom and screen
// resolution, so the designer paints them and tests check them without a window.

#include <cstdint>
#include <string_view>

#include "layout/LayoutTypes.h"

namespace corvane {

struct PostalTemplate {
    PixelRect ReturnAddress;
    PixelRect BarcodeClearZone;
    PixelRect Address;
    PixelRect Fim;
};

inline constexpr std::string_view ReturnAddressAreaText = "[Return Address Area]";
inline constexpr std::string_view BarcodeClearZoneText = "[Barcode Clear Zone]";
inline constexpr std::string_view AddressAreaText = "[Address Area]";
inline constexpr std::string_view FimAreaText = "[FIM Area]";

// `width` and `height`: the panel at the zoom; `designWidth`: its width at 100 % (an envelope
// narrower than 10.25 inches has its address area half an inch from the left edge, a wider one
// 9.75 inches left of the right edge). Each rectangle runs from its first corner to its second
// (Width = right - left).
PostalTemplate PostalAreas(int32_t width, int32_t height, int32_t designWidth, double zoom,
                           double pixelsPerInch);
// The same for a panel shown at 100 %.
inline PostalTemplate PostalAreas(int32_t width, int32_t height, double pixelsPerInch)
{
    return PostalAreas(width, height, width, 1.0, pixelsPerInch);
}
// The point size of the area captions at the zoom.
int PostalCaptionPoints(double zoom);

// The printer's unprintable margins and page, in screen pixels at 100 %.
struct PrinterPagePixels {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    int32_t PageWidth = 0;
    int32_t PageHeight = 0;
    bool operator==(const PrinterPagePixels&) const = default;
};
// The printable area at the zoom.
PixelRect PrintableAreaFrame(const PrinterPagePixels& page, double zoom);

} // namespace corvane
