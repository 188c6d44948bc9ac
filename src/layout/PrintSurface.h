#pragma once
// The page of the printing engine as elements see it: inches from the page's top-left corner.
// Lines, shapes, pictures and bar codes print with the primitives here; text elements print
// through StretchDrawing, which gives them an ElementPainter whose pixels are stretched into their
// inch rectangle (the recorded-drawing path).

#include <functional>
#include <vector>

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>

#include "layout/ElementPainter.h"
#include "printing/pages/PenWidth.h"

class QImage;
class QPicture;

namespace corvane {

class PrintSurface {
  public:
    virtual ~PrintSurface() = default;

    virtual double DotsPerInchX() const = 0;
    virtual double DotsPerInchY() const = 0;
    // The device rectangle of an inch rectangle (x1, y1, x2, y2), rounded to whole dots.
    QRect DeviceRect(const QRectF& inches) const;

    // Width follows PenWidthInDots.
    virtual void SetPen(const SurfacePen& pen) = 0;
    virtual void SetBrush(const SurfaceBrush& brush) = 0;

    // Shapes in inches; the outline is centred on the rectangle's edges.
    virtual void Rectangle(const QRectF& inches) = 0;
    virtual void RoundRect(const QRectF& inches, double cornerWidth, double cornerHeight) = 0;
    virtual void Ellipse(const QRectF& inches) = 0;
    void MoveTo(const QPointF& inches) { FPenPosition = inches; }
    // A line from the pen position, which then moves to the end point.
    void LineTo(const QPointF& inches);

    // Rectangles filled with one colour and no outline, drawn in one go (a bar code's bars). The
    // pen and brush are left as this sets them: no pen, a solid brush of that colour.
    virtual void FillRectangles(const std::vector<QRectF>& inches, const QColor& color);

    virtual void StretchBitmap(const QRectF& inches, const QImage& image) = 0;
    // A metafile (recorded drawing) stretched from its bounding rectangle into the inch rectangle.
    virtual void StretchMetafile(const QRectF& inches, const QPicture& picture) = 0;
    // Calls draw with a painter whose pixel rectangle (0, 0, pixelSize) at pixelsPerInch is
    // stretched into the inch rectangle and clipped to it.
    virtual void StretchDrawing(const QRectF& inches, const QSizeF& pixelSize, double pixelsPerInch,
                                const std::function<void(ElementPainter&)>& draw) = 0;

    // The number of the page being printed; the first page is 1.
    virtual int PageNumber() const = 0;

  protected:
    virtual void Line(const QPointF& fromInches, const QPointF& toInches) = 0;

  private:
    QPointF FPenPosition;
};

} // namespace corvane
