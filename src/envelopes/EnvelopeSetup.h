#pragma once
// The working copy of one envelope setup: a row of ENVELOPE.DBF (its name, its envelope size code
// and the name of its layout file in sysdata).

#include <QString>

#include "envelopes/EnvelopeSizes.h"

namespace corvane {

struct EnvelopeSetup {
    QString Description = "Envelope #10"; // at most 50 characters
    int Code = DefaultEnvelopeCode;
    QString LayoutFileName; // "BIN#####.E" in sysdata

    // From the size table; -1 for a code of no envelope.
    double Width() const { return EnvelopeWidth(Code); }
    double Height() const { return EnvelopeHeight(Code); }
};

// The description a new setup shows in the designer until it is named.
inline constexpr char NewEnvelopeDescription[] = "<New envelope>";
// The most characters a setup's description keeps.
inline constexpr int EnvelopeDescriptionLength = 50;

} // namespace corvane
