#include "layout/LayoutTypes.h"

#include <cmath>
#include <utility>

namespace corvane {

bool SameIdentifier(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char ca = a[i], cb = b[i];
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<char>(cb - 'A' + 'a');
        if (ca != cb)
            return false;
    }
    return true;
}

namespace {

struct NamedValue {
    int32_t Value;
    std::string_view Name;
};

constexpr int32_t SystemColor(int index)
{
    return static_cast<int32_t>(0x80000000u | static_cast<uint32_t>(index));
}

constexpr NamedValue kColors[] = {
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {SystemColor(0), "clScrollBar"},
    {SystemColor(1), "clBackground"},
    {SystemColor(2), "clActiveCaption"},
    {SystemColor(3), "clInactiveCaption"},
    {SystemColor(4), "clMenu"},
    {SystemColor(5), "clWindow"},
    {SystemColor(6), "clWindowFrame"},
    {SystemColor(7), "clMenuText"},
    {SystemColor(8), "clWindowText"},
    {SystemColor(9), "clCaptionText"},
    {SystemColor(10), "clActiveBorder"},
    {SystemColor(11), "clInactiveBorder"},
    {SystemColor(12), "clAppWorkSpace"},
    {SystemColor(13), "clHighlight"},
    {SystemColor(14), "clHighlightText"},
    {SystemColor(15), "clBtnFace"},
    {SystemColor(16), "clBtnShadow"},
    {SystemColor(17), "clGrayText"},
    {SystemColor(18), "clBtnText"},
    {SystemColor(19), "clInactiveCaptionText"},
    {SystemColor(20), "clBtnHighlight"},
    {SystemColor(21), "cl3DDkShadow"},
    {SystemColor(22), "cl3DLight"},
    {SystemColor(23), "clInfoText"},
    {SystemColor(24), "clInfoBk"},
    {clNone, "clNone"},
};

// The toolkit's named cursors; -22 has two names, the first is written.
constexpr NamedValue kCursors[] = {
    {0, "crDefault"},   {-1, "crNone"},       {-2, "crArrow"},    {-3, "crCross"},    {-4, "crIBeam"},
    {-22, "crSize"},    {-6, "crSizeNESW"},   {-7, "crSizeNS"},   {-8, "crSizeNWSE"}, {-9, "crSizeWE"},
    {-10, "crUpArrow"}, {-11, "crHourGlass"}, {-12, "crDrag"},    {-13, "crNoDrop"},  {-14, "crHSplit"},
    {-15, "crVSplit"},  {-16, "crMultiDrag"}, {-17, "crSQLWait"}, {-18, "crNo"},      {-19, "crAppStart"},
    {-20, "crHelp"},    {-21, "crHandPoint"}, {-22, "crSizeAll"},
};

template <size_t N> std::optional<std::string_view> NameOf(const NamedValue (&table)[N], int32_t value)
{
    for (const NamedValue& entry : table)
        if (entry.Value == value)
            return entry.Name;
    return std::nullopt;
}

template <size_t N> std::optional<int32_t> ValueOf(const NamedValue (&table)[N], std::string_view name)
{
    for (const NamedValue& entry : table)
        if (SameIdentifier(entry.Name, name))
            return entry.Value;
    return std::nullopt;
}

} // namespace

std::optional<std::string_view> ColorName(TColor color)
{
    return NameOf(kColors, color);
}
std::optional<TColor> ColorFromName(std::string_view name)
{
    return ValueOf(kColors, name);
}
std::optional<std::string_view> CursorName(int32_t cursor)
{
    return NameOf(kCursors, cursor);
}
std::optional<int32_t> CursorFromName(std::string_view name)
{
    return ValueOf(kCursors, name);
}

#define CORVANE_ENUM_NAMES(Type, ...)                                                                        \
    template <> std::span<const std::string_view> EnumNames<Type>()                                          \
    {                                                                                                        \
        static constexpr std::string_view names[] = {__VA_ARGS__};                                           \
        return names;                                                                                        \
    }

CORVANE_ENUM_NAMES(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")
CORVANE_ENUM_NAMES(THighlightDirection, "hdNone", "hdright", "hdLeft", "hdUpRight", "hdUpLeft", "hdUp")
CORVANE_ENUM_NAMES(TShadowDirection, "sdNone", "sdRight", "sdLeft", "sdDownRight", "sdDownLeft", "sdDown")
CORVANE_ENUM_NAMES(TBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
                   "bsSizeToolWin")
CORVANE_ENUM_NAMES(TFontPitch, "fpDefault", "fpVariable", "fpFixed")
CORVANE_ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
CORVANE_ENUM_NAMES(TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
                   "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask",
                   "pmNotMask", "pmXor", "pmNotXor")
CORVANE_ENUM_NAMES(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
                   "psInsideFrame")
CORVANE_ENUM_NAMES(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                   "bsBDiagonal", "bsCross", "bsDiagCross")
CORVANE_ENUM_NAMES(TDateFormat, "dtfDateNone", "dtfDateShort", "dtfDateLong")
CORVANE_ENUM_NAMES(TTimeFormat, "dtfTimeNone", "dtfTimeShort", "dtfTimeLong")
CORVANE_ENUM_NAMES(TZipOptions, "zoAfterState", "zoBeforeCity", "zoAfterCountry", "zoBeforeCountry")
CORVANE_ENUM_NAMES(TLineStyle, "stHorizontal", "stVertical", "stAngleSlopingUp", "stAngleSlopingDown")
CORVANE_ENUM_NAMES(TShapeType, "stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse",
                   "stCircle")
CORVANE_ENUM_NAMES(TPostNetBarCodeType, "pnbc5Digit", "pnbc9Digit", "pnbc11Digit")
CORVANE_ENUM_NAMES(TFIMType, "fimTypeA", "fimTypeB", "fimTypeC")

#undef CORVANE_ENUM_NAMES

int TGFont::PointSize(double pixelsPerInch) const
{
    const double points = -static_cast<double>(Height) * 72.0 / pixelsPerInch;
    return static_cast<int>(std::lround(std::abs(points)));
}

int32_t TGFont::HeightOfPoints(double points, double pixelsPerInch)
{
    return -static_cast<int32_t>(std::lround(points * pixelsPerInch / 72.0));
}

} // namespace corvane
