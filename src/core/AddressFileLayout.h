#pragma once
// What every address file holds: the 23 stored fields in their physical order, the widths a new
// file takes from the settings file, and the 26 index tags with their key expressions.

#include <string>
#include <vector>

#include "platform/xbase/DbfFile.h"
#include "platform/xbase/Table.h"

namespace corvane {

class IniFile;

struct AddressFieldDefinition {
    const char* Name;
    char Type;
    int DefaultWidth;
    const char* WidthKey;  // key in "NewFileFieldLengths", or nullptr for a fixed width
    const char* DisplayLabel;
};

struct AddressTagDefinition {
    const char* Name;
    const char* KeyExpression;
};

const std::vector<AddressFieldDefinition>& AddressFields();
const std::vector<AddressTagDefinition>& AddressIndexTags();

// The 23 field specs of a new address file: each settable width from section
// "NewFileFieldLengths" of `settings`, the default where the key is missing or outside 5..80.
std::vector<xbase::FieldSpec> NewAddressFileFields(const IniFile& settings);

// Creates the table (FoxPro style with its memo file) and its 26 tags, and closes it.
xbase::Status CreateAddressTable(const std::string& path, const std::vector<xbase::FieldSpec>& fields);
// Drops the table's production index file (closing the indexes first) and creates the 26 tags.
xbase::Status CreateAddressIndexTags(xbase::Table& table, const xbase::ProgressCallback& progress = {});
// True when the open table declares every stored address field (names compared without case).
bool IsAddressTable(const xbase::Table& table);

}  // namespace corvane
