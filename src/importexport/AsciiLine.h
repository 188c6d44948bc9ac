#pragma once
// One line of a headerless comma-separated text file as the text import splits it: commas
// separate fields, a comma inside a double-quoted stretch belongs to its field, a field that
// begins and ends with a double quote loses those two quotes and nothing else is unquoted (a
// doubled quote stays doubled, blanks stay). Earlier versions read files this way, so a file
// that imported there imports the same here.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Characters of a line that count; the rest is ignored.
inline constexpr std::size_t AsciiLineCharacters = 2048;
// Columns and characters per value that are kept; further columns are ignored, longer values cut.
inline constexpr std::size_t AsciiColumnLimit = 255;
inline constexpr std::size_t AsciiValueCharacters = 255;

// The fields of `line` (UTF-8, without its line end). A line with k commas outside quotes has
// k + 1 fields, so an empty line has one empty field.
std::vector<std::string> SplitAsciiLine(std::string_view line);

} // namespace corvane
