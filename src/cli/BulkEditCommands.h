#pragma once
// The bulk edits of the Utilities menu in corvane-cli: case conversion, deleting records and
// field search-and-replace, on the windows' own logic. Each returns the process exit status: 0,
// or 1 after one line on stderr, and then nothing has changed on disk.

#include <string>
#include <vector>

namespace corvane::cli {

// convert-case FILE --case upper|lower|proper [--fields LNAME,FNAME,...] [--scope current|all|filter]
//   [--flt F.FLT] [--recno N]: prints the number of records converted. All fifteen fields without
// --fields; the scope is "filter" with --flt, else "all"; "current" converts record N.
int RunConvertCase(const std::vector<std::string>& arguments);

// delete FILE --query EXPR | --all | --flt F.FLT [--not]: prints the number of records deleted.
// --all empties the file; --flt deletes the filter's records, with --not the others.
int RunDeleteRecords(const std::vector<std::string>& arguments);

// replace FILE --field NAME (--equals V | --contains V) [--ignore-case] (--whole R | --text R)
//   [--flt F.FLT] [--dry-run]: prints {"replaced":n,"too_long":m}; with --dry-run
// {"question":"...","matches":n} and changes nothing.
int RunReplace(const std::vector<std::string>& arguments);

} // namespace corvane::cli
