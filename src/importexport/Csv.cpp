#include "importexport/Csv.h"

#include <sstream>

namespace corvane {

Result<bool> CsvReader::Next(CsvRow& row)
{
    std::streambuf& in = *FIn.rdbuf();
    using Traits = std::streambuf::traits_type;
    row.clear();
    if (!FStarted) {
        FStarted = true;
        // A UTF-8 byte-order mark at the start is skipped.
        if (in.sgetc() == 0xEF) {
            const std::string bom = "\xEF\xBB\xBF";
            std::string got;
            for (size_t k = 0; k < 3 && in.sgetc() != Traits::eof() &&
                               Traits::to_char_type(in.sgetc()) == bom[k];
                 ++k)
                got += Traits::to_char_type(in.sbumpc());
            if (got != bom) {
                // Not a mark after all: the bytes were the first field's.
                row.clear();
                std::string field = got;
                return NextFrom(in, row, field);
            }
        }
    }
    std::string field;
    return NextFrom(in, row, field);
}

Result<bool> CsvReader::NextFrom(std::streambuf& in, CsvRow& row, std::string& field)
{
    using Traits = std::streambuf::traits_type;
    bool rowStarted = !field.empty();
    for (int got = in.sgetc(); got != Traits::eof(); got = in.sgetc()) {
        const char c = Traits::to_char_type(got);
        if (c == '"' && field.empty()) {
            // A quoted field runs to the next lone quote.
            const size_t startLine = FLine;
            in.sbumpc();
            bool closed = false;
            for (int q = in.sgetc(); q != Traits::eof(); q = in.sgetc()) {
                const char d = Traits::to_char_type(in.sbumpc());
                if (d == '"') {
                    if (in.sgetc() == '"') {
                        field += '"';
                        in.sbumpc();
                        continue;
                    }
                    closed = true;
                    break;
                }
                if (d == '\n')
                    ++FLine;
                field += d;
            }
            if (!closed)
                return Result<bool>::Error("Line " + std::to_string(startLine) + ": a quoted field is not closed");
            const int after = in.sgetc();
            if (after != Traits::eof() && after != ',' && after != '\n' && after != '\r')
                return Result<bool>::Error("Line " + std::to_string(FLine) + ": text after a closing quote");
            rowStarted = true;
            continue;
        }
        in.sbumpc();
        if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
            rowStarted = true;
            continue;
        }
        if (c == '\r' || c == '\n') {
            row.push_back(std::move(field));
            if (c == '\r' && in.sgetc() == '\n')
                in.sbumpc();
            ++FLine;
            return true;
        }
        field += c;
        rowStarted = true;
    }
    if (rowStarted || !field.empty()) {
        row.push_back(std::move(field));
        return true;
    }
    return false;
}

Result<std::vector<CsvRow>> ParseCsv(std::string_view text)
{
    std::istringstream in{std::string(text)};
    CsvReader reader(in);
    std::vector<CsvRow> rows;
    CsvRow row;
    for (;;) {
        auto more = reader.Next(row);
        if (!more)
            return Result<std::vector<CsvRow>>::Error(more.Message());
        if (!*more)
            return rows;
        rows.push_back(std::move(row));
    }
}

std::string FormatCsvRow(const CsvRow& row, std::string_view lineEnd)
{
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            line += ',';
        const std::string& value = row[i];
        if (value.find_first_of(",\"\r\n") == std::string::npos) {
            line += value;
            continue;
        }
        line += '"';
        for (char c : value) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
    line += lineEnd;
    return line;
}

} // namespace corvane
