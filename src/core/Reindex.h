#pragma once
// Rebuilding index files from scratch: an address file (pack, then its 26 tags) and the six
// tables of the system data directory. Deleted records go for good on the way. No windows: the
// rebuild windows show what the progress callback reports.

#include <functional>
#include <string>
#include <vector>

#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

// Gauge value (0..100) and the status text of the current step.
using RebuildProgress = std::function<void(int gauge, const std::string& status)>;

// Turns the engine's progress reports into the address-file gauge. While packing, the percentage
// is shown as it comes. While building tags, each tag counts for its own share: a report larger
// than the tag's last one adds the difference, a smaller one (the engine starting a tag afresh)
// only becomes the new last value, and a tag the engine has finished counts in full whatever it
// reported. So the gauge never goes back, and reaches 100 exactly when the last tag is done.
class ReindexProgress {
  public:
    explicit ReindexProgress(int tagCount);

    // Packing: returns the gauge.
    int Packing(int percent);
    // Starts the tag phase at 0.
    void StartTags();
    // A report for tag `tagNumber` (0-based, in building order); earlier tags count as done.
    int Tag(int tagNumber, int percent);
    // Every tag has been built.
    int TagsDone();
    int Gauge() const { return FGauge; }

  private:
    void FinishCurrentTag();
    int TagGauge() const;

    int FTagCount;
    int FCurrentTag = 0;
    int FLast = 0;          // the current tag's last report
    int FTagShare = 0;      // what the current tag has added to the total (0..100)
    long FRunningTotal = 0; // in tag percent: 100 per finished tag
    int FGauge = 0;
};

inline constexpr const char* CleaningOutStatus = "Cleaning out old deleted records";
inline constexpr const char* RebuildingIndexesStatus = "Rebuilding indexes";

// For the open address table (held exclusively): closes and deletes its index file, packs it and
// builds the 26 tags. The table stays open. A failure in the tag phase is shown as "Unable to
// create index files".
Status RebuildAddressFile(xbase::Table& table, const RebuildProgress& progress = {});

struct SystemRebuildFailure {
    std::string FileName; // "LBLTPL.DBF"
    std::string Reason;
};

// Packs and re-tags LETTER, LABEL, CSZ, LBLTPL, ENVELOPE and REPORT of the system data directory,
// in that order; a table that fails is left as it is and the next one is done. No messages are
// shown; the failures come back.
std::vector<SystemRebuildFailure> RebuildSystemIndexes(const RebuildProgress& progress = {});

} // namespace corvane
