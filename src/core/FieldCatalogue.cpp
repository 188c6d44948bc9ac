#include "core/FieldCatalogue.h"

#include <algorithm>

#include "core/AddressFileLayout.h"
#include "platform/AsciiText.h"
#include "platform/xbase/Table.h"

namespace corvane {

namespace {

CatalogueField StoredField(const char* name, bool visible)
{
    for (const AddressFieldDefinition& field : AddressFields()) {
        if (std::string_view(field.Name) != name)
            continue;
        const FieldKind kind = field.Type == 'M'   ? FieldKind::Memo
                               : field.Type == 'L' ? FieldKind::StoredLogical
                                                   : FieldKind::StoredText;
        return {field.Name, field.DisplayLabel, field.DefaultWidth, kind, visible};
    }
    return {name, name, 0, FieldKind::StoredText,
            visible}; // not reached: every name below is an address field
}

bool IsExtraField(std::string_view name)
{
    return name == "FullName" || name == "FullNameWithPrefix" || name == "CityStateZip";
}

} // namespace

FieldCatalogue::FieldCatalogue()
{
    FFields.push_back({"Tagged", "Tagged", 1, FieldKind::CalculatedLogical, true});
    FFields.push_back({"FullName", "Full Name", NameAddressWidth, FieldKind::CalculatedText, false});
    FFields.push_back(
        {"FullNameWithPrefix", "Full Name & Prefix", NameAddressWidth, FieldKind::CalculatedText, false});
    FFields.push_back(
        {"CityStateZip", "City, State & Zip", NameAddressWidth, FieldKind::CalculatedText, false});
    for (const char* name :
         {"LNAME", "FNAME", "MIDDLE", "PREFIX", "TITLE", "ORG", "STREET", "STREET2", "CITY", "STATE", "ZIP",
          "COUNTRY", "PHONE", "PHONE2", "FAX", "EMAIL", "CODES", "USER1", "USER2"}) {
        FFields.push_back(StoredField(name, true));
    }
    FFields.push_back(StoredField("MEMO", false));
    FFields.push_back(StoredField("ISDEL", false));
    FFields.push_back(StoredField("DATE", false));
    FFields.push_back({"DisplayDate", "Date", DisplayDateWidth, FieldKind::CalculatedText, true});
    FFields.push_back(StoredField("TAG", false));
}

int FieldCatalogue::IndexOfName(std::string_view name) const
{
    for (size_t i = 0; i < FFields.size(); ++i) {
        if (EqualsIgnoringCase(FFields[i].Name, name))
            return static_cast<int>(i);
    }
    return -1;
}

const CatalogueField* FieldCatalogue::FindByName(std::string_view name) const
{
    const int index = IndexOfName(name);
    return index < 0 ? nullptr : &FFields[static_cast<size_t>(index)];
}

const CatalogueField* FieldCatalogue::FindByLabel(std::string_view displayLabel) const
{
    for (const CatalogueField& field : FFields) {
        if (EqualsIgnoringCase(field.DisplayLabel, displayLabel))
            return &field;
    }
    return nullptr;
}

Status FieldCatalogue::TakeFileWidths(const std::vector<xbase::FieldDescriptor>& declared,
                                      std::string_view datasetName)
{
    return TakeWidths(
        [&](std::string_view name) -> std::optional<int> {
            for (const xbase::FieldDescriptor& field : declared) {
                if (EqualsIgnoringCase(field.Name, name))
                    return field.Width;
            }
            return std::nullopt;
        },
        datasetName);
}

Status FieldCatalogue::TakeFileWidths(const std::map<std::string, int>& widthsByName,
                                      std::string_view datasetName)
{
    return TakeWidths(
        [&](std::string_view name) -> std::optional<int> {
            for (const auto& [fieldName, width] : widthsByName) {
                if (EqualsIgnoringCase(fieldName, name))
                    return width;
            }
            return std::nullopt;
        },
        datasetName);
}

Status FieldCatalogue::TakeWidths(const std::function<std::optional<int>(std::string_view)>& widthOf,
                                  std::string_view datasetName)
{
    std::vector<int> widths(FFields.size(), 0);
    for (size_t i = 0; i < FFields.size(); ++i) {
        const CatalogueField& field = FFields[i];
        if (field.IsCalculated())
            continue;
        const std::optional<int> width = widthOf(field.Name);
        if (!width) {
            return Status::Error("Field \"" + field.Name + "\" not found in dataset \"" +
                                 std::string(datasetName) + "\"");
        }
        widths[i] = *width;
    }
    for (size_t i = 0; i < FFields.size(); ++i) {
        if (!FFields[i].IsCalculated())
            FFields[i].Width = widths[i];
    }
    return Status::Success();
}

Status FieldCatalogue::TakeFileWidths(const xbase::Table& table)
{
    if (!table.IsOpen())
        return Status::Error("The table is not open");
    return TakeFileWidths(table.File().Fields(), table.Path());
}

void FieldCatalogue::SetExtraFields(bool on)
{
    for (CatalogueField& field : FFields) {
        if (IsExtraField(field.Name))
            field.Visible = on;
    }
}

std::vector<std::string> FieldCatalogue::VisibleTextLabels() const
{
    std::vector<std::string> labels;
    for (const CatalogueField& field : FFields) {
        if (field.Visible && field.IsText())
            labels.push_back(field.DisplayLabel);
    }
    return labels;
}

bool FieldCatalogue::MoveField(std::string_view name, size_t position)
{
    const int from = IndexOfName(name);
    if (from < 0)
        return false;
    const size_t to = std::min(position, FFields.size() - 1);
    CatalogueField field = std::move(FFields[static_cast<size_t>(from)]);
    FFields.erase(FFields.begin() + from);
    FFields.insert(FFields.begin() + static_cast<std::ptrdiff_t>(to), std::move(field));
    return true;
}

std::vector<std::string> FieldCatalogue::Order() const
{
    std::vector<std::string> names;
    names.reserve(FFields.size());
    for (const CatalogueField& field : FFields)
        names.push_back(field.Name);
    return names;
}

void FieldCatalogue::ApplyOrder(const std::vector<std::string>& names)
{
    for (size_t i = 0; i < names.size(); ++i)
        MoveField(names[i], i);
}

} // namespace corvane
