#include "envelopes/EnvelopePlacement.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QStringList>

namespace corvane {

namespace {

// Lengths come from floating-point sources (a printer's page in points, a table in inches): a
// hair below a whole tenth or hundredth still counts as that tenth or hundredth.
constexpr double Slack = 1e-6;

long Tenths(double inches)
{
    return static_cast<long>(std::trunc(inches * 10 + Slack));
}

long Hundredths(double inches)
{
    return static_cast<long>(std::trunc(inches * 100 + (inches < 0 ? -Slack : Slack)));
}

// The offset across the slot for a position, with `far` the position that puts the envelope at
// the page's far edge.
double ByPosition(FeedPosition position, FeedPosition far, double room)
{
    if (position == FeedPosition::Center)
        return room / 2;
    return position == far ? room : 0.0;
}

} // namespace

QPointF EnvelopeOffset(double pageWidth, double pageHeight, double envelopeWidth, double envelopeHeight,
                       const EnvelopeFeed& feed)
{
    if (Tenths(pageWidth) == Tenths(envelopeWidth) && Tenths(pageHeight) == Tenths(envelopeHeight))
        return {0, 0};
    const FeedPosition far = feed.Facing == FeedFacing::Up ? FeedPosition::Right : FeedPosition::Left;
    double x = 0;
    double y = 0;
    if (feed.Orientation == FeedOrientation::Portrait) {
        x = ByPosition(feed.Position, far, pageWidth - envelopeWidth);
    } else {
        x = feed.ClockWiseRotation ? 0.0 : pageWidth - envelopeWidth;
        y = ByPosition(feed.Position, far, pageHeight - envelopeHeight);
    }
    return {std::max(x, 0.0), std::max(y, 0.0)};
}

QString FeedDescription(const EnvelopeFeed& feed)
{
    QStringList lines;
    switch (feed.Position) {
    case FeedPosition::Left:
        lines << QStringLiteral("Position: Left");
        break;
    case FeedPosition::Right:
        lines << QStringLiteral("Position: Right");
        break;
    case FeedPosition::Center:
        lines << QStringLiteral("Position: Center");
        break;
    }
    lines << (feed.Landscape() ? QStringLiteral("Orientation : Landscape")
                               : QStringLiteral("Orientation : Portrait"));
    if (feed.ClockWiseRotation)
        lines << QStringLiteral("Clockwise Rotation");
    lines << (feed.Facing == FeedFacing::Up ? QStringLiteral("Facing Up") : QStringLiteral("Facing Down"));
    return lines.join(QStringLiteral("\r\n"));
}

bool PaperSizeWarningShown(double pageWidth, double pageHeight, double envelopeWidth, double envelopeHeight)
{
    return std::labs(Hundredths(pageWidth) - Hundredths(envelopeWidth)) > 100 ||
           std::labs(Hundredths(pageHeight) - Hundredths(envelopeHeight)) > 100;
}

} // namespace corvane
