#pragma once
// The print surface over a QPainter on any paint device: a PDF (QPdfWriter, QPrinter), an image
// (QImage) or a recorded page (QPicture). Inches become device units through the device's logical
// resolution, counted from the device's origin.

#include "layout/PrintSurface.h"
#include "layout/QPainterElementPainter.h"

class QPainter;

namespace corvane {

class QPainterSurface : public PrintSurface {
  public:
    // painter is active on its device and stays owned by the caller.
    explicit QPainterSurface(QPainter& painter, int pageNumber = 1);

    void SetPageNumber(int pageNumber) { FPageNumber = pageNumber; }

    double DotsPerInchX() const override;
    double DotsPerInchY() const override;
    void SetPen(const SurfacePen& pen) override { FPen = pen; }
    void SetBrush(const SurfaceBrush& brush) override { FBrush = brush; }
    void Rectangle(const QRectF& inches) override;
    void RoundRect(const QRectF& inches, double cornerWidth, double cornerHeight) override;
    void Ellipse(const QRectF& inches) override;
    // One fill of all the rectangles: a printer or PDF file gets one path, not one per bar.
    void FillRectangles(const std::vector<QRectF>& inches, const QColor& color) override;
    void StretchBitmap(const QRectF& inches, const QImage& image) override;
    void StretchMetafile(const QRectF& inches, const QPicture& picture) override;
    void StretchDrawing(const QRectF& inches, const QSizeF& pixelSize, double pixelsPerInch,
                        const std::function<void(ElementPainter&)>& draw) override;
    int PageNumber() const override { return FPageNumber; }

  protected:
    void Line(const QPointF& fromInches, const QPointF& toInches) override;

  private:
    QRectF ToDevice(const QRectF& inches) const;
    QPointF ToDevice(const QPointF& inches) const;
    QPainterElementPainter DevicePainter();

    QPainter& FPainter;
    int FPageNumber;
    SurfacePen FPen;
    SurfaceBrush FBrush;
};

} // namespace corvane
