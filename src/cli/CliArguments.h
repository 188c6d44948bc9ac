#pragma once
// The batch tool's command line: a subcommand, positional arguments and --options, in any
// order after the subcommand.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Result.h"

namespace corvane::cli {

struct CliArguments {
    std::vector<std::string> Positional;
    std::map<std::string, std::string> Options; // "--order" -> "LNAME"; flags map to ""

    bool Has(const std::string& option) const { return Options.count(option) > 0; }
    std::optional<std::string> Get(const std::string& option) const;
};

// `valued` options take the next argument as their value; `flags` take none. Anything else
// that starts with "--" is an error, so a misspelt option never passes silently.
Result<CliArguments> ParseArguments(const std::vector<std::string>& arguments,
                                    const std::set<std::string>& valued, const std::set<std::string>& flags);

} // namespace corvane::cli
