#pragma once
// Where an envelope lies on the page the printer reports, and what the "Envelope Print" window
// says about the feed and the paper: pure functions of sizes in inches and the feed settings.

#include <string_view>

#include <QPointF>
#include <QString>

#include "envelopes/EnvelopeSettings.h"

namespace corvane {

inline constexpr std::string_view PaperSizeWarningText =
    "WARNING: Printer PAPER SIZE and ORIENTATION do not match selected Envelope.\r\nUse Printer Setup to "
    "correct "
    "this.";

// The top-left corner of the layout on the page, in inches. A page of the envelope's size (equal
// in tenths of an inch on both sides) puts it at the corner; otherwise the feed decides:
//   face up, portrait: X by position right W - w, centre (W - w) / 2, left 0; Y 0
//   face down, portrait: the same with left and right exchanged
//   landscape: X = W - w unless the printer turns clockwise (then 0); Y by position
//     (face up: right H - h, centre (H - h) / 2, left 0; face down: left and right exchanged)
// A negative offset becomes 0.
QPointF EnvelopeOffset(double pageWidth, double pageHeight, double envelopeWidth, double envelopeHeight,
                       const EnvelopeFeed& feed);

// "Position: Center\r\nOrientation : Landscape\r\nFacing Down" (with "Clockwise Rotation" before the
// facing when that is on).
QString FeedDescription(const EnvelopeFeed& feed);

// True when the page differs from the envelope by more than an inch in width or height (all four
// truncated to hundredths first).
bool PaperSizeWarningShown(double pageWidth, double pageHeight, double envelopeWidth, double envelopeHeight);

} // namespace corvane
