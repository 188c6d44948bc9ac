#include "app/TCVReindex.h"

#include <QFileInfo>

namespace corvane {

TCVReindex::TCVReindex(const QString& path, Rebuild rebuild, QWidget* parent)
    : TRebuildWindow(
          "TCVReindex", "Rebuild indexes for " + QFileInfo(path).fileName(), HelpContext,
          "Removes the deleted records of " + QFileInfo(path).fileName() +
              " for good and builds all its indexes anew.",
          CleaningOutStatus, true,
          [this, rebuild = std::move(rebuild)](const RebuildProgress& progress) {
              FOutcome = rebuild(progress);
          },
          parent)
{
}

} // namespace corvane
