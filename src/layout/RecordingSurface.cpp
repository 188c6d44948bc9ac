#include "layout/RecordingSurface.h"

#include <QImage>
#include <QPicture>
#include <QTransform>

namespace corvane {

RecordingSurface::RecordingSurface(double dotsPerInch, int pageNumber)
    : FDotsPerInch(dotsPerInch), FPageNumber(pageNumber)
{
}

RecordedPrimitive RecordingSurface::Shape(PrimitiveKind kind, const QRectF& inches) const
{
    RecordedPrimitive primitive;
    primitive.Kind = kind;
    primitive.Rect = inches;
    primitive.Pen = FPen;
    primitive.PenWidth = PenWidthInDots(FPen.Width, FDotsPerInch) / FDotsPerInch;
    primitive.Brush = FBrush;
    return primitive;
}

void RecordingSurface::Rectangle(const QRectF& inches)
{
    FPrimitives.push_back(Shape(PrimitiveKind::Rectangle, inches));
}

void RecordingSurface::RoundRect(const QRectF& inches, double cornerWidth, double cornerHeight)
{
    RecordedPrimitive primitive = Shape(PrimitiveKind::RoundRect, inches);
    primitive.CornerWidth = cornerWidth;
    primitive.CornerHeight = cornerHeight;
    FPrimitives.push_back(primitive);
}

void RecordingSurface::Ellipse(const QRectF& inches)
{
    FPrimitives.push_back(Shape(PrimitiveKind::Ellipse, inches));
}

void RecordingSurface::Line(const QPointF& fromInches, const QPointF& toInches)
{
    RecordedPrimitive primitive = Shape(PrimitiveKind::Line, QRectF(fromInches, toInches).normalized());
    primitive.From = fromInches;
    primitive.To = toInches;
    FPrimitives.push_back(primitive);
}

void RecordingSurface::StretchBitmap(const QRectF& inches, const QImage& image)
{
    RecordedPrimitive primitive;
    primitive.Kind = PrimitiveKind::Bitmap;
    primitive.Rect = inches;
    primitive.ImageSize = image.size();
    FPrimitives.push_back(primitive);
}

void RecordingSurface::StretchMetafile(const QRectF& inches, const QPicture& picture)
{
    RecordedPrimitive primitive;
    primitive.Kind = PrimitiveKind::Picture;
    primitive.Rect = inches;
    primitive.ImageSize = picture.boundingRect().size();
    FPrimitives.push_back(primitive);
}

void RecordingSurface::StretchDrawing(const QRectF& inches, const QSizeF& pixelSize, double pixelsPerInch,
                                      const std::function<void(ElementPainter&)>& draw)
{
    RecordedPrimitive primitive;
    primitive.Kind = PrimitiveKind::Drawing;
    primitive.Rect = inches;
    primitive.ImageSize = pixelSize.toSize();
    FPrimitives.push_back(primitive);
    if (pixelSize.width() <= 0 || pixelSize.height() <= 0)
        return;
    QTransform toInches;
    toInches.translate(inches.left(), inches.top());
    toInches.scale(inches.width() / pixelSize.width(), inches.height() / pixelSize.height());
    RecordingElementPainter painter(FPrimitives, pixelsPerInch, toInches);
    draw(painter);
}

} // namespace corvane
