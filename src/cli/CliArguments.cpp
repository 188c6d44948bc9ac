#include "cli/CliArguments.h"

namespace corvane::cli {

std::optional<std::string> CliArguments::Get(const std::string& option) const
{
    auto found = Options.find(option);
    if (found == Options.end())
        return std::nullopt;
    return found->second;
}

Result<CliArguments> ParseArguments(const std::vector<std::string>& arguments,
                                    const std::set<std::string>& valued, const std::set<std::string>& flags)
{
    CliArguments parsed;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument.rfind("--", 0) != 0) {
            parsed.Positional.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = argument;
        std::optional<std::string> inlineValue;
        if (size_t equals = argument.find('='); equals != std::string::npos) {
            name = argument.substr(0, equals);
            inlineValue = argument.substr(equals + 1);
        }
        if (valued.count(name)) {
            if (inlineValue) {
                parsed.Options[name] = *inlineValue;
            } else if (i + 1 < arguments.size()) {
                parsed.Options[name] = arguments[++i];
            } else {
                return Result<CliArguments>::Error("option " + name + " needs a value");
            }
        } else if (flags.count(name) && !inlineValue) {
            parsed.Options[name] = "";
        } else {
            return Result<CliArguments>::Error("unknown option " + argument);
        }
    }
    return parsed;
}

} // namespace corvane::cli
