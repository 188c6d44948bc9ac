#pragma once
// The list checks of corvane-cli: possible duplicates, questionable states and ZIP codes, and the
// table of state ZIP ranges they use. Each returns 0, or 1 after one line on stderr, and then
// nothing has changed on disk.

#include <string>
#include <vector>

namespace corvane::cli {

// check-duplicates FILE [--by name|initial|street] [--chars N] [--fields A,B,...] [--tag]:
// the found count, then the suspects as `list` prints them, in the duplicate list's order;
// --tag tags them with the current tag id first.
int RunCheckDuplicates(const std::vector<std::string>& arguments);
// check-state-zip FILE [--blanks] [--fields A,B,...] [--tag]: the same for the records whose
// state and ZIP do not fit the ranges of sysdata/CSZ.DBF.
int RunCheckStateZip(const std::vector<std::string>& arguments);
// csz list | csz add --name N --state S --low L --high H | csz delete --state S: the ranges as
// CSV in STATE order, adding one, or deleting a state's rows (printed as they are removed).
int RunCityStateZip(const std::vector<std::string>& arguments);

} // namespace corvane::cli
