#pragma once
// Tagging records of the open address table. A record is tagged when its TAG equals the current
// tag id; clearing all tags only makes a new id, so it writes no record.
//
// The main window wraps these in its own state, which is not kept here: around ToggleTag it
// switches its refresh-after-save flag off and sets the bulk-operation flag (so the write does
// not count towards aggressive saving), restoring both afterwards; while the user is already
// editing the record it changes its edit buffer instead and the change waits for "&Save". Around
// TagAll it asks "Tag all records matching filter?" (caption "TAG ALL"), switches the refresh
// flag off, sets the bulk flag and suspends display updates, and afterwards undoes all three and
// goes to the first record.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Result.h"
#include "platform/xbase/Table.h"
#include "session/FilterCriteria.h"
#include "session/FilterQuery.h"

namespace corvane {

class Settings;

struct ToggleTagOutcome {
    bool Tagged = false;          // the record's state afterwards
    bool FilterReapplied = false; // the filter matched nothing any more and was applied again
    AppliedFilter Filter;         // the result of that, when FilterReapplied
};

// Tags the current record (TAG := current id) or, when it carries the id already, untags it
// (TAG := blank), and writes it at once. When the criteria make a filter and the query then
// matches no record, the filter is applied again, which drops it.
Result<ToggleTagOutcome> ToggleTag(xbase::Table& table, FilterCriteria& criteria,
                                   std::string_view currentTagId);

struct TagAllOutcome {
    uint32_t Visited = 0; // records the query let through and that were tagged
    uint32_t Changed = 0; // of those, the ones that were not tagged before
    bool Cancelled = false;
};

// Called after each record with the count so far ("N tagged"); returning false stops the run
// after that record.
using TagProgress = std::function<bool(uint32_t visited)>;

// The tag-all routine: tags every record the table's current query lets through. The records
// are found first and written afterwards, so neither a query nor an order that depends on TAG
// makes the run skip or revisit records. The query is kept; the table ends on its first record.
Result<TagAllOutcome> TagAll(xbase::Table& table, std::string_view currentTagId,
                             const TagProgress& progress = {});
// The reverse for the batch tool: blanks TAG of the records of the query that carry the current
// id; returns how many.
Result<uint32_t> UntagAll(xbase::Table& table, std::string_view currentTagId);

// "Clear Tags": a new tag id (always another than the one in force), stored in the settings file
// and returned. Failing to store it is an error, because the tags would come back at the next
// start.
Result<std::string> ClearAllTags(const Settings& settings);

} // namespace corvane
