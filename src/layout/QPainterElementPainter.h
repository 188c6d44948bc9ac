#pragma once
// The element painter over a QPainter: a panel's canvas on screen, or any device whose painter's
// transformation maps the element's pixels to where they belong (a QPainterSurface sets that up).

#include "layout/ElementPainter.h"

class QPainter;

namespace corvane {

class QPainterElementPainter : public ElementPainter {
  public:
    // painter is active; the element's pixels are the painter's logical units (its current
    // transformation applies); pixelsPerInch is their resolution at zoom 1.0.
    QPainterElementPainter(QPainter& painter, double pixelsPerInch);

    double PixelsPerInch() const override { return FPixelsPerInch; }
    void SetPen(const SurfacePen& pen) override;
    void SetBrush(const SurfaceBrush& brush) override;
    void SetFont(const QFont& font) override;
    void SetTextColor(const QColor& color) override { FTextColor = color; }
    void Rectangle(const QRectF& rect) override;
    void RoundRect(const QRectF& rect, double cornerWidth, double cornerHeight) override;
    void Ellipse(const QRectF& rect) override;
    void Line(const QPointF& from, const QPointF& to) override;
    void FillRect(const QRectF& rect, const QColor& color) override;
    void Text(const QPointF& origin, const QString& text, const QRectF& clip, int angle = 0) override;
    void StretchBitmap(const QRectF& target, const QImage& image, bool flip = false,
                       bool reverse = false) override;
    void StretchPicture(const QRectF& target, const QPicture& picture) override;

  private:
    template <class Draw> void Shape(const QRectF& rect, Draw draw);

    QPainter& FPainter;
    double FPixelsPerInch;
    SurfacePen FPen;
    SurfaceBrush FBrush;
    QFont FFont;
    QColor FTextColor = Qt::black;
};

} // namespace corvane
