#include "core/SystemTables.h"

#include <filesystem>
#include <system_error>

#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/xbase/CompanionFiles.h"

namespace corvane {

namespace {

// The label stock columns shared by label setups (LABEL) and the shipped templates (LBLTPL).
std::vector<xbase::FieldSpec> LabelFields(bool setup)
{
    std::vector<xbase::FieldSpec> fields = {
        {"DESCRIPT", 'C', 60, 0}, {"PRINTER", 'C', 2, 0},    {"LBLHEIGHT", 'N', 6, 3},
        {"LBLWIDTH", 'N', 6, 3},  {"NBRACROSS", 'N', 2, 0},  {"NBRDOWN", 'N', 2, 0},
        {"TOPMARG", 'N', 6, 3},   {"LEFTMARG", 'N', 6, 3},   {"HORIZPITCH", 'N', 6, 3},
        {"VERTPITCH", 'N', 6, 3}, {"SHEETWIDTH", 'N', 6, 3}, {"SHEETDEPTH", 'N', 6, 3},
        {"PAPERSIZE", 'C', 5, 0}, {"LBLSHAPE", 'C', 2, 0},   {"TPLDESCRIP", 'C', 60, 0},
        {"MANUFAC", 'C', 10, 0},  {"PRODTYPE", 'C', 25, 0},  {"MIDEXTRAX", 'N', 6, 3},
        {"MIDEXTRAY", 'N', 6, 3}, {"ART", 'C', 12, 0},       {"DELETED", 'L', 1, 0},
        {"BINARY", 'C', 12, 0},
    };
    if (!setup) {
        // A template is a stock, not a setup: it has no template of its own, no deletion flag and
        // no layout file.
        std::erase_if(fields, [](const xbase::FieldSpec& field) {
            return field.Name == "TPLDESCRIP" || field.Name == "DELETED" || field.Name == "BINARY";
        });
    }
    return fields;
}

const std::vector<SystemTableDefinition>& Definitions()
{
    static const std::vector<SystemTableDefinition> definitions = {
        {SystemTable::Letter,
         "LETTER.DBF",
         "DESCRIPT",
         "UPPER(descript)",
         true,
         "Unable to Open or Create LETTER.DBF",
         {{"DESCRIPT", 'C', 50, 0}, {"RTF", 'M', 10, 0}}},
        {SystemTable::Report,
         "REPORT.DBF",
         "DESCRIPT",
         "UPPER(descript)",
         true,
         "Unable to Open or Create REPORT.DBF",
         {{"DESCRIPT", 'C', 60, 0}, {"LAYOUT", 'C', 60, 0}, {"BINARY", 'C', 12, 0}}},
        {SystemTable::Envelope,
         "ENVELOPE.DBF",
         "DESCRIPT",
         "UPPER(descript)",
         true,
         "Unable to Open or Create ENVELOPE.DBF",
         {{"DESCRIPT", 'C', 60, 0}, {"NUMBER", 'N', 5, 0}, {"BINARY", 'C', 12, 0}}},
        {SystemTable::Label, "LABEL.DBF", "DESCRIPT", "UPPER(descript)", true,
         "Unable to Open or Create LABEL.DBF", LabelFields(true)},
        {SystemTable::LabelTemplate, "LBLTPL.DBF", "DESCRIPT", "UPPER(descript)", false,
         "Unable to Open LBLTPL.DBF", LabelFields(false)},
        {SystemTable::CityStateZip,
         "CSZ.DBF",
         "STATE",
         "UPPER(state)",
         false,
         "Unable to Open or Create CSZ.DBF",
         {{"NAME", 'C', 20, 0}, {"STATE", 'C', 4, 0}, {"LOW_ZIP", 'C', 10, 0}, {"HIGH_ZIP", 'C', 10, 0}}},
    };
    return definitions;
}

// Opens the table, creating it only when no file of that name exists in any case: a file that is
// there but will not open (in use, damaged) may hold the user's definitions.
Status OpenOrCreate(const SystemTableDefinition& definition, xbase::Table& table)
{
    (void)table.Close();
    const std::string folder = SystemDataDirectory();
    std::string path = FindEntryNoCase(folder, definition.FileName);
    if (path.empty()) {
        if (!definition.CreatedWhenMissing) {
            return Status::Error(std::string(definition.FileName) + " is missing from " + folder);
        }
        path = folder + definition.FileName;
        if (Status created = xbase::Table::Create(path, definition.Fields); !created)
            return created;
    }
    if (Status opened = table.Open(path, xbase::OpenMode::Exclusive); !opened)
        return opened;
    if (xbase::FindCompanion(path, ".CDX").empty()) {
        // A lost index is made anew; the table is usable in record order without it.
        if (table.CreateTag(definition.TagName, definition.KeyExpression))
            (void)table.FlushIndexes();
    }
    return Status::Success();
}

} // namespace

const SystemTableDefinition& SystemTableInfo(SystemTable table)
{
    return Definitions()[static_cast<size_t>(table)];
}

bool OpenSystemTable(SystemTable kind, xbase::Table& table)
{
    const SystemTableDefinition& definition = SystemTableInfo(kind);
    if (Status opened = OpenOrCreate(definition, table); !opened) {
        (void)table.Close();
        ShowInfo(definition.OpenFailure);
        return false;
    }
    return true;
}

bool OpenLetterTable(xbase::Table& table)
{
    return OpenSystemTable(SystemTable::Letter, table);
}
bool OpenReportTable(xbase::Table& table)
{
    return OpenSystemTable(SystemTable::Report, table);
}
bool OpenEnvelopeTable(xbase::Table& table)
{
    return OpenSystemTable(SystemTable::Envelope, table);
}
bool OpenLabelTable(xbase::Table& table)
{
    return OpenSystemTable(SystemTable::Label, table);
}
bool OpenLabelTemplateTable(xbase::Table& table)
{
    return OpenSystemTable(SystemTable::LabelTemplate, table);
}
bool OpenCityStateZipTable(xbase::Table& table)
{
    return OpenSystemTable(SystemTable::CityStateZip, table);
}

} // namespace corvane
