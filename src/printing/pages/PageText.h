#pragma once
// Text on a page in the units runs think in: fonts by name and size in points, positions and
// clip rectangles in inches from the paper's corner (the painter of a PageSink).

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

namespace corvane {

// A font by name and size in points, as runs ask for it (for example "Arial", 8). On a page
// painter the size follows the page's resolution, so 72 points are one inch on every device.
QFont PageFont(const QString& name, double points);

// Draws one line of `text` with the painter's font and pen, the top-left corner of its line box
// at `topLeftInches`, cut off at the edges of `clipInches`. The painter's clip is left as it was.
void DrawTextClipped(QPainter& painter, const QRectF& clipInches, const QPointF& topLeftInches,
                     const QString& text);

// The height of one line of the painter's current font, and the part below the baseline, in inches.
double LineHeightInches(const QPainter& painter);
double DescentInches(const QPainter& painter);

} // namespace corvane
