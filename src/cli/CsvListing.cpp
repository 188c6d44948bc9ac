#include "cli/CsvListing.h"

#include <sstream>

#include "importexport/Csv.h"

namespace corvane::cli {

namespace {

std::vector<std::string> SplitList(const std::string& text)
{
    std::vector<std::string> items;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ',')) {
        if (!item.empty())
            items.push_back(item);
    }
    return items;
}

// The value a listing shows: logicals as T or F, everything else as the engine reads it.
Result<std::string> DisplayValue(const xbase::Table& table, const xbase::FieldDescriptor& field)
{
    auto value = table.GetField(field.Name);
    if (!value)
        return value;
    if (field.Type == 'L')
        return std::string(*value == "T" ? "T" : "F");
    return value;
}

CsvRow HeaderRow(const std::vector<const xbase::FieldDescriptor*>& fields, bool withRecno)
{
    CsvRow header;
    if (withRecno)
        header.push_back("RECNO");
    for (const auto* field : fields)
        header.push_back(field->Name);
    return header;
}

} // namespace

Result<std::vector<const xbase::FieldDescriptor*>> ListedFields(const xbase::Table& table,
                                                                const std::optional<std::string>& names)
{
    std::vector<const xbase::FieldDescriptor*> fields;
    if (names) {
        for (const std::string& name : SplitList(*names)) {
            int index = table.FieldIndex(name);
            if (index < 0)
                return Status::Error("No field " + name + " in " + table.Path());
            fields.push_back(&table.File().Fields()[static_cast<size_t>(index)]);
        }
    } else {
        for (const auto& field : table.File().Fields())
            fields.push_back(&field);
    }
    return fields;
}

void WriteCsvHeader(const std::vector<const xbase::FieldDescriptor*>& fields, bool withRecno,
                    std::ostream& out)
{
    out << FormatCsvRow(HeaderRow(fields, withRecno));
}

Status WriteCsvListing(xbase::Table& table, const std::vector<const xbase::FieldDescriptor*>& fields,
                       bool withRecno, std::ostream& out)
{
    std::string text = FormatCsvRow(HeaderRow(fields, withRecno));
    if (Status top = table.GoTop(); !top)
        return top;
    while (!table.Eof()) {
        CsvRow row;
        if (withRecno)
            row.push_back(std::to_string(table.RecNo()));
        for (const auto* field : fields) {
            auto value = DisplayValue(table, *field);
            if (!value)
                return value.ToStatus();
            row.push_back(value.Take());
        }
        text += FormatCsvRow(row);
        if (text.size() > (1 << 16)) {
            out << text;
            text.clear();
        }
        if (Status next = table.Skip(1); !next)
            return next;
    }
    out << text;
    return Status::Success();
}

} // namespace corvane::cli
