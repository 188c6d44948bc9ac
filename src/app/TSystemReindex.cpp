#include "app/TSystemReindex.h"

namespace corvane {

TSystemReindex::TSystemReindex(QWidget* parent)
    : TRebuildWindow(
          "TSystemReindex", "Rebuild System Indexes", HelpContext,
          "Removes the deleted entries of the letter, label, state, label setup, envelope and "
          "report files for good and builds their indexes anew.",
          "Rebuilding Letters File indexes", false,
          [this](const RebuildProgress& progress) { FFailures = RebuildSystemIndexes(progress); }, parent)
{
}

} // namespace corvane
