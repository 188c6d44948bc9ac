#pragma once
// The first lines of a text file as the match window shows them: numbered columns ("Field 1",
// ...) with the widest value seen, and the sample lines padded to the column count. The column
// count is the first line's field count: the import takes no more than that of any line, so no
// further column is offered for matching.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Result.h"

namespace corvane {

inline constexpr std::size_t AsciiSampleLines = 10;
inline constexpr const char* UnableToImportMessage = "Unable to import from this file";

struct AsciiColumn {
    std::string Name;       // "Field " + number from 1
    std::size_t Widest = 0; // characters of the widest sample value
};

struct AsciiSample {
    std::vector<AsciiColumn> Columns;
    std::vector<std::vector<std::string>> Lines; // each exactly Columns.size() values
};

// The sample of the file; "Unable to import from this file" when it has fewer than two lines,
// or the reader's reason when it cannot be read.
Result<AsciiSample> SampleAsciiFile(const std::string& path);

// "Field " + number (1-based).
std::string AsciiColumnName(std::size_t index);

} // namespace corvane
