// Makes the shipped state and ZIP ranges CSZ.DBF (and its index, tag STATE) from the text source
// data/state-zip-ranges.csv. Lines starting with "#" are comments. A value too wide for its
// column, a range whose start lies above its end, or a state given twice stops the build: only a
// state's first row counts, so a second one would ship silently unused.
//
// Usage: make-state-zip-table RANGES.csv FOLDER

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/SystemTables.h"
#include "importexport/Csv.h"
#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace {

using corvane::CsvRow;
using corvane::Result;
using corvane::Status;

const std::vector<xbase::FieldSpec>& Fields()
{
    return corvane::SystemTableInfo(corvane::SystemTable::CityStateZip).Fields;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string WithoutComments(const std::string& text)
{
    std::istringstream lines(text);
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.front() == '#')
            continue;
        kept += line + "\n";
    }
    return kept;
}

// Every problem of the rows, one a line; empty when they may ship.
std::string Problems(const std::vector<CsvRow>& rows, std::vector<int>& columns)
{
    std::ostringstream problems;
    if (rows.size() < 2)
        return "no ranges\n";
    for (const xbase::FieldSpec& field : Fields()) {
        int column = -1;
        for (size_t i = 0; i < rows.front().size(); ++i) {
            if (Upper(rows.front()[i]) == field.Name)
                column = static_cast<int>(i);
        }
        if (column < 0)
            problems << "column " << field.Name << " is missing\n";
        columns.push_back(column);
    }
    if (!problems.str().empty())
        return problems.str();
    std::set<std::string> states;
    for (size_t line = 1; line < rows.size(); ++line) {
        const CsvRow& row = rows[line];
        std::vector<std::string> values;
        for (size_t i = 0; i < Fields().size(); ++i) {
            const size_t column = static_cast<size_t>(columns[i]);
            values.push_back(column < row.size() ? row[column] : std::string());
            if (values.back().empty())
                problems << "row " << line << ": " << Fields()[i].Name << " is empty\n";
            else if (values.back().size() > static_cast<size_t>(Fields()[i].Width))
                problems << "row " << line << ": " << Fields()[i].Name << " is longer than "
                         << Fields()[i].Width << " characters\n";
        }
        if (values[2] > values[3])
            problems << "row " << line << ": " << values[2] << " lies above " << values[3] << "\n";
        if (!states.insert(Upper(values[1])).second)
            problems << "row " << line << ": a second row for " << values[1] << "\n";
    }
    return problems.str();
}

Status Write(const std::vector<CsvRow>& rows, const std::vector<int>& columns, const std::string& folder)
{
    const std::string path = folder + "/CSZ.DBF";
    std::error_code error;
    std::filesystem::remove(path, error);
    std::filesystem::remove(folder + "/CSZ.CDX", error);
    if (Status created = xbase::Table::Create(path, Fields()); !created)
        return created;
    xbase::Table table;
    if (Status opened = table.Open(path, xbase::OpenMode::Exclusive); !opened)
        return opened;
    for (size_t line = 1; line < rows.size(); ++line) {
        if (Status appended = table.AppendBlank(); !appended)
            return appended;
        for (size_t i = 0; i < Fields().size(); ++i) {
            if (Status put = table.PutField(Fields()[i].Name, rows[line][static_cast<size_t>(columns[i])]);
                !put)
                return put;
        }
    }
    const corvane::SystemTableDefinition& definition =
        corvane::SystemTableInfo(corvane::SystemTable::CityStateZip);
    if (Status tagged = table.CreateTag(definition.TagName, definition.KeyExpression); !tagged)
        return tagged;
    if (Status flushed = table.FlushIndexes(); !flushed)
        return flushed;
    return table.Close();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-state-zip-table RANGES.csv FOLDER\n");
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    if (!input) {
        std::fprintf(stderr, "make-state-zip-table: cannot read %s\n", argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << input.rdbuf();
    Result<std::vector<CsvRow>> rows = corvane::ParseCsv(WithoutComments(text.str()));
    if (!rows) {
        std::fprintf(stderr, "make-state-zip-table: %s: %s\n", argv[1], rows.Message().c_str());
        return 1;
    }
    std::vector<int> columns;
    if (const std::string problems = Problems(*rows, columns); !problems.empty()) {
        std::fprintf(stderr, "make-state-zip-table: %s:\n%s", argv[1], problems.c_str());
        return 1;
    }
    if (Status written = Write(*rows, columns, argv[2]); !written) {
        std::fprintf(stderr, "make-state-zip-table: %s\n", written.Message().c_str());
        return 1;
    }
    std::printf("make-state-zip-table: %zu ranges written to %s/CSZ.DBF\n", rows->size() - 1, argv[2]);
    return 0;
}
