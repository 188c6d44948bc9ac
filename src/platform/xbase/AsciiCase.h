#pragma once
// Case rules for names the engine compares without regard to case: field names, tag names,
// function names, file names. Plain ASCII: bytes above 0x7F (code-page letters, UTF-8
// sequences) are left alone.

#include <algorithm>
#include <string>
#include <string_view>

namespace xbase {

inline char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string UpperAscii(std::string_view text)
{
    std::string result(text);
    for (char& c : result) c = UpperAscii(c);
    return result;
}

inline bool EqualNoCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

}  // namespace xbase
