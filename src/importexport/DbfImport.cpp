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

ImportResult AppendSourceRecords(SourceTable& source, AddressAppender& target, const JobControl& control,
                                 const std::function<Status(AddressRecord&)>& fill)
{
    ImportResult result;
    auto fail = [&](const std::string& detail) {
        // What was imported before the failure stays (the batch tool undoes it itself).
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
    while (!source.AtEnd()) {
        const std::string where = "Record " + std::to_string(source.RecordNumber());
        AddressRecord record;
        if (Status filled = fill(record); !filled)
            return fail(where + ", field " + filled.Message());
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

ImportResult ImportDbfTable(SourceTable& source, const DbfImportPlan& plan, AddressAppender& target,
                            const JobControl& control)
{
    return AppendSourceRecords(source, target, control, [&](AddressRecord& record) {
        for (const auto& pair : plan.Pairs) {
            auto value = source.Text(pair.SourceField);
            if (!value)
                return Status::Error(source.Fields()[pair.SourceField].Name + ": " + value.Message());
            if (pair.TargetField == "MEMO")
                record.Memo = value.Take();
            else if (value->empty())
                continue;
            else if (std::string* text = record.Text(pair.TargetField))
                *text = pair.TargetField == "DATE" ? ImportedDate(*value) : value.Take();
        }
        return Status::Success();
    });
}

} // namespace corvane
