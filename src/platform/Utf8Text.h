#pragma once
// Counting and cutting text by characters rather than bytes: fields, limits and widths are
// counted in characters, and a cut must never split a UTF-8 sequence.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

inline bool IsUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

inline size_t CharacterCount(std::string_view utf8)
{
    return static_cast<size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return !IsUtf8Continuation(c); }));
}

// At most `characters` UTF-8 characters, never splitting one.
inline std::string CutToCharacters(std::string text, size_t characters)
{
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsUtf8Continuation(text[i]))
            continue;
        if (count == characters) {
            text.resize(i);
            break;
        }
        ++count;
    }
    return text;
}

} // namespace corvane
