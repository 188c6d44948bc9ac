#include "importexport/OlderImport.h"

#include <vector>

#include "core/MemoStorage.h"
#include "importexport/DbfImport.h"
#include "importexport/ImportedDate.h"
#include "importexport/SourceTable.h"

namespace corvane {

namespace {

const std::vector<std::string>& RequiredFields(OlderGeneration generation)
{
    static const std::vector<std::string> one = {"LNAME", "FNAME", "MIDDLE", "TITLE",   "ORG",   "STREET",
                                                 "CITY",  "STATE", "ZIP",    "COUNTRY", "PHONE", "EMAIL",
                                                 "FAX",   "NOTES", "PREFIX", "CARRIER", "DATE",  "MEMO"};
    static const std::vector<std::string> two = {"LNAME",   "FNAME", "MIDDLE", "TITLE", "ORG",     "STREET",
                                                 "STREET2", "CITY",  "STATE",  "ZIP",   "COUNTRY", "PHONE",
                                                 "PHONE2",  "EMAIL", "FAX",    "CODES", "PREFIX",  "DATE",
                                                 "USER1",   "USER2", "ISDEL",  "MEMO",  "TAG"};
    return generation == OlderGeneration::One ? one : two;
}

// Copied by name as text in both generations.
const std::vector<std::string>& CommonFields()
{
    static const std::vector<std::string> fields = {"LNAME",   "FNAME",  "PREFIX", "MIDDLE", "TITLE",
                                                    "ORG",     "STREET", "CITY",   "STATE",  "ZIP",
                                                    "COUNTRY", "PHONE",  "FAX",    "EMAIL"};
    return fields;
}

const std::vector<std::string>& SecondGenerationFields()
{
    static const std::vector<std::string> fields = {"CODES", "STREET2", "PHONE2", "USER1", "USER2", "DATE"};
    return fields;
}

} // namespace

std::string OlderImportCaption(OlderGeneration generation)
{
    return generation == OlderGeneration::One ? "Import Corvane 1.x DBF" : "Import Corvane 2.x DBF";
}

Status CheckGeneration(const SourceTable& source, OlderGeneration generation)
{
    for (const std::string& field : RequiredFields(generation)) {
        if (source.FieldIndex(field) < 0) {
            return Status::Error(source.Path() + " does not appear to be a Corvane " +
                                 (generation == OlderGeneration::One ? "1.x" : "2.x") + " DBF");
        }
    }
    return Status::Success();
}

ImportResult ImportOlderTable(SourceTable& source, OlderGeneration generation, AddressAppender& target,
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
    if (Status fits = CheckGeneration(source, generation); !fits)
        return fail(fits.Message());
    control.Say(ImportingStatus);
    const uint32_t total = source.RecordCount();
    if (Status first = source.First(); !first)
        return fail(first.Message());
    while (!source.AtEnd()) {
        const std::string where = "Record " + std::to_string(source.RecordNumber());
        std::string failure;
        auto read = [&](const std::string& field) -> std::string {
            auto value = source.Text(static_cast<std::size_t>(source.FieldIndex(field)));
            if (!value && failure.empty())
                failure = where + ", field " + field + ": " + value.Message();
            return value ? value.Take() : std::string();
        };
        AddressRecord record;
        for (const std::string& field : CommonFields())
            *record.Text(field) = read(field);
        if (generation == OlderGeneration::Two) {
            for (const std::string& field : SecondGenerationFields())
                *record.Text(field) = read(field);
            record.IsDel = read("ISDEL") == "T";
        } else {
            record.Codes = read("NOTES");
            record.Date = ImportedDate(read("DATE"));
        }
        record.Memo = StoredMemoText(read("MEMO"));
        if (!failure.empty())
            return fail(failure);
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
