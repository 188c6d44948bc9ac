#pragma once
// Bulk-mail presort: counts the records per ZIP key, groups the keys the way mail is made up
// into packages (5-digit, 3-digit, ADC, unknown) and keeps the result as PRESORT.PSL, the list
// label printing walks group by group.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

// The count of records carrying one ZIP key.
struct TallyRecord {
    uint32_t Count = 0;
};

// ZIP keys with their counts, one sorted list per first digit.
class ZipTally {
  public:
    // The first 5 characters of a ZIP field in upper case (trailing blanks are not part of it).
    static std::string ZipKey(std::string_view zip);
    // Only keys from "00000" to "99999-999" (as strings) that begin with a digit are counted.
    static bool IsCountedKey(std::string_view key);

    // Counts the ZIP field's key when it is a counted key; returns whether it was counted.
    bool Add(std::string_view zip);
    const std::map<std::string, TallyRecord>& Digit(int digit) const { return FLists[digit]; }
    bool Empty() const;

  private:
    std::array<std::map<std::string, TallyRecord>, 10> FLists;
};

// Called for each record read with its record number; returning false cancels the reading.
using TallyProgress = std::function<bool(uint32_t recno)>;

struct TallyOutcome {
    ZipTally Tally;
    bool Cancelled = false;
};

// Tallies the ZIP keys of the records under the table's current query, in its current order.
Result<TallyOutcome> TallyZipKeys(xbase::Table& table, const TallyProgress& progress = {});

// One row of the Area Distribution Centre table: the group heading's name and the 3-digit
// prefixes it serves, separated by single blanks.
struct AdcRow {
    std::string_view Name;
    std::string_view Prefixes;
};
const std::array<AdcRow, 96>& AdcTable();
// Whether `prefix` is one of the row's whole 3-digit prefixes (never a piece of two of them).
bool AdcRowServes(const AdcRow& row, std::string_view prefix);

// The lines of the presort list in printing order: 5-digit groups, 3-digit groups, ADC groups
// in table order, then "** Unknown".
std::vector<std::string> BuildPresortList(const ZipTally& tally);

// ProgramDirectory() + "PRESORT.PSL".
std::string PresortListPath();
// Writes the lines ended by CR LF through a temporary file renamed over `path`, so a failed
// write leaves any earlier list whole.
Status WritePresortList(const std::vector<std::string>& lines, const std::string& path);

// A heading of the list with the ZIP keys printed under it.
struct PresortGroup {
    std::string Heading;
    std::vector<std::string> Keys;
    bool operator==(const PresortGroup&) const = default;
};
// Reads list bytes back into groups; anything the writer could not have made is an error.
Result<std::vector<PresortGroup>> ParsePresortList(std::string_view bytes);
Result<std::vector<PresortGroup>> ReadPresortList(const std::string& path);

} // namespace corvane
