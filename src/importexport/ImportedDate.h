#pragma once
// A date value read from an imported file, made into the stored form of DATE: a valid yyyymmdd
// stays as it is, a date in the short date format (mm/dd/yyyy) is rewritten as yyyymmdd, and
// anything else is stored empty, so DATE never holds text that is no date.

#include <string>
#include <string_view>

namespace corvane {

std::string ImportedDate(std::string_view value);

} // namespace corvane
