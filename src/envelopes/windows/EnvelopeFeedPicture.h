#pragma once
// The picture of how envelopes go into the printer: the feed slot, and over it the envelope as it
// is fed (front for face up, back for face down; upright for portrait, turned for landscape, the
// turn's direction following the clockwise setting), at the slot's left, right or centre. Our own
// drawing, shown by "Paper Feed Method" and "Envelope Print".

#include <QWidget>

#include "envelopes/EnvelopeSettings.h"

class QPainter;

namespace corvane {

// Draws the picture into `area`.
void DrawEnvelopeFeed(QPainter& painter, const QRect& area, const EnvelopeFeed& feed);
// Where the envelope picture goes in `area` (for tests of the position rule).
QRect EnvelopePictureRect(const QRect& area, const EnvelopeFeed& feed);

class EnvelopeFeedPicture : public QWidget {
    Q_OBJECT
  public:
    explicit EnvelopeFeedPicture(QWidget* parent = nullptr);
    const EnvelopeFeed& Feed() const { return FFeed; }
    void SetFeed(const EnvelopeFeed& feed);
    QSize sizeHint() const override { return {150, 110}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    EnvelopeFeed FFeed;
};

} // namespace corvane
