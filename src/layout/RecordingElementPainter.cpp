#include "layout/RecordingElementPainter.h"

#include <cmath>

#include <QPicture>

namespace corvane {

RecordingElementPainter::RecordingElementPainter(std::vector<RecordedPrimitive>& sink, double pixelsPerInch,
                                                 const QTransform& toRecorded)
    : FSink(sink), FPixelsPerInch(pixelsPerInch), FToRecorded(toRecorded)
{
}

double RecordingElementPainter::Scale() const
{
    return std::sqrt(std::abs(FToRecorded.determinant()));
}

RecordedPrimitive RecordingElementPainter::Shape(PrimitiveKind kind, const QRectF& rect) const
{
    RecordedPrimitive primitive;
    primitive.Kind = kind;
    primitive.Rect = FToRecorded.mapRect(rect);
    primitive.Pen = FPen;
    primitive.PenWidth = FPen.Width * Scale();
    primitive.Brush = FBrush;
    return primitive;
}

void RecordingElementPainter::Rectangle(const QRectF& rect)
{
    FSink.push_back(Shape(PrimitiveKind::Rectangle, rect));
}

void RecordingElementPainter::RoundRect(const QRectF& rect, double cornerWidth, double cornerHeight)
{
    RecordedPrimitive primitive = Shape(PrimitiveKind::RoundRect, rect);
    primitive.CornerWidth = cornerWidth * std::abs(FToRecorded.m11());
    primitive.CornerHeight = cornerHeight * std::abs(FToRecorded.m22());
    FSink.push_back(primitive);
}

void RecordingElementPainter::Ellipse(const QRectF& rect)
{
    FSink.push_back(Shape(PrimitiveKind::Ellipse, rect));
}

void RecordingElementPainter::Line(const QPointF& from, const QPointF& to)
{
    RecordedPrimitive primitive = Shape(PrimitiveKind::Line, QRectF(from, to).normalized());
    primitive.From = FToRecorded.map(from);
    primitive.To = FToRecorded.map(to);
    FSink.push_back(primitive);
}

void RecordingElementPainter::FillRect(const QRectF& rect, const QColor& color)
{
    RecordedPrimitive primitive;
    primitive.Kind = PrimitiveKind::FillRect;
    primitive.Rect = FToRecorded.mapRect(rect);
    primitive.Brush = SurfaceBrush{color, BrushStyle::Solid};
    FSink.push_back(primitive);
}

void RecordingElementPainter::Text(const QPointF& origin, const QString& text, const QRectF& clip, int angle)
{
    RecordedPrimitive primitive;
    primitive.Kind = PrimitiveKind::Text;
    primitive.Rect = FToRecorded.mapRect(clip);
    primitive.From = FToRecorded.map(origin);
    primitive.Text = text;
    primitive.Angle = angle;
    primitive.Font = FFont;
    primitive.FontHeight = FontMetrics(FFont).height() * std::abs(FToRecorded.m22());
    primitive.TextColor = FTextColor;
    FSink.push_back(primitive);
}

void RecordingElementPainter::StretchBitmap(const QRectF& target, const QImage& image, bool flip,
                                            bool reverse)
{
    RecordedPrimitive primitive;
    primitive.Kind = PrimitiveKind::Bitmap;
    primitive.Rect = FToRecorded.mapRect(target);
    primitive.ImageSize = image.size();
    primitive.Flip = flip;
    primitive.Reverse = reverse;
    FSink.push_back(primitive);
}

void RecordingElementPainter::StretchPicture(const QRectF& target, const QPicture& picture)
{
    RecordedPrimitive primitive;
    primitive.Kind = PrimitiveKind::Picture;
    primitive.Rect = FToRecorded.mapRect(target);
    primitive.ImageSize = picture.boundingRect().size();
    FSink.push_back(primitive);
}

} // namespace corvane
