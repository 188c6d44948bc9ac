#pragma once
// "Rebuild Indexes" for the open address file: packs the table (deleted records go for good) and
// builds its 26 tags anew, with the gauge of the two phases (see ReindexProgress). The caller says
// what to rebuild: the main window keeps its record and order around the rebuild, the open
// sequence rebuilds the table it has just opened.

#include <QString>

#include "app/TRebuildWindow.h"
#include "platform/Result.h"

namespace corvane {

class TCVReindex : public TRebuildWindow {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1040;
    using Rebuild = std::function<Status(const RebuildProgress& progress)>;

    // `path`: the address file (the title shows its file name).
    TCVReindex(const QString& path, Rebuild rebuild, QWidget* parent = nullptr);

    // The rebuild's outcome; an error while it has not run ("Cancel").
    const Status& Outcome() const { return FOutcome; }

  private:
    Status FOutcome = Status::Error("The indexes were not rebuilt");
};

} // namespace corvane
