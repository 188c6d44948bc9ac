#include "utilities/CaseConversionRun.h"

#include "core/TableCursorState.h"
#include "session/FilterQuery.h"

namespace corvane {

namespace {

Status CheckFields(const xbase::Table& table, const std::vector<std::string>& fields)
{
    if (fields.empty())
        return Status::Error(std::string(NoFieldsCheckedMessage));
    for (const std::string& name : fields) {
        if (!FindConvertibleField(name))
            return Status::Error("Case conversion does not change the field " + name);
        if (table.FieldIndex(name) < 0)
            return Status::Error("The field " + name + " is not in " + table.Path());
    }
    return Status::Success();
}

// Edits the current record: each field converted, written only when the conversion changed it.
Status ConvertCurrentRecord(xbase::Table& table, const std::vector<std::string>& fields,
                            CaseConversion conversion)
{
    for (const std::string& name : fields) {
        auto value = table.GetField(name);
        if (!value)
            return value.ToStatus();
        std::string converted = ConvertCase(*value, conversion);
        if (converted == *value)
            continue;
        if (Status put = table.PutField(name, converted); !put)
            return put;
    }
    return Status::Success();
}

} // namespace

const char* ConversionScopeCaption(ConversionScope scope)
{
    switch (scope) {
    case ConversionScope::CurrentRecord:
        return "Current Record Only";
    case ConversionScope::AllRecords:
        return "All Records";
    case ConversionScope::FilterRecords:
        return "All Records Matching Filter";
    }
    return "";
}

Result<CaseConversionOutcome> ConvertRecords(xbase::Table& table, const CaseConversionSettings& settings,
                                             const BulkEditProgress& progress)
{
    if (Status fields = CheckFields(table, settings.Fields); !fields)
        return fields;
    CaseConversionOutcome outcome;
    Status run = WithCursorRestored(table, [&]() -> Status {
        if (settings.Scope == ConversionScope::CurrentRecord) {
            if (table.Eof())
                return Status::Success();
            outcome.Total = 1;
            if (Status converted = ConvertCurrentRecord(table, settings.Fields, settings.Conversion);
                !converted)
                return converted;
            outcome.Converted = 1;
            if (progress)
                (void)progress(1, 1);
            return table.Commit();
        }
        if (settings.Scope == ConversionScope::AllRecords) {
            if (Status queried = table.SetQuery(NoFilterQuery); !queried)
                return queried;
        }
        // Record order: a field that belongs to the order's key cannot make the walk skip or
        // revisit a record.
        if (Status natural = table.SetOrder(0); !natural)
            return natural;
        auto total = table.QueryCount();
        if (!total)
            return total.ToStatus();
        outcome.Total = *total;
        if (Status top = table.GoTop(); !top)
            return top;
        while (!table.Eof()) {
            if (Status converted = ConvertCurrentRecord(table, settings.Fields, settings.Conversion);
                !converted)
                return converted;
            ++outcome.Converted;
            if (progress && !progress(outcome.Converted, outcome.Total)) {
                outcome.Cancelled = true;
                break;
            }
            if (Status next = table.Skip(1); !next)
                return next;
        }
        return table.Commit();
    });
    if (!run)
        return run;
    return outcome;
}

} // namespace corvane
