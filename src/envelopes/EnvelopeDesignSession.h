#pragma once
// The envelope designer without its widgets: the description and the size code while the designer
// is open, the panel sized to the envelope, and what "Change Size" and "Save" do. Change marking,
// the zoom (50 to 150 % in steps of 10), the record buttons (which leave counters alone here) and
// the default font of section "Envelope" are the designers' shared DesignSession.

#include <functional>

#include <QString>

#include "designing/DesignSession.h"
#include "envelopes/EnvelopeSetup.h"

namespace corvane {

class TEnvelopePanel;
class ToolWindowView;

inline constexpr DesignZoom EnvelopeDesignZoom{50, 150, 10};
// The description edit accepts this many characters; the setup keeps 50.
inline constexpr int EnvelopeDescriptionEditLength = 60;

class EnvelopeDesignSession : public DesignSession {
  public:
    EnvelopeDesignSession(TEnvelopePanel& panel, const EnvelopeSetup& setup, const ToolWindowView* addresses);

    TEnvelopePanel& Panel() const { return FPanel; }
    const EnvelopeSetup& Setup() const { return FSetup; }

    // The description as the designer opens with it (no change of the user's).
    void SetDescription(const QString& text);
    // The description edit changed: the description takes the text cut to 50 characters.
    void DescriptionEdited(const QString& text);
    // Sizes the panel to the setup's envelope at 100 % (the zoom is put back); false when it
    // already had that size.
    bool ApplyEnvelopeSize();
    // "Change Size" with a chosen code: the panel takes the new size, elements beyond its right or
    // bottom edge come back inside, and the envelope counts as changed. Nothing for a code of no
    // envelope.
    bool ChangeSize(int code);
    // "Save": elements outside the panel or of no size go; the description takes the edit's text.
    void PrepareSave(const QString& descriptionText);

    // Where the size reaches the screen (the design widget); left empty, the panel model is sized.
    std::function<void(int32_t width, int32_t height)> ApplySize;

  private:
    TEnvelopePanel& FPanel;
    EnvelopeSetup FSetup;
};

} // namespace corvane
