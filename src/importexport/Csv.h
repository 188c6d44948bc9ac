#pragma once
// Comma-separated text as RFC 4180 has it: fields in double quotes may hold commas, line breaks
// and doubled quotes; lines end in CR LF or LF.

#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"

namespace corvane {

using CsvRow = std::vector<std::string>;

// Rows read one at a time from a stream, so a file of any size takes the memory of one row.
// The same rules as ParseCsv.
class CsvReader {
  public:
    explicit CsvReader(std::istream& in) : FIn(in) {}
    // The next row into `row`; false at the end. Errors name the line.
    Result<bool> Next(CsvRow& row);

  private:
    Result<bool> NextFrom(std::streambuf& in, CsvRow& row, std::string& field);
    std::istream& FIn;
    size_t FLine = 1;
    bool FStarted = false;
};

// All rows of `text`. An unterminated quoted field or text after a closing quote is an error
// naming the line. A final line break does not make an empty row; a UTF-8 byte-order mark at
// the start is skipped.
Result<std::vector<CsvRow>> ParseCsv(std::string_view text);

// One line with the given line end; fields are quoted only when they need it.
std::string FormatCsvRow(const CsvRow& row, std::string_view lineEnd = "\n");

} // namespace corvane
