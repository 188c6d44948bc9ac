#pragma once
// Companion files (memo, index) sit beside their table with the same base name. Files copied
// from other systems may spell the extension in either case, so lookups ignore case; new files
// spell their extension in the case of the table's own extension.

#include <string>

namespace xbase {

// The existing file beside `tablePath` whose name is the table's base name + `extension`
// compared without regard to case; empty when there is none.
std::string FindCompanion(const std::string& tablePath, const std::string& extension);
// Where a new companion file goes: the table's base name + `extension`, upper-case unless the
// table's extension has lower-case letters.
std::string CompanionPathForNew(const std::string& tablePath, const std::string& extension);

}  // namespace xbase
