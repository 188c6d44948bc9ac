#include "importexport/Csv.h"

namespace corvane {

Result<std::vector<CsvRow>> ParseCsv(std::string_view text)
{
    using ResultType = Result<std::vector<CsvRow>>;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string field;
    size_t line = 1;
    size_t i = 0;
    bool rowStarted = false;
    while (i < text.size()) {
        char c = text[i];
        if (c == '"' && field.empty()) {
            // A quoted field runs to the next lone quote.
            size_t startLine = line;
            ++i;
            bool closed = false;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                if (text[i] == '\n')
                    ++line;
                field += text[i++];
            }
            if (!closed)
                return ResultType::Error("Line " + std::to_string(startLine) +
                                         ": a quoted field is not closed");
            if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
                return ResultType::Error("Line " + std::to_string(line) + ": text after a closing quote");
            }
            rowStarted = true;
            continue;
        }
        if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
            rowStarted = true;
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            row.push_back(std::move(field));
            field.clear();
            rows.push_back(std::move(row));
            row.clear();
            rowStarted = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            ++i;
            ++line;
            continue;
        }
        field += c;
        rowStarted = true;
        ++i;
    }
    if (rowStarted || !field.empty()) {
        row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return rows;
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
