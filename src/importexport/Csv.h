#pragma once
// Comma-separated text as RFC 4180 has it: fields in double quotes may hold commas, line breaks
// and doubled quotes; lines end in CR LF or LF.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"

namespace corvane {

using CsvRow = std::vector<std::string>;

// All rows of `text`. An unterminated quoted field or text after a closing quote is an error
// naming the line. A final line break does not make an empty row; a UTF-8 byte-order mark at
// the start is skipped.
Result<std::vector<CsvRow>> ParseCsv(std::string_view text);

// One line with the given line end; fields are quoted only when they need it.
std::string FormatCsvRow(const CsvRow& row, std::string_view lineEnd = "\n");

} // namespace corvane
