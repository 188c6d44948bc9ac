#include "app/NewFileFieldLengths.h"

#include "core/AddressFileLayout.h"
#include "platform/settings/IniFile.h"

namespace corvane {

namespace {

constexpr const char* LengthsSection = "NewFileFieldLengths";

} // namespace

const std::vector<SettableField>& SettableFields()
{
    static const std::vector<SettableField> fields = [] {
        std::vector<SettableField> settable;
        for (const auto& field : AddressFields()) {
            if (field.WidthKey)
                settable.push_back({field.Name, field.WidthKey, field.DisplayLabel, field.DefaultWidth});
        }
        return settable;
    }();
    return fields;
}

AddressFieldWidths LoadNewFileFieldLengths(const Settings& settings)
{
    // The same reading as file creation, so the window shows what a file would get.
    AddressFieldWidths widths;
    const std::vector<xbase::FieldSpec> specs = NewAddressFileFields(settings.Load());
    for (const auto& field : SettableFields()) {
        for (const auto& spec : specs) {
            if (spec.Name == field.Name)
                widths[field.Name] = spec.Width;
        }
    }
    return widths;
}

AddressFieldWidths DefaultNewFileFieldLengths()
{
    AddressFieldWidths widths;
    for (const auto& field : SettableFields())
        widths[field.Name] = field.DefaultWidth;
    // The field-length window has always offered 30 for the fax number, though a file created
    // without settings gets 40.
    widths["FAX"] = 30;
    return widths;
}

bool SaveNewFileFieldLengths(const AddressFieldWidths& widths, const Settings& settings)
{
    IniFile file = settings.Load();
    for (const auto& field : SettableFields()) {
        const auto found = widths.find(field.Name);
        file.WriteInteger(LengthsSection, field.Key,
                          found != widths.end() ? found->second : field.DefaultWidth);
    }
    return settings.Save(file);
}

std::vector<xbase::FieldSpec> AddressFileFieldsWithWidths(const AddressFieldWidths& widths)
{
    std::vector<xbase::FieldSpec> specs;
    for (const auto& field : AddressFields()) {
        int width = field.DefaultWidth;
        if (field.WidthKey) {
            if (const auto found = widths.find(field.Name); found != widths.end())
                width = found->second;
        }
        specs.push_back({field.Name, field.Type, width, 0});
    }
    return specs;
}

} // namespace corvane
