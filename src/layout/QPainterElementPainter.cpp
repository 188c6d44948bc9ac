#include "layout/QPainterElementPainter.h"

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPicture>

namespace corvane {
namespace {

Qt::PenStyle QtPenStyle(PenStyle style, int width)
{
    // The platform's canvas draws wide pens solid whatever their dash style.
    if (width > 1 && style >= PenStyle::Dash && style <= PenStyle::DashDotDot)
        return Qt::SolidLine;
    switch (style) {
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::DashDot:
        return Qt::DashDotLine;
    case PenStyle::DashDotDot:
        return Qt::DashDotDotLine;
    case PenStyle::Clear:
        return Qt::NoPen;
    case PenStyle::Solid:
    case PenStyle::InsideFrame:
        break;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle QtBrushStyle(BrushStyle style)
{
    switch (style) {
    case BrushStyle::Clear:
        return Qt::NoBrush;
    case BrushStyle::Horizontal:
        return Qt::HorPattern;
    case BrushStyle::Vertical:
        return Qt::VerPattern;
    case BrushStyle::FDiagonal:
        return Qt::FDiagPattern;
    case BrushStyle::BDiagonal:
        return Qt::BDiagPattern;
    case BrushStyle::Cross:
        return Qt::CrossPattern;
    case BrushStyle::DiagCross:
        return Qt::DiagCrossPattern;
    case BrushStyle::Solid:
        break;
    }
    return Qt::SolidPattern;
}

QPainter::CompositionMode QtCompositionMode(PenMode mode)
{
    switch (mode) {
    case PenMode::Not:
        return QPainter::RasterOp_NotDestination;
    case PenMode::NotCopy:
        return QPainter::RasterOp_NotSource;
    case PenMode::MergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    case PenMode::MaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case PenMode::MergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case PenMode::MaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case PenMode::Merge:
        return QPainter::RasterOp_SourceOrDestination;
    case PenMode::NotMerge:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case PenMode::Mask:
        return QPainter::RasterOp_SourceAndDestination;
    case PenMode::NotMask:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case PenMode::Xor:
        return QPainter::RasterOp_SourceXorDestination;
    case PenMode::NotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

} // namespace

QPainterElementPainter::QPainterElementPainter(QPainter& painter, double pixelsPerInch)
    : FPainter(painter), FPixelsPerInch(pixelsPerInch)
{
}

void QPainterElementPainter::SetPen(const SurfacePen& pen)
{
    FPen = pen;
}

void QPainterElementPainter::SetBrush(const SurfaceBrush& brush)
{
    FBrush = brush;
}

void QPainterElementPainter::SetFont(const QFont& font)
{
    FFont = MappedFont(font);
}

template <class Draw> void QPainterElementPainter::Shape(const QRectF& rect, Draw draw)
{
    if (FPen.Mode == PenMode::Nop)
        return;
    QColor penColor = FPen.Color;
    QColor brushColor = FBrush.Color;
    if (FPen.Mode == PenMode::Black || FPen.Mode == PenMode::White)
        penColor = brushColor = FPen.Mode == PenMode::Black ? QColor(Qt::black) : QColor(Qt::white);

    FPainter.save();
    if (FPainter.paintEngine() && FPainter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
        FPainter.setCompositionMode(QtCompositionMode(FPen.Mode));
    QPen pen(penColor);
    pen.setStyle(QtPenStyle(FPen.Style, FPen.Width));
    pen.setWidthF(FPen.Width < 0 ? 0 : FPen.Width);
    pen.setCapStyle(FPen.Width > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    FPainter.setPen(pen);
    FPainter.setBrush(QBrush(brushColor, QtBrushStyle(FBrush.Style)));

    // The outline runs through the last pixel inside the rectangle, as on the platform's canvas;
    // an inside-frame pen keeps all of its width within the rectangle.
    QRectF path = rect.normalized().adjusted(0, 0, -1, -1);
    if (FPen.Style == PenStyle::InsideFrame && FPen.Width > 1) {
        const double inset = (FPen.Width - 1) / 2.0;
        path.adjust(inset, inset, -inset, -inset);
    }
    draw(path);
    FPainter.restore();
}

void QPainterElementPainter::Rectangle(const QRectF& rect)
{
    Shape(rect, [this](const QRectF& path) { FPainter.drawRect(path); });
}

void QPainterElementPainter::RoundRect(const QRectF& rect, double cornerWidth, double cornerHeight)
{
    Shape(rect, [&](const QRectF& path) {
        FPainter.drawRoundedRect(path, cornerWidth / 2.0, cornerHeight / 2.0, Qt::AbsoluteSize);
    });
}

void QPainterElementPainter::Ellipse(const QRectF& rect)
{
    Shape(rect, [this](const QRectF& path) { FPainter.drawEllipse(path); });
}

void QPainterElementPainter::Line(const QPointF& from, const QPointF& to)
{
    SurfaceBrush saved = FBrush;
    FBrush.Style = BrushStyle::Clear;
    // A line is not a rectangle: no inset, so go around Shape's outline rule.
    Shape(QRectF(), [&](const QRectF&) { FPainter.drawLine(from, to); });
    FBrush = saved;
}

void QPainterElementPainter::FillRect(const QRectF& rect, const QColor& color)
{
    FPainter.fillRect(rect.normalized(), color);
}

void QPainterElementPainter::Text(const QPointF& origin, const QString& text, const QRectF& clip, int angle)
{
    if (text.isEmpty())
        return;
    // The painter converts points with its device's resolution and then applies its
    // transformation; the font is scaled so that it comes out at our pixels' resolution instead.
    QFont deviceFont(FFont);
    const QPaintDevice* device = FPainter.device();
    if (device && device->logicalDpiY() > 0 && FFont.pointSizeF() > 0)
        deviceFont.setPointSizeF(FFont.pointSizeF() * FPixelsPerInch / device->logicalDpiY());

    FPainter.save();
    FPainter.setClipRect(clip.normalized(), Qt::IntersectClip);
    FPainter.setFont(deviceFont);
    FPainter.setPen(FTextColor);
    FPainter.setBackgroundMode(Qt::TransparentMode);
    FPainter.translate(origin);
    FPainter.rotate(-angle);
    FPainter.drawText(QPointF(0, FontMetrics(FFont).ascent()), text);
    FPainter.restore();
}

void QPainterElementPainter::StretchBitmap(const QRectF& target, const QImage& image, bool flip, bool reverse)
{
    if (image.isNull() || target.isEmpty())
        return;
    FPainter.drawImage(target, (flip || reverse) ? image.mirrored(reverse, flip) : image);
}

void QPainterElementPainter::StretchPicture(const QRectF& target, const QPicture& picture)
{
    const QRectF bounds = picture.boundingRect();
    if (bounds.isEmpty() || target.isEmpty())
        return;
    FPainter.save();
    FPainter.translate(target.topLeft());
    FPainter.scale(target.width() / bounds.width(), target.height() / bounds.height());
    FPainter.translate(-bounds.topLeft());
    // Playing a picture scales it from its own resolution to the device's; the stretch above
    // already maps its bounds, so that scaling is undone.
    const QPaintDevice* device = FPainter.device();
    if (device && device->logicalDpiX() > 0 && device->logicalDpiY() > 0)
        FPainter.scale(static_cast<double>(picture.logicalDpiX()) / device->logicalDpiX(),
                       static_cast<double>(picture.logicalDpiY()) / device->logicalDpiY());
    FPainter.drawPicture(QPointF(0, 0), picture);
    FPainter.restore();
}

} // namespace corvane
