#pragma once
// "Perform Check Now" of the state-and-ZIP check without the window: compares each record's
// state and ZIP with the ranges of CSZ.DBF and lists the questionable records in a temporary
// index file beside the address file, by last and first name.
//
//     xbase::Table csz;
//     if (!OpenCityStateZipTable(csz)) return;            // says why itself
//     auto ranges = StateZipRanges::Load(csz);
//     auto outcome = RunStateZipCheck(table, *ranges, {includeBlanks, StateZipIndexPath(file)}, progress);
//     ...  // the user repairs and tags in the list
//     CloseStateZipList(table, StateZipIndexPath(file));
//
// The caller sets the query ("!ISDEL"), so a filter does not limit the check. A state is looked
// up trimmed and upper-cased and only a row whose trimmed STATE is exactly that counts (the first
// in STATE order when there are several). A ZIP+4 of a range's last ZIP is inside the range: the
// upper test compares only as many characters as the range's HIGH_ZIP has.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

inline constexpr std::string_view StateZipIndexFileName = "_chksz.idx";
inline constexpr std::string_view StateZipKeyExpression = "upper(LNAME)+upper(FNAME)";
inline constexpr std::string_view TagAllQuestionableQuestion =
    "Tag all records with questionable state or zipcodes?";
inline constexpr std::string_view MissingCityStateZipMessage =
    "The file CSZ.DBF has been removed from the SYSDATA directory. Unable to continue.";

struct StateZipRange {
    std::string Name;
    std::string State;
    std::string LowZip;
    std::string HighZip;
};

// The ranges of CSZ.DBF, one per state.
class StateZipRanges {
  public:
    // Reads every row of the open table in its STATE order (record order when the tag is
    // missing); the table's order and record are moved.
    static Result<StateZipRanges> Load(xbase::Table& csz);

    // Adds a row unless its state has one already (the first row counts); a blank state is never
    // a row.
    void Add(const StateZipRange& range);
    // The row for `state` (trimmed and upper-cased first), or null.
    const StateZipRange* Find(std::string_view state) const;
    size_t Size() const { return FRows.size(); }

  private:
    std::map<std::string, StateZipRange, std::less<>> FRows;
};

// Trimmed of blanks and upper-cased (non-ASCII letters too).
std::string NormalisedState(std::string_view state);

// Whether a record with this state and ZIP is questionable; with blanks left out a record whose
// state or ZIP is empty never is, with blanks included an empty state has no row and is.
bool IsQuestionable(const StateZipRanges& ranges, std::string_view state, std::string_view zip,
                    bool includeBlanks);

struct StateZipCheckOptions {
    bool IncludeBlanks = false; // "Include records with blank State/Province or Zip/Postcode entries?"
    std::string IndexPath;      // where the list is made
};

struct StateZipCheckOutcome {
    uint32_t Found = 0;
    bool Cancelled = false;
    int ListOrder = 0; // selected, on its first record, afterwards
};

// After each record: the records done, the records the query lets through and the count so far;
// false stops after that record (the finds are kept).
using StateZipProgress = std::function<bool(uint32_t done, uint32_t total, uint32_t found)>;

// The address file's folder + "_chksz.idx".
std::string StateZipIndexPath(const std::string& addressFilePath);
// "Found " + count + " records with questionable state or zipcodes".
std::string FoundQuestionableMessage(uint32_t count);
// trunc(done / total x 100); the gauge shows it only from 1 to 99.
int StateZipPercent(uint32_t done, uint32_t total);

// Makes the list (a stale file of that name is replaced) and walks the records in record order.
// When the list cannot be made or the walk fails, the reason comes back and the list is gone.
Result<StateZipCheckOutcome> RunStateZipCheck(xbase::Table& table, const StateZipRanges& ranges,
                                              const StateZipCheckOptions& options,
                                              const StateZipProgress& progress = {});

// Closes the list and deletes its file (nothing to do when it is not there).
Status CloseStateZipList(xbase::Table& table, const std::string& indexPath);

} // namespace corvane
