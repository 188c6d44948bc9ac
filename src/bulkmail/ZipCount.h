#pragma once
// Counting the records of the current view per ZIP key, for the "Zip Code Count Report": the
// keys of each first digit, then the keys that are not ZIP codes (short ones, postal codes of
// other countries), then the records without a ZIP code under "BLANK".

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <QLocale>
#include <QString>

#include "platform/Result.h"
#include "platform/xbase/Table.h"

class QFont;

namespace corvane {

inline constexpr std::string_view BlankZipKey = "BLANK";
inline constexpr std::string_view CountingCaption = "Count Zip Codes";
inline constexpr std::string_view CountingHeading = "Counting the number of occurrences of each zip code:";
inline constexpr std::string_view CountingFinishedText =
    "Finished counting. Press Print or Preview for the report";
inline constexpr std::string_view ReadingRecordsText = "Reading database records...";
inline constexpr std::string_view ReadingRecordText = "Reading record ";
inline constexpr std::string_view SortingZipCodesText = "Sorting Zip Codes...";
inline constexpr std::string_view CancelCountQuestion = "Cancel Count?";
inline constexpr std::string_view CancelCaption = "CANCEL";

// The counts of one view: a list per first digit of the ZIP keys, the other keys, the blanks.
class ZipCountTally {
  public:
    // The key of a ZIP field: its first five characters, trailing blanks left off.
    static std::string KeyOf(std::string_view zip);
    // Five characters from "00000" to "99999-999" (compared as text) that begin with a digit.
    static bool IsZipKey(std::string_view key);

    void Add(std::string_view zip);
    const std::map<std::string, uint32_t>& Digit(int digit) const
    {
        return FDigits[static_cast<size_t>(digit)];
    }
    const std::map<std::string, uint32_t>& Others() const { return FOthers; }
    uint32_t Blanks() const { return FBlanks; }

  private:
    std::array<std::map<std::string, uint32_t>, 10> FDigits;
    std::map<std::string, uint32_t> FOthers;
    uint32_t FBlanks = 0;
};

// One line of the count list: the key left-aligned in ten characters (cut at ten), then the
// count with the locale's thousands separators.
QString ZipCountLine(std::string_view key, uint32_t count, const QLocale& locale = QLocale::system());

// The count list: the ZIP keys of digits 0 to 9 in ascending order, two empty lines, the other
// keys in ascending order, then "BLANK" when any record had no ZIP code.
std::vector<QString> BuildZipCountList(const ZipCountTally& tally, const QLocale& locale = QLocale::system());

// Told after every record with the next record's number (windows show it every 100 records and
// let pending input through); false cancels the count.
using ZipCountProgress = std::function<bool(uint32_t recno)>;

struct ZipCountOutcome {
    std::vector<QString> Lines;
    bool Cancelled = false;
    uint32_t Records = 0;
};

// Counts the records under the table's query in natural order; the table's order and record
// are given back afterwards, whatever happened. `sorting` is told when the reading is done and
// the keys are put in order.
Result<ZipCountOutcome> CountZipCodes(xbase::Table& table, const ZipCountProgress& progress = {},
                                      const QLocale& locale = QLocale::system(),
                                      const std::function<void()>& sorting = {});

} // namespace corvane
