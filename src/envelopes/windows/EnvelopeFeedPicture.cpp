#include "envelopes/windows/EnvelopeFeedPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace corvane {

namespace {

// The slot spans the picture below a strip for the printer's top; the envelope sits 2 pixels into
// the slot from the top.
QRect SlotRect(const QRect& area)
{
    return area.adjusted(6, 14, -6, -4);
}

void DrawEnvelopeFront(QPainter& painter, const QRectF& envelope, bool upright, bool clockwise)
{
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(envelope);
    // The address lines in the middle and the stamp in the corner, as the address reads.
    const double w = envelope.width();
    const double h = envelope.height();
    painter.setBrush(QColor(200, 40, 40));
    if (!upright) {
        // Turned clockwise the stamp corner comes round to the bottom left.
        if (clockwise)
            painter.drawRect(
                QRectF(envelope.left() + w * 0.06, envelope.bottom() - h * 0.32, w * 0.12, h * 0.22));
        else
            painter.drawRect(
                QRectF(envelope.right() - w * 0.18, envelope.top() + h * 0.1, w * 0.12, h * 0.22));
        painter.setPen(QPen(Qt::darkGray, 1));
        for (int line = 0; line < 3; ++line) {
            const double y = envelope.top() + h * (0.5 + 0.12 * line);
            painter.drawLine(QPointF(envelope.left() + w * 0.35, y), QPointF(envelope.left() + w * 0.75, y));
        }
    } else {
        painter.drawRect(
            QRectF(envelope.right() - w * 0.32, envelope.bottom() - h * 0.18, w * 0.22, h * 0.12));
        painter.setPen(QPen(Qt::darkGray, 1));
        for (int line = 0; line < 3; ++line) {
            const double x = envelope.left() + w * (0.5 - 0.12 * line);
            painter.drawLine(QPointF(x, envelope.top() + h * 0.35), QPointF(x, envelope.top() + h * 0.75));
        }
    }
}

void DrawEnvelopeBack(QPainter& painter, const QRectF& envelope, bool upright, bool clockwise)
{
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(235, 235, 225));
    painter.drawRect(envelope);
    // The flap: a triangle from the edge that is the envelope's top.
    QPainterPath flap;
    const QPointF c = envelope.center();
    // Turned clockwise the envelope's top is at the bottom of the picture.
    if (!upright && !clockwise) {
        flap.moveTo(envelope.topLeft());
        flap.lineTo(c.x(), c.y());
        flap.lineTo(envelope.topRight());
    } else if (!upright) {
        flap.moveTo(envelope.bottomLeft());
        flap.lineTo(c.x(), c.y());
        flap.lineTo(envelope.bottomRight());
    } else {
        flap.moveTo(envelope.topLeft());
        flap.lineTo(c.x(), c.y());
        flap.lineTo(envelope.bottomLeft());
    }
    painter.setBrush(QColor(215, 215, 200));
    painter.drawPath(flap);
}

} // namespace

QRect EnvelopePictureRect(const QRect& area, const EnvelopeFeed& feed)
{
    const QRect slot = SlotRect(area);
    // A landscape feed goes in long edge first (wide picture), a portrait one short edge first.
    const QSize size = feed.Landscape() ? QSize(slot.width() * 3 / 5, slot.height() * 2 / 5)
                                        : QSize(slot.width() * 2 / 7, slot.height() * 4 / 5);
    int left = slot.left() + (slot.width() - size.width()) / 2;
    if (feed.Position == FeedPosition::Left)
        left = slot.left() + 2;
    else if (feed.Position == FeedPosition::Right)
        left = slot.right() - 1 - size.width();
    return QRect(QPoint(left, slot.top() + 2), size);
}

void DrawEnvelopeFeed(QPainter& painter, const QRect& area, const EnvelopeFeed& feed)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // The printer's top and its feed slot.
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(180, 180, 190));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    const QRect slot = SlotRect(area);
    painter.setBrush(QColor(90, 90, 100));
    painter.drawRect(slot);
    painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
    painter.drawLine(slot.center().x(), area.top() + 3, slot.center().x(), area.top() + 11);

    const QRectF envelope = EnvelopePictureRect(area, feed);
    const bool upright = !feed.Landscape();
    if (feed.Facing == FeedFacing::Up)
        DrawEnvelopeFront(painter, envelope, upright, feed.ClockWiseRotation);
    else
        DrawEnvelopeBack(painter, envelope, upright, feed.ClockWiseRotation);
    if (!upright) {
        // Landscape: the arrow says which way the printer turns the page.
        painter.setPen(QPen(Qt::blue, 1));
        painter.drawText(envelope.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignBottom,
                         feed.ClockWiseRotation ? QStringLiteral("\u21bb") : QStringLiteral("\u21ba"));
    }
    painter.restore();
}

EnvelopeFeedPicture::EnvelopeFeedPicture(QWidget* parent) : QWidget(parent)
{
    setObjectName("FeedPicture");
    setMinimumSize(150, 110);
}

void EnvelopeFeedPicture::SetFeed(const EnvelopeFeed& feed)
{
    FFeed = feed;
    update();
}

void EnvelopeFeedPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawEnvelopeFeed(painter, rect(), FFeed);
}

} // namespace corvane
