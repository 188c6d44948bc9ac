// Makes the shipped label stock catalogue LBLTPL.DBF (and its index, tag DESCRIPT) from the text
// source data/label-stocks.csv. A row that does not fit its sheet, a number that does not fit its
// column, or a description given twice stops the build: the catalogue must never ship a stock
// that prints off the paper.
//
// Usage: make-label-catalogue STOCKS.csv FOLDER

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/SystemTables.h"
#include "importexport/Csv.h"
#include "platform/xbase/Table.h"

namespace {

using corvane::CsvRow;
using corvane::Result;
using corvane::Status;

// Rounding to three decimals and the fixed A4 figures (8.27 x 11.69 for 210 x 297 mm) may put an
// edge a few thousandths past the sheet; anything more is a real misfit.
constexpr double Tolerance = 0.005;
constexpr int MaxPositions = 200;

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool ParseNumber(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && std::isfinite(value);
}

// Why the stock does not fit its sheet along one direction, or empty when it does.
std::string AxisMisfit(const char* direction, double margin, double pitch, double count, double size,
                       double sheet)
{
    if (count < 1 || size <= 0)
        return std::string(direction) + ": no labels";
    if (margin < 0)
        return std::string(direction) + ": negative margin";
    if (count > 1 && pitch < size - Tolerance)
        return std::string(direction) + ": labels overlap";
    if (margin + pitch * (count - 1) + size > sheet + Tolerance)
        return std::string(direction) + ": labels run off the sheet";
    return {};
}

class CatalogueMaker {
  public:
    explicit CatalogueMaker(std::vector<CsvRow> rows) : FRows(std::move(rows)) {}

    // Empty on success, otherwise every problem found, one a line.
    std::string Check()
    {
        std::ostringstream problems;
        if (FRows.empty()) {
            return "the stock list is empty\n";
        }
        const CsvRow& header = FRows.front();
        for (const xbase::FieldSpec& field : Fields()) {
            int column = -1;
            for (size_t i = 0; i < header.size(); ++i) {
                if (Upper(header[i]) == field.Name)
                    column = static_cast<int>(i);
            }
            if (column < 0)
                problems << "column " << field.Name << " is missing\n";
            FColumns.push_back(column);
        }
        if (!problems.str().empty())
            return problems.str();

        std::set<std::string> descriptions;
        for (size_t line = 1; line < FRows.size(); ++line) {
            const std::string problem = RowProblem(FRows[line], descriptions);
            if (!problem.empty())
                problems << "line " << line + 1 << ": " << problem << "\n";
        }
        return problems.str();
    }

    Status Write(const std::string& folder)
    {
        const std::string path = folder + "/LBLTPL.DBF";
        std::error_code error;
        std::filesystem::remove(path, error);
        std::filesystem::remove(folder + "/LBLTPL.CDX", error);
        if (Status created = xbase::Table::Create(path, Fields()); !created)
            return created;
        xbase::Table table;
        if (Status opened = table.Open(path, xbase::OpenMode::Exclusive); !opened)
            return opened;
        for (size_t line = 1; line < FRows.size(); ++line) {
            if (Status appended = table.AppendBlank(); !appended)
                return appended;
            for (size_t i = 0; i < Fields().size(); ++i) {
                const std::string& text = FRows[line][static_cast<size_t>(FColumns[i])];
                if (Status put = table.PutField(Fields()[i].Name, text); !put)
                    return put;
            }
        }
        const corvane::SystemTableDefinition& definition =
            corvane::SystemTableInfo(corvane::SystemTable::LabelTemplate);
        if (Status tagged = table.CreateTag(definition.TagName, definition.KeyExpression); !tagged)
            return tagged;
        if (Status flushed = table.FlushIndexes(); !flushed)
            return flushed;
        return table.Close();
    }

    size_t StockCount() const { return FRows.empty() ? 0 : FRows.size() - 1; }

  private:
    static const std::vector<xbase::FieldSpec>& Fields()
    {
        return corvane::SystemTableInfo(corvane::SystemTable::LabelTemplate).Fields;
    }

    std::string RowProblem(const CsvRow& row, std::set<std::string>& descriptions) const
    {
        std::vector<double> numbers(Fields().size(), 0.0);
        for (size_t i = 0; i < Fields().size(); ++i) {
            const xbase::FieldSpec& field = Fields()[i];
            if (static_cast<size_t>(FColumns[i]) >= row.size())
                return "too few columns";
            const std::string& text = row[static_cast<size_t>(FColumns[i])];
            if (field.Type == 'C') {
                if (text.size() > static_cast<size_t>(field.Width))
                    return field.Name + " is longer than " + std::to_string(field.Width) + " characters";
                continue;
            }
            if (!ParseNumber(text, numbers[i]))
                return field.Name + " is not a number: \"" + text + "\"";
            char formatted[64];
            std::snprintf(formatted, sizeof formatted, "%.*f", field.Decimals, numbers[i]);
            if (std::string(formatted).size() > static_cast<size_t>(field.Width))
                return field.Name + " does not fit N " + std::to_string(field.Width);
        }
        auto number = [&](const char* name) {
            for (size_t i = 0; i < Fields().size(); ++i) {
                if (Fields()[i].Name == name)
                    return numbers[i];
            }
            return 0.0;
        };
        auto text = [&](const char* name) {
            for (size_t i = 0; i < Fields().size(); ++i) {
                if (Fields()[i].Name == name)
                    return row[static_cast<size_t>(FColumns[i])];
            }
            return std::string();
        };
        const std::string description = text("DESCRIPT");
        if (description.empty())
            return "DESCRIPT is empty";
        if (!descriptions.insert(Upper(description)).second)
            return "\"" + description + "\" is given twice";
        if (number("NBRACROSS") * number("NBRDOWN") > MaxPositions)
            return "more than " + std::to_string(MaxPositions) + " labels on a sheet";
        std::string misfit = AxisMisfit("across", number("LEFTMARG"), number("HORIZPITCH"),
                                        number("NBRACROSS"), number("LBLWIDTH"), number("SHEETWIDTH"));
        if (misfit.empty()) {
            misfit = AxisMisfit("down", number("TOPMARG"), number("VERTPITCH"), number("NBRDOWN"),
                                number("LBLHEIGHT"), number("SHEETDEPTH"));
        }
        return misfit.empty() ? std::string() : "\"" + description + "\" " + misfit;
    }

    std::vector<CsvRow> FRows;
    std::vector<int> FColumns;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-label-catalogue STOCKS.csv FOLDER\n");
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    if (!input) {
        std::fprintf(stderr, "make-label-catalogue: cannot read %s\n", argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << input.rdbuf();
    Result<std::vector<CsvRow>> rows = corvane::ParseCsv(text.str());
    if (!rows) {
        std::fprintf(stderr, "make-label-catalogue: %s: %s\n", argv[1], rows.Message().c_str());
        return 1;
    }
    CatalogueMaker maker(std::move(*rows));
    if (const std::string problems = maker.Check(); !problems.empty()) {
        std::fprintf(stderr, "make-label-catalogue: %s:\n%s", argv[1], problems.c_str());
        return 1;
    }
    if (Status written = maker.Write(argv[2]); !written) {
        std::fprintf(stderr, "make-label-catalogue: %s\n", written.Message().c_str());
        return 1;
    }
    std::printf("make-label-catalogue: %zu stocks written to %s/LBLTPL.DBF\n", maker.StockCount(), argv[2]);
    return 0;
}
