#pragma once
// The filter and tag subcommands of corvane-cli, on the main window's filter and tagging logic.
// Each returns the process exit status: 0, or 1 after one line on stderr (and then nothing has
// changed on disk).

#include <string>
#include <vector>

#include "platform/Result.h"

namespace corvane::cli {

// The id records are tagged with; made and stored on first use, as the program does.
Result<std::string> StoredTagId();

// filter FILE --flt F.FLT [--order TAG] [--fields A,B,...]: the engine query on the first line,
// the number of matches on the second, then the matches as `list` prints them. A filter that is
// dropped (no match, too complex, a value that cannot be searched for) prints "!ISDEL", 0 and
// the header line alone, because it selects no records; the reason, if any, goes to stderr.
int RunFilter(const std::vector<std::string>& arguments);
// tag FILE --query EXPR / untag FILE --query EXPR: tags the matching records with the current
// tag id of the settings file, or untags those that carry it; prints how many records changed.
int RunTag(const std::vector<std::string>& arguments);
int RunUntag(const std::vector<std::string>& arguments);
// clear-tags: makes and stores a new tag id and prints it.
int RunClearTags(const std::vector<std::string>& arguments);

} // namespace corvane::cli
