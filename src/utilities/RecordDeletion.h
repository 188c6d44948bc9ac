#pragma once
// "Delete Now" of the "Delete Records" window without the window: deletes every record, the
// records of the main window's filter, or the records outside it.
//
//     auto deleted = DeleteRecords(table, DeleteChoice::NotMatchingFilter, filterExpression);
//     ShowInfo(DeletedMessage(*deleted));
//
// "Delete &All Records" empties the table at once (zap). The other choices delete record by
// record, the way the program always deletes: ISDEL true and the deletion mark together; the
// records stay in the file until the indexes are rebuilt. Only records not deleted already are
// visited and counted, so the count says how many records the user lost sight of. Deleting
// cannot be cancelled once started.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Result.h"
#include "platform/xbase/Table.h"
#include "utilities/BulkEditSupport.h"

namespace corvane {

enum class DeleteChoice {
    AllRecords,        // "Delete &All Records"
    MatchingFilter,    // "Delete Records matching current &Filter"
    NotMatchingFilter, // "Delete Records which do &NOT match current Filter"
};

const char* DeleteChoiceCaption(DeleteChoice choice);

inline constexpr std::string_view DeleteQuestion = "Are you sure?";
inline constexpr std::string_view DeleteCaption = "DELETE";
inline constexpr std::string_view DeletingStatus = "Deleting Records ";
inline constexpr std::string_view RebuildAdviceMessage =
    "For optimum space usage, please select\r\n[Rebuild Indexes] from the File menu";

// "Deleted " + count + " records".
std::string DeletedMessage(uint32_t count);

// The choice that runs: without a filter only "Delete &All Records" can be chosen.
DeleteChoice EffectiveDeleteChoice(DeleteChoice choice, std::string_view filterExpression);
// The query the choice deletes with: empty for all records, the filter expression, or
// ".not.(" + filter expression + ")".
std::string DeletionQuery(DeleteChoice choice, std::string_view filterExpression);

// Deletes and returns how many records were deleted. `filterExpression` is the main window's
// filter expression (empty when no filter is set). The table's query, order, deleted-record
// hiding and record are given back afterwards (after a zap: its first record).
Result<uint32_t> DeleteRecords(xbase::Table& table, DeleteChoice choice, std::string_view filterExpression,
                               const BulkEditProgress& progress = {});

} // namespace corvane
