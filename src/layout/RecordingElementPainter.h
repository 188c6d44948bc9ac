#pragma once
// A painter that records what an element draws instead of drawing it, for tests: each primitive
// with its geometry mapped into the recording's units (the element's pixels on their own, inches
// when a RecordingSurface stretches a drawing onto its page).

#include <vector>

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTransform>

#include "layout/ElementPainter.h"

namespace corvane {

enum class PrimitiveKind { Rectangle, RoundRect, Ellipse, Line, FillRect, Text, Bitmap, Picture, Drawing };

struct RecordedPrimitive {
    PrimitiveKind Kind = PrimitiveKind::Rectangle;
    // Shapes, fills, bitmap and picture targets, a text's clip, a Drawing's stretched rectangle.
    QRectF Rect;
    // Line ends; a text's origin is From.
    QPointF From;
    QPointF To;
    double CornerWidth = 0; // RoundRect, in the recording's units
    double CornerHeight = 0;
    QString Text;
    int Angle = 0;
    SurfacePen Pen;
    // The pen's width in the recording's units (a surface converts dots and hundredths of an inch).
    double PenWidth = 0;
    SurfaceBrush Brush;
    QFont Font;
    // The font's height (ascent + descent) in the recording's units.
    double FontHeight = 0;
    QColor TextColor;
    QSize ImageSize; // Bitmap; a Drawing's pixel size
    bool Flip = false;
    bool Reverse = false;
};

class RecordingElementPainter : public ElementPainter {
  public:
    // Records into sink, mapping the element's pixels through toRecorded.
    RecordingElementPainter(std::vector<RecordedPrimitive>& sink, double pixelsPerInch,
                            const QTransform& toRecorded = QTransform());

    double PixelsPerInch() const override { return FPixelsPerInch; }
    void SetPen(const SurfacePen& pen) override { FPen = pen; }
    void SetBrush(const SurfaceBrush& brush) override { FBrush = brush; }
    void SetFont(const QFont& font) override { FFont = font; }
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
    RecordedPrimitive Shape(PrimitiveKind kind, const QRectF& rect) const;
    double Scale() const;

    std::vector<RecordedPrimitive>& FSink;
    double FPixelsPerInch;
    QTransform FToRecorded;
    SurfacePen FPen;
    SurfaceBrush FBrush;
    QFont FFont;
    QColor FTextColor = Qt::black;
};

} // namespace corvane
