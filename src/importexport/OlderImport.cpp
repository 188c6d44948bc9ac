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
    if (Status fits = CheckGeneration(source, generation); !fits) {
        ImportResult refused;
        refused.Failed = true;
        refused.Message = UnknownImportErrorMessage;
        refused.Detail = fits.Message();
        return refused;
    }
    return AppendSourceRecords(source, target, control, [&](AddressRecord& record) {
        Status failure;
        auto read = [&](const std::string& field) -> std::string {
            auto value = source.Text(static_cast<std::size_t>(source.FieldIndex(field)));
            if (!value && failure)
                failure = Status::Error(field + ": " + value.Message());
            return value ? value.Take() : std::string();
        };
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
        return failure;
    });
}

} // namespace corvane
