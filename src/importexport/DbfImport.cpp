#include "importexport/DbfImport.h"

#include "importexport/ImportedDate.h"
#include "importexport/MatchModel.h"
#include "importexport/SourceTable.h"

namespace corvane {

DbfImportPlan DbfImportPlan::FromMatch(const MatchModel& match)
{
    DbfImportPlan plan;
    for (std::size_t source = 0; source < match.Sources().size(); ++source) {
        if (auto row = match.RowOf(source))
            plan.Pairs.push_back({source, match.Targets()[*row].FieldName});
    }
    return plan;
}

ImportResult ImportDbfTable(SourceTable& source, const DbfImportPlan& plan, AddressAppender& target,
                            const JobControl& control)
{
    ImportResult result;
    auto fail = [&](const std::string& detail) {
        (void)target.Commit();
        result.Failed = true;
        result.Message = UnknownImportErrorMessage;
        result.Detail = detail;
        return result;
    };
    control.Say(ImportingStatus);
    const uint32_t total = source.RecordCount();
    if (Status first = source.First(); !first)
        return fail(first.Message());
    for (; !source.AtEnd();) {
        const std::string where = "Record " + std::to_string(source.RecordNumber());
        AddressRecord record;
        for (const auto& pair : plan.Pairs) {
            auto value = source.Text(pair.SourceField);
            if (!value)
                return fail(where + ", field " + source.Fields()[pair.SourceField].Name + ": " +
                            value.Message());
            if (pair.TargetField == "MEMO")
                record.Memo = value.Take();
            else if (value->empty())
                continue;
            else if (std::string* text = record.Text(pair.TargetField))
                *text = pair.TargetField == "DATE" ? ImportedDate(*value) : value.Take();
        }
        if (Status appended = target.Append(record); !appended)
            return fail(where + ": " + appended.Message());
        ++result.Imported;
        control.Report(GaugeOf(source.RecordNumber(), total));
        if (control.Cancelled()) {
            result.Cancelled = true;
            break;
        }
        if (Status next = source.Next(); !next)
            return fail(next.Message());
    }
    if (Status committed = target.Commit(); !committed)
        return fail(committed.Message());
    result.Message =
        result.Cancelled ? ImportCancelledMessage(result.Imported) : ImportCompleteMessage(result.Imported);
    return result;
}

} // namespace corvane
