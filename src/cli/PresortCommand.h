#pragma once
// The bulk-mail presort of corvane-cli.

#include <string>
#include <vector>

#include "platform/Result.h"
#include "platform/xbase/Table.h"
#include "session/FilterQuery.h"

namespace corvane::cli {

// presort FILE [--query EXPR | --flt F.FLT]: writes PRESORT.PSL in the program directory from
// the records under the query (or the filter file's filter; all records without either) and
// prints its lines. Returns 0, or 1 after one line on stderr.
int RunPresort(const std::vector<std::string>& arguments);

// Sets the filter file's filter as the table's query, as `filter` does; the filter's own messages
// (a dropped filter) go to stderr.
Status ApplyFilterFile(xbase::Table& table, const std::string& filterPath);
// The same, giving the filter's expression and matches (no expression when it was dropped).
Result<AppliedFilter> ApplyFilterFileWithMatches(xbase::Table& table, const std::string& filterPath);

} // namespace corvane::cli
