#include "core/AddressFileLayout.h"

#include <cstdio>
#include <filesystem>

#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/CompanionFiles.h"

namespace corvane {

const std::vector<AddressFieldDefinition>& AddressFields()
{
    static const std::vector<AddressFieldDefinition> fields = {
        {"LNAME", 'C', 30, "FieldLNAME", "Last Name"},
        {"FNAME", 'C', 30, "FieldFNAME", "First Name"},
        {"MIDDLE", 'C', 1, nullptr, "Middle"},
        {"PREFIX", 'C', 12, "FieldPREFIX", "Prefix"},
        {"TITLE", 'C', 30, "FieldTITLE", "Title"},
        {"ORG", 'C', 30, "FieldORG", "Organization"},
        {"STREET", 'C', 40, "FieldSTREET", "Address 1"},
        {"STREET2", 'C', 40, "FieldSTREET2", "Address 2"},
        {"CITY", 'C', 30, "FieldCITY", "City"},
        {"STATE", 'C', 20, "FieldSTATE", "State"},
        {"ZIP", 'C', 10, "FieldZIP", "Zip/Postal Code"},
        {"COUNTRY", 'C', 30, "FieldCOUNTRY", "Country"},
        {"DATE", 'C', 15, nullptr, "Actual Date"},
        {"PHONE", 'C', 30, "FieldPHONE", "Phone 1"},
        {"PHONE2", 'C', 30, "FieldPHONE2", "Phone 2"},
        {"FAX", 'C', 40, "FieldFAX", "Fax"},
        {"EMAIL", 'C', 40, "FieldEMAIL", "Email"},
        {"CODES", 'C', 30, "FieldCODES", "Codes"},
        {"USER1", 'C', 40, "FieldUSER1", "Comment 1"},
        {"USER2", 'C', 40, "FieldUSER2", "Comment 2"},
        {"ISDEL", 'L', 1, nullptr, "Deleted"},
        {"TAG", 'C', 8, nullptr, "TAG"},
        {"MEMO", 'M', 10, nullptr, "MEMO"},
    };
    return fields;
}

const std::vector<AddressTagDefinition>& AddressIndexTags()
{
    static const std::vector<AddressTagDefinition> tags = {
        {"NAME", "UPPER(LNAME-FNAME)"},
        {"LNAME", "UPPER(LNAME)+UPPER(FNAME)"},
        {"FNAME", "UPPER(FNAME)"},
        {"TITLE", "UPPER(TITLE)"},
        {"ORG", "UPPER(ORG)"},
        {"STREET", "UPPER(STREET)"},
        {"STREET2", "UPPER(STREET2)"},
        {"CITY", "UPPER(CITY+STATE)"},
        {"STATE", "UPPER(STATE)"},
        {"ZIP", "UPPER(ZIP)"},
        {"COUNTRY", "UPPER(COUNTRY)"},
        {"PHONE", "UPPER(PHONE)"},
        {"PHONE2", "UPPER(PHONE2)"},
        {"EMAIL", "UPPER(EMAIL)"},
        {"FAX", "UPPER(FAX)"},
        {"USER1", "UPPER(USER1)"},
        {"USER2", "UPPER(USER2)"},
        {"DATE", "UPPER(DATE)"},
        {"TAG", "UPPER(TAG)"},
        {"CODES", "UPPER(CODES)"},
        {"PREFIX", "UPPER(PREFIX)"},
        {"MIDDLE", "UPPER(MIDDLE)"},
        {"DELETED", "DELETED()"},
        {"STATEZIP", "UPPER(STATE-ZIP)"},
        {"ISDEL", "ISDEL"},
        {"NOTISDEL", "!ISDEL"},
    };
    return tags;
}

std::vector<xbase::FieldSpec> NewAddressFileFields(const IniFile& settings)
{
    std::vector<xbase::FieldSpec> specs;
    for (const auto& field : AddressFields()) {
        int width = field.DefaultWidth;
        if (field.WidthKey) {
            int configured = settings.ReadInteger("NewFileFieldLengths", field.WidthKey, field.DefaultWidth);
            if (configured >= 5 && configured <= 80)
                width = configured;
        }
        specs.push_back({field.Name, field.Type, width, 0});
    }
    return specs;
}

Status RefuseCaseTwin(const std::string& path)
{
    const std::filesystem::path table(path);
    const std::string folder = table.parent_path().empty() ? std::string(".") : table.parent_path().string();
    for (const std::string& candidate : {path, xbase::CompanionPathForNew(path, ".FPT"),
                                         xbase::CompanionPathForNew(path, ".CDX")}) {
        const std::string name = std::filesystem::path(candidate).filename().string();
        const std::string found = FindEntryNoCase(folder, name);
        if (!found.empty() && std::filesystem::path(found).filename().string() != name)
            return Status::Error("Cannot create " + path + ": " + found + " has the same name");
    }
    return Status::Success();
}

Status CreateAddressTable(const std::string& path, const std::vector<xbase::FieldSpec>& fields)
{
    if (Status free = RefuseCaseTwin(path); !free)
        return free;
    if (Status created = xbase::Table::Create(path, fields); !created)
        return created;
    xbase::Table table;
    if (Status opened = table.Open(path, xbase::OpenMode::Exclusive); !opened)
        return opened;
    if (Status tagged = CreateAddressIndexTags(table); !tagged)
        return tagged;
    return table.Close();
}

Status DropProductionIndex(xbase::Table& table)
{
    std::string indexFile;
    for (int order = 1; order <= static_cast<int>(table.Tags().size()) && indexFile.empty(); ++order) {
        if (Status selected = table.SetOrder(order); !selected)
            return selected;
        indexFile = table.OrderIndexFileName();
    }
    // An index the engine refused to use lists no tags, but its file is still in the way.
    if (indexFile.empty() && table.IsOpen())
        indexFile = xbase::FindCompanion(table.Path(), ".CDX");
    if (Status closed = table.CloseIndexes(); !closed)
        return closed;
    if (!indexFile.empty() && std::remove(indexFile.c_str()) != 0) {
        return Status::Error("Cannot delete " + indexFile);
    }
    return Status::Success();
}

Status CreateAddressIndexTags(xbase::Table& table, const AddressTagProgress& progress)
{
    auto fail = [](Status status) {
        ShowInfo("Unable to create index files");
        return status;
    };
    if (Status dropped = DropProductionIndex(table); !dropped)
        return fail(dropped);
    std::vector<xbase::TagDefinition> tags;
    for (const auto& tag : AddressIndexTags()) {
        xbase::TagDefinition definition;
        definition.Name = tag.Name;
        definition.KeyExpression = tag.KeyExpression;
        tags.push_back(definition);
    }
    // One pass over the records for all of them.
    if (Status created = table.CreateTags(tags, progress); !created)
        return fail(created);
    if (Status flushed = table.FlushIndexes(); !flushed)
        return fail(flushed);
    return Status::Success();
}

bool IsAddressTable(const xbase::Table& table)
{
    if (!table.IsOpen())
        return false;
    for (const auto& field : AddressFields()) {
        if (table.FieldIndex(field.Name) < 0)
            return false;
    }
    return true;
}

} // namespace corvane
