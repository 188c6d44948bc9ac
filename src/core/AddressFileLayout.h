#pragma once
// What every address file holds: the 23 stored fields in their physical order, the widths a new
// file takes from the settings file, and the 26 index tags with their key expressions.

#include <functional>
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
    const char* WidthKey; // key in "NewFileFieldLengths", or nullptr for a fixed width
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

// Refuses a new table at `path` when a file in its folder already has the table's name, or its
// memo's or index's, in another spelling of case: two such tables would share (and delete) each
// other's companion files wherever names are compared without case.
Status RefuseCaseTwin(const std::string& path);
// Creates the table (FoxPro style with its memo file) and its 26 tags, and closes it.
Status CreateAddressTable(const std::string& path, const std::vector<xbase::FieldSpec>& fields);
// Closes the open table's indexes and deletes its production index file, if it has one.
Status DropProductionIndex(xbase::Table& table);
// Progress while the 26 tags are built: the tag's position in creation order (0..25) and how far
// the engine says that tag is (0..100, in whatever steps it reports).
using AddressTagProgress = std::function<void(int tagNumber, int percent)>;
// Drops the table's production index file (closing the indexes first) and creates the 26 tags.
// A failure is shown as "Unable to create index files"; the status carries the engine's reason.
Status CreateAddressIndexTags(xbase::Table& table, const AddressTagProgress& progress = {});
// True when the open table declares every stored address field (names compared without case).
bool IsAddressTable(const xbase::Table& table);

} // namespace corvane
