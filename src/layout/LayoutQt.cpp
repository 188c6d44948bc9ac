#include "layout/LayoutQt.h"

#include <cmath>

namespace corvane {

namespace {

// The system colours in the order of their indexes (a light desktop scheme).
constexpr QRgb kSystemColors[] = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
    0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D,
    0x000000, 0x434E54, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xFFFFE1,
};

} // namespace

QColor ToQColor(TColor color)
{
    if (color == clNone)
        return QColor(Qt::transparent);
    const auto u = static_cast<uint32_t>(color);
    if (u & 0x80000000u) {
        const uint32_t index = u & 0xFFu;
        if (index < std::size(kSystemColors))
            return QColor::fromRgb(kSystemColors[index]);
        return QColor(Qt::black);
    }
    return QColor(static_cast<int>(u & 0xFF), static_cast<int>((u >> 8) & 0xFF),
                  static_cast<int>((u >> 16) & 0xFF));
}

QFont ToQFont(const TGFont& font, double pixelsPerInch, double zoom)
{
    QFont q(ToQString(font.Name));
    // The stored pixel height exactly: -13 pixels at 96 per inch is 9.75 points, not 10.
    const double points = std::abs(static_cast<double>(font.Height)) * 72.0 / pixelsPerInch * zoom;
    q.setPointSizeF(points > 0 ? points : 1.0);
    q.setBold(font.Style & FontStyleBit(TFontStyle::fsBold));
    q.setItalic(font.Style & FontStyleBit(TFontStyle::fsItalic));
    q.setUnderline(font.Style & FontStyleBit(TFontStyle::fsUnderline));
    q.setStrikeOut(font.Style & FontStyleBit(TFontStyle::fsStrikeOut));
    if (font.Pitch == TFontPitch::fpFixed)
        q.setFixedPitch(true);
    return MappedFont(q);
}

SurfacePen ToSurfacePen(const TGPen& pen)
{
    SurfacePen p;
    p.Color = ToQColor(pen.Color);
    p.Style = static_cast<PenStyle>(pen.Style);
    p.Mode = static_cast<PenMode>(pen.Mode);
    p.Width = pen.Width;
    return p;
}

SurfaceBrush ToSurfaceBrush(const TGBrush& brush)
{
    SurfaceBrush b;
    b.Color = ToQColor(brush.Color);
    b.Style = static_cast<BrushStyle>(brush.Style);
    return b;
}

} // namespace corvane
