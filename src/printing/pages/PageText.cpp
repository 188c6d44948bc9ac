#include "printing/pages/PageText.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace corvane {

namespace {

double DotsPerInchX(const QPainter& painter)
{
    return painter.device() ? painter.device()->logicalDpiX() : 72.0;
}

double DotsPerInchY(const QPainter& painter)
{
    return painter.device() ? painter.device()->logicalDpiY() : 72.0;
}

} // namespace

QFont PageFont(const QString& name, double points)
{
    QFont font(name);
    font.setPointSizeF(points > 0 ? points : 1.0);
    return font;
}

void DrawTextClipped(QPainter& painter, const QRectF& clipInches, const QPointF& topLeftInches,
                     const QString& text)
{
    const double dpiX = DotsPerInchX(painter);
    const double dpiY = DotsPerInchY(painter);
    const QRectF clip(clipInches.left() * dpiX, clipInches.top() * dpiY, clipInches.width() * dpiX,
                      clipInches.height() * dpiY);
    const QPointF topLeft(topLeftInches.x() * dpiX, topLeftInches.y() * dpiY);
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    painter.restore();
}

double LineHeightInches(const QPainter& painter)
{
    return QFontMetricsF(painter.font(), painter.device()).height() / DotsPerInchY(painter);
}

double DescentInches(const QPainter& painter)
{
    return QFontMetricsF(painter.font(), painter.device()).descent() / DotsPerInchY(painter);
}

} // namespace corvane
