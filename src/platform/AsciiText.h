#pragma once
// Case rules for field names, display labels and date patterns: all plain ASCII, so the case of
// other characters (UTF-8 bytes above 0x7F) is left alone. The engine's rules, plus lower case.

#include <string>
#include <string_view>

#include "platform/xbase/AsciiCase.h"

namespace corvane {

using xbase::UpperAscii;

inline char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string LowerAscii(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = LowerAscii(c);
    return result;
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return xbase::EqualNoCase(a, b);
}

} // namespace corvane
