#pragma once
// The value types that layout elements publish and that layout files store: colours, fonts,
// pens, brushes, pictures and the enumerations, each enumeration with the names the files use.
// They are kept in the files' own terms (a colour as the stored 32-bit value, a font height in
// pixels) so that a layout reads and writes back exactly; turning them into Qt's drawing types is
// the painter's business.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Identifiers (property, enumeration, colour and set member names) compare without regard to
// ASCII case, as the files' readers always have.
bool SameIdentifier(std::string_view a, std::string_view b);

// A colour as stored: 00BBGGRR, or a system colour (top bit set, index in the low bits), or
// clNone.
using TColor = int32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;

// The colour's name when it has one in the files' colour table ("clBlack", "clBtnFace", ...).
std::optional<std::string_view> ColorName(TColor color);
// The colour a name stands for (case ignored, as the names are identifiers).
std::optional<TColor> ColorFromName(std::string_view name);

// The same for cursor numbers ("crDefault", "crArrow", ...).
std::optional<std::string_view> CursorName(int32_t cursor);
std::optional<int32_t> CursorFromName(std::string_view name);

// Enumerations keep the value names of the files; EnumNames<T>() lists them in ordinal order.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class THighlightDirection { hdNone, hdright, hdLeft, hdUpRight, hdUpLeft, hdUp };
enum class TShadowDirection { sdNone, sdRight, sdLeft, sdDownRight, sdDownLeft, sdDown };
enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TFontPitch { fpDefault, fpVariable, fpFixed };
enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
enum class TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
enum class TDateFormat { dtfDateNone, dtfDateShort, dtfDateLong };
enum class TTimeFormat { dtfTimeNone, dtfTimeShort, dtfTimeLong };
enum class TZipOptions { zoAfterState, zoBeforeCity, zoAfterCountry, zoBeforeCountry };
enum class TLineStyle { stHorizontal, stVertical, stAngleSlopingUp, stAngleSlopingDown };
enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
enum class TPostNetBarCodeType { pnbc5Digit, pnbc9Digit, pnbc11Digit };
enum class TFIMType { fimTypeA, fimTypeB, fimTypeC };

template <class E> std::span<const std::string_view> EnumNames();
template <> std::span<const std::string_view> EnumNames<TAlignment>();
template <> std::span<const std::string_view> EnumNames<THighlightDirection>();
template <> std::span<const std::string_view> EnumNames<TShadowDirection>();
template <> std::span<const std::string_view> EnumNames<TBorderStyle>();
template <> std::span<const std::string_view> EnumNames<TFontPitch>();
template <> std::span<const std::string_view> EnumNames<TFontStyle>();
template <> std::span<const std::string_view> EnumNames<TPenMode>();
template <> std::span<const std::string_view> EnumNames<TPenStyle>();
template <> std::span<const std::string_view> EnumNames<TBrushStyle>();
template <> std::span<const std::string_view> EnumNames<TDateFormat>();
template <> std::span<const std::string_view> EnumNames<TTimeFormat>();
template <> std::span<const std::string_view> EnumNames<TZipOptions>();
template <> std::span<const std::string_view> EnumNames<TLineStyle>();
template <> std::span<const std::string_view> EnumNames<TShapeType>();
template <> std::span<const std::string_view> EnumNames<TPostNetBarCodeType>();
template <> std::span<const std::string_view> EnumNames<TFIMType>();

// A set of font styles as bits (1 << ordinal).
using TFontStyles = uint32_t;
inline constexpr TFontStyles FontStyleBit(TFontStyle style)
{
    return 1u << static_cast<unsigned>(style);
}

// A font as layouts store it. The height is the character height in pixels at the display's
// pixels per inch, negative (10 points at 96 pixels per inch is -13); the point size follows.
struct TGFont {
    TColor Color = clBlack;
    int32_t Height = -13;
    std::string Name = "Arial";
    TFontPitch Pitch = TFontPitch::fpDefault;
    TFontStyles Style = 0;

    bool operator==(const TGFont&) const = default;
    // Points from the height: -Height * 72 / ppi, rounded.
    int PointSize(double pixelsPerInch) const;
    // The height of a point size: -Round(points * ppi / 72).
    static int32_t HeightOfPoints(double points, double pixelsPerInch);
};

struct TGPen {
    TColor Color = clBlack;
    TPenMode Mode = TPenMode::pmCopy;
    TPenStyle Style = TPenStyle::psSolid;
    int32_t Width = 1;
    bool operator==(const TGPen&) const = default;
};

struct TGBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
    bool operator==(const TGBrush&) const = default;
};

// A picture as layouts store it: no graphic, a bitmap (the bytes of a device-independent bitmap
// file, "BM" first) or a metafile (enhanced or placeable Windows metafile bytes). The bytes are
// kept as read so that a layout writes back exactly; decoding is for drawing only.
struct TGPicture {
    enum class Kind { None, Bitmap, Metafile };
    Kind GraphicKind = Kind::None;
    std::string Bytes;

    bool Empty() const { return GraphicKind == Kind::None; }
    bool IsBitmap() const { return GraphicKind == Kind::Bitmap; }
    bool IsMetafile() const { return GraphicKind == Kind::Metafile; }
    bool operator==(const TGPicture&) const = default;
};

// An integer rectangle in element or panel pixels (left, top, width, height).
struct PixelRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Right() const { return Left + Width; }
    int32_t Bottom() const { return Top + Height; }
    bool IsEmpty() const { return Width <= 0 || Height <= 0; }
    bool operator==(const PixelRect&) const = default;
};

} // namespace corvane
