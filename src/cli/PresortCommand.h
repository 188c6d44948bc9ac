#pragma once
// The bulk-mail presort of corvane-cli.

#include <string>
#include <vector>

namespace corvane::cli {

// presort FILE [--query EXPR | --flt F.FLT]: writes PRESORT.PSL in the program directory from
// the records under the query (or the filter file's filter; all records without either) and
// prints its lines. Returns 0, or 1 after one line on stderr.
int RunPresort(const std::vector<std::string>& arguments);

} // namespace corvane::cli
