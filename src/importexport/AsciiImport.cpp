#include "importexport/AsciiImport.h"

#include "importexport/AsciiLine.h"
#include "importexport/AsciiLineReader.h"
#include "importexport/ImportedDate.h"
#include "importexport/MatchModel.h"

namespace corvane {

namespace {

std::string ReadFailure(uint32_t count)
{
    return "Unknown error reading ASCII file after importing " + std::to_string(count) + " records.";
}

std::string WriteFailure(uint32_t count)
{
    return "Unknown error writing to data file after importing " + std::to_string(count) + " records.";
}

} // namespace

AsciiImportPlan AsciiImportPlan::FromMatch(const std::string& path, const MatchModel& match)
{
    AsciiImportPlan plan;
    plan.Path = path;
    plan.ColumnCount = match.Sources().size();
    plan.FieldOfColumn.resize(plan.ColumnCount);
    plan.LabelOfColumn.resize(plan.ColumnCount);
    for (std::size_t column = 0; column < plan.ColumnCount; ++column) {
        if (auto row = match.RowOf(column)) {
            plan.FieldOfColumn[column] = match.Targets()[*row].FieldName;
            plan.LabelOfColumn[column] = match.Targets()[*row].Label;
        }
    }
    return plan;
}

ImportResult ImportAsciiFile(const AsciiImportPlan& plan, AddressAppender& target, const JobControl& control)
{
    ImportResult result;
    auto fail = [&](std::string message, std::string detail) {
        // What was imported before the failure stays (the batch tool undoes it itself).
        (void)target.Commit();
        result.Failed = true;
        result.Message = std::move(message);
        result.Detail = std::move(detail);
        return result;
    };
    control.Say(CountingLinesStatus);
    auto scan = AsciiLineReader::Scan(plan.Path);
    if (!scan)
        return fail(ReadFailure(0), scan.Message());
    AsciiLineReader reader;
    if (Status opened = reader.Open(plan.Path, scan->Utf8); !opened)
        return fail(ReadFailure(0), opened.Message());

    control.Say(ImportingStatus);
    std::string line;
    while (true) {
        auto more = reader.Next(line);
        if (!more)
            return fail(ReadFailure(result.Imported), more.Message());
        if (!*more)
            break;
        std::vector<std::string> fields = SplitAsciiLine(line);
        fields.resize(plan.ColumnCount);
        AddressRecord record;
        for (std::size_t column = 0; column < plan.ColumnCount && column < plan.FieldOfColumn.size();
             ++column) {
            const std::string& field = plan.FieldOfColumn[column];
            if (field.empty() || fields[column].empty())
                continue;
            if (std::string* value = record.Text(field))
                *value = field == "DATE" ? ImportedDate(fields[column]) : fields[column];
        }
        if (Status appended = target.Append(record); !appended) {
            return fail(WriteFailure(result.Imported),
                        "Line " + std::to_string(reader.LineNumber()) + ": " + appended.Message());
        }
        ++result.Imported;
        control.Report(GaugeOf(result.Imported, scan->Lines));
        if (control.Cancelled()) {
            result.Cancelled = true;
            break;
        }
    }
    if (Status committed = target.Commit(); !committed)
        return fail(WriteFailure(result.Imported), committed.Message());
    result.Message =
        result.Cancelled ? ImportCancelledMessage(result.Imported) : ImportCompleteMessage(result.Imported);
    return result;
}

} // namespace corvane
