#pragma once
// Case rules for field names, display labels and date patterns: all plain ASCII, so the case of
// other characters (UTF-8 bytes above 0x7F) is left alone.

#include <algorithm>
#include <string>
#include <string_view>

namespace corvane {

inline char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string UpperAscii(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = UpperAscii(c);
    return result;
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
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

} // namespace corvane
