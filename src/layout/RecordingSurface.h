#pragma once
// A print surface for tests: records every primitive with its inch geometry (no pixels), pens with
// their width converted by the surface's resolution.

#include <vector>

#include "layout/PrintSurface.h"
#include "layout/RecordingElementPainter.h"

namespace corvane {

class RecordingSurface : public PrintSurface {
  public:
    explicit RecordingSurface(double dotsPerInch = 600.0, int pageNumber = 1);

    const std::vector<RecordedPrimitive>& Primitives() const { return FPrimitives; }
    void Clear() { FPrimitives.clear(); }
    void SetPageNumber(int pageNumber) { FPageNumber = pageNumber; }

    double DotsPerInchX() const override { return FDotsPerInch; }
    double DotsPerInchY() const override { return FDotsPerInch; }
    void SetPen(const SurfacePen& pen) override { FPen = pen; }
    void SetBrush(const SurfaceBrush& brush) override { FBrush = brush; }
    void Rectangle(const QRectF& inches) override;
    void RoundRect(const QRectF& inches, double cornerWidth, double cornerHeight) override;
    void Ellipse(const QRectF& inches) override;
    void StretchBitmap(const QRectF& inches, const QImage& image) override;
    void StretchMetafile(const QRectF& inches, const QPicture& picture) override;
    // Records a Drawing primitive (inch rectangle, pixel size) followed by what draw paints, in
    // inches.
    void StretchDrawing(const QRectF& inches, const QSizeF& pixelSize, double pixelsPerInch,
                        const std::function<void(ElementPainter&)>& draw) override;
    int PageNumber() const override { return FPageNumber; }

  protected:
    void Line(const QPointF& fromInches, const QPointF& toInches) override;

  private:
    RecordedPrimitive Shape(PrimitiveKind kind, const QRectF& inches) const;

    double FDotsPerInch;
    int FPageNumber;
    SurfacePen FPen;
    SurfaceBrush FBrush;
    std::vector<RecordedPrimitive> FPrimitives;
};

} // namespace corvane
