#pragma once
// The 18 field widths a new address file may be given ("FieldLNAME" ... "FieldUSER2" of section
// "NewFileFieldLengths"), shared by the "Create new database" and "Specify Field Lengths" windows.

#include <string>
#include <vector>

#include "core/AddressFile.h"
#include "platform/Settings.h"
#include "platform/xbase/DbfFile.h"

namespace corvane {

// The stored fields whose width is a setting, in the order of the table of fields.
struct SettableField {
    std::string Name;     // "LNAME"
    std::string Key;      // "FieldLNAME"
    std::string Label;    // "Last Name"
    int DefaultWidth = 0; // width of a new file when the key is missing or out of range
};
const std::vector<SettableField>& SettableFields();

// What the "Create new database" window starts from: each key of the settings file, or the
// field's default when it is missing or below 5 or above 80. Keyed by field name.
AddressFieldWidths LoadNewFileFieldLengths(const Settings& settings = Settings());
// What "Defaults" of "Specify Field Lengths" offers: the defaults, but Fax 30.
AddressFieldWidths DefaultNewFileFieldLengths();
// Writes all 18 keys.
bool SaveNewFileFieldLengths(const AddressFieldWidths& widths, const Settings& settings = Settings());

// The 23 field specs of a new address file with `widths` (fields not named there, and the fixed
// ones, keep their default width).
std::vector<xbase::FieldSpec> AddressFileFieldsWithWidths(const AddressFieldWidths& widths);

} // namespace corvane
