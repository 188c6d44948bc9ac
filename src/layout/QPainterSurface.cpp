#include "layout/QPainterSurface.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPicture>

#include "layout/QPainterElementPainter.h"

namespace corvane {

QPainterSurface::QPainterSurface(QPainter& painter, int pageNumber)
    : FPainter(painter), FPageNumber(pageNumber)
{
}

double QPainterSurface::DotsPerInchX() const
{
    return FPainter.device() ? FPainter.device()->logicalDpiX() : 72.0;
}

double QPainterSurface::DotsPerInchY() const
{
    return FPainter.device() ? FPainter.device()->logicalDpiY() : 72.0;
}

QRectF QPainterSurface::ToDevice(const QRectF& inches) const
{
    return QRectF(ToDevice(inches.topLeft()), ToDevice(inches.bottomRight()));
}

QPointF QPainterSurface::ToDevice(const QPointF& inches) const
{
    return QPointF(inches.x() * DotsPerInchX(), inches.y() * DotsPerInchY());
}

// The device's dots are the shapes' pixels: the element painter's rules for outlines and fills
// hold on paper as they do on screen, with the pen width converted to dots.
QPainterElementPainter QPainterSurface::DevicePainter()
{
    QPainterElementPainter device(FPainter, DotsPerInchY());
    SurfacePen devicePen = FPen;
    devicePen.Width = PenWidthInDots(FPen.Width, DotsPerInchY());
    device.SetPen(devicePen);
    device.SetBrush(FBrush);
    return device;
}

void QPainterSurface::Rectangle(const QRectF& inches)
{
    QPainterElementPainter device = DevicePainter();
    device.Rectangle(ToDevice(inches));
}

void QPainterSurface::FillRectangles(const std::vector<QRectF>& inches, const QColor& color)
{
    SetPen(SurfacePen{color, PenStyle::Clear, PenMode::Copy, 0});
    SetBrush(SurfaceBrush{color, BrushStyle::Solid});
    if (inches.empty())
        return;
    QList<QRectF> device;
    device.reserve(static_cast<qsizetype>(inches.size()));
    for (const QRectF& rect : inches)
        device.append(ToDevice(rect));
    FPainter.save();
    FPainter.setPen(Qt::NoPen);
    FPainter.setBrush(color);
    FPainter.drawRects(device.constData(), static_cast<int>(device.size()));
    FPainter.restore();
}

void QPainterSurface::RoundRect(const QRectF& inches, double cornerWidth, double cornerHeight)
{
    QPainterElementPainter device = DevicePainter();
    device.RoundRect(ToDevice(inches), cornerWidth * DotsPerInchX(), cornerHeight * DotsPerInchY());
}

void QPainterSurface::Ellipse(const QRectF& inches)
{
    QPainterElementPainter device = DevicePainter();
    device.Ellipse(ToDevice(inches));
}

void QPainterSurface::Line(const QPointF& fromInches, const QPointF& toInches)
{
    QPainterElementPainter device = DevicePainter();
    device.Line(ToDevice(fromInches), ToDevice(toInches));
}

void QPainterSurface::StretchBitmap(const QRectF& inches, const QImage& image)
{
    QPainterElementPainter device(FPainter, DotsPerInchY());
    device.StretchBitmap(ToDevice(inches), image);
}

void QPainterSurface::StretchMetafile(const QRectF& inches, const QPicture& picture)
{
    QPainterElementPainter device(FPainter, DotsPerInchY());
    device.StretchPicture(ToDevice(inches), picture);
}

void QPainterSurface::StretchDrawing(const QRectF& inches, const QSizeF& pixelSize, double pixelsPerInch,
                                     const std::function<void(ElementPainter&)>& draw)
{
    if (pixelSize.width() <= 0 || pixelSize.height() <= 0)
        return;
    const QRectF target = ToDevice(inches);
    FPainter.save();
    FPainter.translate(target.topLeft());
    FPainter.scale(target.width() / pixelSize.width(), target.height() / pixelSize.height());
    FPainter.setClipRect(QRectF(QPointF(0, 0), pixelSize), Qt::IntersectClip);
    QPainterElementPainter painter(FPainter, pixelsPerInch);
    draw(painter);
    FPainter.restore();
}

} // namespace corvane
