#pragma once
// "Replace " of the "Search and Replace" window without the window: finds the records by the
// value of one field and rewrites that field, whole or only its matching text, in every record
// or in the records of the main window's filter.
//
//     SearchAndReplaceSettings settings;
//     settings.FieldName = "LNAME";
//     settings.SearchValue = "Smi";
//     ...
//     if (AskYesNo(ReplaceQuestion(settings), "Replace")) {
//         auto outcome = SearchAndReplace(table, settings, filterExpression, progress);
//
// The records are visited in record-number order (each exactly once, also when the field
// belongs to the sort order), deleted records are skipped, and the table's query, order,
// deleted-record hiding and record are given back afterwards. A matching-text replacement that
// would not fit the field leaves that record as it was and is counted apart. Replacing cannot
// be cancelled once started.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Result.h"
#include "platform/xbase/Table.h"
#include "utilities/BulkEditSupport.h"
#include "utilities/FieldMatcher.h"

namespace corvane {

struct ReplaceField {
    const char* DisplayText; // the entry of "Search for field:"
    const char* FieldName;
};

inline constexpr std::size_t ReplaceFieldCount = 18;
// "Last Name" LNAME ... "Comment 2" USER2, in the list's order.
const std::array<ReplaceField, ReplaceFieldCount>& ReplaceFields();
// The entry for a field name (case ignored); nullptr for a field the window does not offer.
const ReplaceField* FindReplaceField(std::string_view fieldName);

enum class ReplaceAction {
    WholeField,   // "Replace the whole field with"
    MatchingText, // "Replace only the matching text with"
};

struct SearchAndReplaceSettings {
    std::string FieldName = "LNAME";
    std::string SearchValue; // UTF-8 as typed; empty: the field is empty
    MatchKind Match = MatchKind::ExactlyEqual;
    bool CaseSensitive = true;
    ReplaceAction Action = ReplaceAction::WholeField;
    std::string Replacement;    // UTF-8 as typed
    bool FilterRecords = false; // "Records matching current Filter" (only with a filter set)
};

inline constexpr std::string_view ReplaceCaption = "Replace";
inline constexpr std::string_view ReplacingStatus = "Replacing Records ";
inline constexpr std::string_view ReplacementDoneMessage = "Replacement done";

// The confirmation: three lines joined by CR (what is searched, the test, the action).
std::string ReplaceQuestion(const SearchAndReplaceSettings& settings);
// "Replaced " + count + " records".
std::string ReplacedMessage(uint32_t count);
// count + " records were not changed: the result would not fit the field".
std::string TooLongMessage(uint32_t count);

struct ReplaceOutcome {
    uint32_t Matches = 0;  // records found
    uint32_t Replaced = 0; // of those, the records rewritten
    uint32_t TooLong = 0;  // of those, the records left as they were because the result would not fit
};

// The settings checked against the table before anything changes: a field the window offers
// and the table holds as text, a search value and a replacement no longer than the field, a
// replacement the table's code page can hold.
Status CheckReplaceSettings(const xbase::Table& table, const SearchAndReplaceSettings& settings);

// The search and replacement. `filterExpression`: the main window's filter expression (empty
// when no filter is set; the filter choice then means all records). Progress gets the record
// number reached and the table's record count.
Result<ReplaceOutcome> SearchAndReplace(xbase::Table& table, const SearchAndReplaceSettings& settings,
                                        std::string_view filterExpression,
                                        const BulkEditProgress& progress = {});
// The same search without changing anything: Matches alone.
Result<ReplaceOutcome> CountReplaceMatches(xbase::Table& table, const SearchAndReplaceSettings& settings,
                                           std::string_view filterExpression);

} // namespace corvane
