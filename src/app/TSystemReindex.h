#pragma once
// "Rebuild System Indexes": packs and re-tags the six tables of the system data directory in
// turn (letters, labels, states, label setups, envelopes, reports). A table that cannot be
// rebuilt is left as it is and the others are still done; nothing is reported about it.

#include <vector>

#include "app/TRebuildWindow.h"

namespace corvane {

class TSystemReindex : public TRebuildWindow {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1039;

    explicit TSystemReindex(QWidget* parent = nullptr);

    // The tables that could not be rebuilt (empty before the rebuild has run).
    const std::vector<SystemRebuildFailure>& Failures() const { return FFailures; }

  private:
    std::vector<SystemRebuildFailure> FFailures;
};

} // namespace corvane
