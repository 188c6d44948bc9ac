#pragma once
// "&Perform Duplicate Check Now" without the window: walks the address table in name or street
// order and lists each record that matches the one before it, together with that one, in a
// temporary index file that holds only those records. Selecting that order afterwards shows the
// suspects, each group together.
//
//     DuplicateCheckOptions options{DuplicateKind::Street, 10, DuplicateIndexPath()};
//     auto outcome = RunDuplicateCheck(table, options, progress);
//     ...  // the user repairs, deletes and tags in the list
//     CloseDuplicateList(table, options.IndexPath);
//
// The caller sets the query ("!ISDEL": every record the user has not deleted, whatever filter is
// set). Case is ignored; a record with an empty last name (name checks) or street (street check)
// is never compared. A record that matches both neighbours is listed once.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

enum class DuplicateKind {
    LastFirst = 0,        // "&Last + First"
    LastFirstInitial = 1, // "Last + &First Initial"
    Street = 2,           // "&Street Address"
};

inline constexpr int MinimumStreetLength = 1;
inline constexpr int MaximumStreetLength = 30;
inline constexpr int DefaultStreetLength = 30;

inline constexpr std::string_view DuplicateIndexFileName = "_chkdup.idx";
inline constexpr std::string_view TagAllDuplicatesQuestion = "Tag all possible duplicates?";

struct DuplicateCheckOptions {
    DuplicateKind Kind = DuplicateKind::LastFirst;
    int StreetLength = DefaultStreetLength; // 1..30, the street check only
    std::string IndexPath;                  // where the list is made
};

struct DuplicateCheckOutcome {
    uint32_t Found = 0;  // records that matched the record before them
    uint32_t Listed = 0; // records in the list
    bool Cancelled = false;
    int ListOrder = 0; // the list's order number (selected, on its first record, when Found > 0)
};

// Called after each record with the records done, the records the query lets through and the
// count so far; returning false stops the run after that record (the finds are kept).
using DuplicateProgress = std::function<bool(uint32_t done, uint32_t total, uint32_t found)>;

// ProgramDirectory() + "_chkdup.idx".
std::string DuplicateIndexPath();
// "upper(STREET)" for the street check, "upper(LNAME-FNAME)" for both name checks.
std::string DuplicateKeyExpression(DuplicateKind kind);
// The address tag the check walks: "STREET" or "NAME".
std::string DuplicateWalkTag(DuplicateKind kind);
// "Found " + count + " possible duplicates".
std::string FoundDuplicatesMessage(uint32_t count);
// The street length kept within 1..30.
int ClampStreetLength(int length);

// Makes the list (a stale file of that name is replaced) and runs the check. When the list
// cannot be made or the walk fails, the reason comes back, the list is gone and the table's order
// is as before. With finds the list is selected and on its first record; without, the walk
// order is left selected.
Result<DuplicateCheckOutcome> RunDuplicateCheck(xbase::Table& table, const DuplicateCheckOptions& options,
                                                const DuplicateProgress& progress = {});

// Closes the list and deletes its file (nothing to do when it is not there).
Status CloseDuplicateList(xbase::Table& table, const std::string& indexPath);

} // namespace corvane
