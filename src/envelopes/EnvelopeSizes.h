#pragma once
// The envelope sizes a setup may have: the list the "Envelope Size" dialog shows, each with the
// printer interface's paper number for it and its size in inches as the envelope lies with its
// address readable (width the long side, height the short side).

#include <span>

#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>

namespace corvane {

struct EnvelopeSize {
    const char* Name; // the list text, letter for letter (blanks included)
    int Code;
    double Width;
    double Height;
};

// The sixteen sizes in list order.
std::span<const EnvelopeSize> EnvelopeSizes();
// The size of a code; nullptr for a code of no envelope.
const EnvelopeSize* FindEnvelopeSize(int code);
// The list row of a code; -1 for a code of no envelope.
int EnvelopeSizeIndex(int code);
// Width and height of a code; -1 for a code of no envelope.
double EnvelopeWidth(int code);
double EnvelopeHeight(int code);

// The code a setup has when none is given: Envelope #10.
inline constexpr int DefaultEnvelopeCode = 20;

// The envelope as a page, lying as the feed orientation has it (landscape: its width across,
// portrait: turned upright), in inches; empty for a code of no envelope.
QSizeF EnvelopePageInches(int code, bool landscape);
// A page of `inches` (width across, height down) as a page size and orientation for a page device.
struct PageGeometry {
    QPageSize Size;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
};
PageGeometry PageGeometryFor(const QSizeF& inches);

} // namespace corvane
