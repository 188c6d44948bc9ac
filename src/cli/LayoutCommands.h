#pragma once
// The layout subcommands of corvane-cli: "layout dump" shows a layout file's element lists as
// JSON; "layout pdf" prints its first list as a print run would, at the top-left corner of one
// page, from a record of an address file or with field placeholders.

#include <string>
#include <vector>

namespace corvane::cli {

int RunLayout(const std::vector<std::string>& arguments);

} // namespace corvane::cli
