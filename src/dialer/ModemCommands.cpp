#include "dialer/ModemCommands.h"

#include <cctype>

namespace corvane {

namespace {
const char* const LineEnd = "\r\n";
}

std::string WithoutControlCharacters(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f)
            out += c;
    }
    return out;
}

std::optional<std::string> InitCommand(std::string_view init)
{
    std::string command = WithoutControlCharacters(init);
    if (command.empty())
        return std::nullopt;
    const bool hasPrefix = command.size() >= 2 &&
                           std::toupper(static_cast<unsigned char>(command[0])) == 'A' &&
                           std::toupper(static_cast<unsigned char>(command[1])) == 'T';
    if (!hasPrefix)
        command.insert(0, "AT");
    return command + LineEnd;
}

std::string DialCommand(std::string_view number, DialMethod method)
{
    return std::string(method == DialMethod::Pulse ? "ATDP" : "ATDT") + WithoutControlCharacters(number) +
           LineEnd;
}

std::string HangUpCommand()
{
    return std::string("ATH") + LineEnd;
}

} // namespace corvane
