#pragma once
// Creating, opening and checking address files, and naming new ones. No windows here: what the
// user must be told goes through ShowInfo in the program's words, and the returned status carries
// the engine's reason for callers that report it elsewhere (the batch tool).

#include <map>
#include <string>
#include <string_view>

#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

// The width each stored address field has in an opened file, by field name as the layout spells
// it ("LNAME", ...). Existing files may have any widths; the field catalogue takes these.
using AddressFieldWidths = std::map<std::string, int>;

// A new address file at `path`: the 23 fields with the widths of the settings file, its memo file
// and its 26 tags; closed afterwards. Does not check whether `path` exists (callers refuse that
// first). On failure shows "Create failed" or "File creation failed" and removes the files this
// call made.
Status CreateAddressFile(const std::string& path);

// Closes `table`, then opens the file at `path` exclusively in record order, provided it holds
// every stored address field. A missing file is shown as "File " + path + " not found"; other
// failures are left to the caller to report. Any failure leaves the table closed.
Result<AddressFieldWidths> OpenAddressTable(const std::string& path, xbase::Table& table);

// Every stored address field must be declared by the open table (names compared without case);
// the result is the width each has there. The failure text names the field and the table.
Result<AddressFieldWidths> VerifyTableFields(const xbase::Table& table);

// True only when the engine trusts the table's production index and it holds all 26 tags.
bool CheckValidIndex(const xbase::Table& table);

// The base name offered for a new address file: "ADD" + four digits, the first number 1..9999
// with no such ".DBF" in `folder` (any case); "ADD0001" when every number is taken.
std::string SuggestAddressFileName(const std::string& folder);
std::string SuggestAddressFileName(); // in DataDirectory()

// The base name typed for a new address file: 1 to 8 characters, a letter or "_" first, then
// letters, digits or "_".
bool IsValidAddressFileBaseName(std::string_view name);
inline constexpr const char* InvalidAddressFileNameMessage =
    "Invalid name. Must start with A..Z, followed by A..Z,0..9 or \"_\" (underscore)";

} // namespace corvane
