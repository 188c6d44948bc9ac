#pragma once
// The one drawing interface of layout elements. An element draws itself through it once, in its
// own pixel coordinates (origin at the element's top-left corner, pixels at the element's current
// zoom): on screen the painter sits on the panel's canvas, in print a PrintSurface hands one out
// whose pixels are stretched into the element's inch rectangle, the way a recorded drawing of the
// element's size would be. Fonts are given in points and measured at PixelsPerInch(), so text lays
// out the same on every device.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <QString>

class QImage;
class QPicture;

namespace corvane {

// Ordinals follow the stored enumerations psSolid ... psInsideFrame.
enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };

// Ordinals follow the stored enumerations pmBlack ... pmNotXor.
enum class PenMode {
    Black,
    White,
    Nop,
    Not,
    Copy,
    NotCopy,
    MergePenNot,
    MaskPenNot,
    MergeNotPen,
    MaskNotPen,
    Merge,
    NotMerge,
    Mask,
    NotMask,
    Xor,
    NotXor
};

// Ordinals follow the stored enumerations bsSolid ... bsDiagCross; the hatched kinds are the 8 x 8
// patterns.
enum class BrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };

struct SurfacePen {
    QColor Color = Qt::black;
    PenStyle Style = PenStyle::Solid;
    PenMode Mode = PenMode::Copy;
    // On an ElementPainter: pixels (0 = the thinnest line the device draws). On a PrintSurface: a
    // positive width is device dots, a negative one |width| hundredths of an inch.
    int Width = 1;
    bool operator==(const SurfacePen&) const = default;
};

struct SurfaceBrush {
    QColor Color = Qt::white;
    BrushStyle Style = BrushStyle::Solid;
    bool operator==(const SurfaceBrush&) const = default;
};

// "Arial", "Times New Roman" and "Courier New" become the metric-compatible Liberation Sans, Serif
// and Mono, so layouts measure as they did where they were designed; other names pass unchanged.
QString MappedFontFamily(const QString& family);
QFont MappedFont(const QFont& font);

// Metrics of the mapped font with points converted at pixelsPerInch, independent of any screen.
QFontMetricsF ReferenceFontMetrics(const QFont& font, double pixelsPerInch);

class ElementPainter {
  public:
    virtual ~ElementPainter() = default;

    // The resolution of this painter's pixels at zoom 1.0 (the display's pixels per inch).
    virtual double PixelsPerInch() const = 0;

    virtual void SetPen(const SurfacePen& pen) = 0;
    virtual void SetBrush(const SurfaceBrush& brush) = 0;
    // Points; the family goes through MappedFontFamily.
    virtual void SetFont(const QFont& font) = 0;
    virtual void SetTextColor(const QColor& color) = 0;

    // Shapes take (left, top, right, bottom) as the platform's canvas does: the outline runs from
    // (left, top) to (right - 1, bottom - 1) with the pen centred on it, the inside is filled with
    // the brush.
    virtual void Rectangle(const QRectF& rect) = 0;
    virtual void RoundRect(const QRectF& rect, double cornerWidth, double cornerHeight) = 0;
    virtual void Ellipse(const QRectF& rect) = 0;
    virtual void Line(const QPointF& from, const QPointF& to) = 0;
    // Fills without an outline (backgrounds).
    virtual void FillRect(const QRectF& rect, const QColor& color) = 0;

    // Text in the current font and text colour on a transparent background. origin is the top-left
    // corner of the text cell before rotation; angle (0, 90, 180 or 270) turns the text
    // counter-clockwise around it. Nothing outside clip (unrotated coordinates) is drawn.
    virtual void Text(const QPointF& origin, const QString& text, const QRectF& clip, int angle = 0) = 0;

    // A bitmap stretched into target; flip mirrors it top to bottom, reverse left to right.
    virtual void StretchBitmap(const QRectF& target, const QImage& image, bool flip = false,
                               bool reverse = false) = 0;
    // A recorded drawing stretched from its bounding rectangle into target.
    virtual void StretchPicture(const QRectF& target, const QPicture& picture) = 0;

    QFontMetricsF FontMetrics(const QFont& font) const { return ReferenceFontMetrics(font, PixelsPerInch()); }
};

} // namespace corvane
