#pragma once
// Layout file names of the setup tables (LABEL.DBF, ENVELOPE.DBF, REPORT.DBF): "BIN#####.L",
// "BIN#####.E", "BIN#####.R" in sysdata, one per row. A name is handed out only when no row names
// it (rows marked deleted included: they stay in the file until it is packed, and their layout
// files with them) and no file of the folder has it, so deleting one row never erases another
// row's layout.

#include <set>
#include <string>

#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

// The kinds of layout file: extension ".L", ".E" or ".R".
enum class LayoutKind { Label, Envelope, Report };

// The first name "BIN00001.<k>" ... "BIN99999.<k>" that no row's BINARY field names and no file of
// `sysdataFolder` has, in any case. An error when every name is taken or the folder cannot be
// read. The table's query, order and record are put back.
Result<std::string> NextLayoutBinaryName(xbase::Table& table, const std::string& sysdataFolder,
                                         LayoutKind kind);
// The first of those names not in `taken` (upper-case names); an error when all are taken.
Result<std::string> FirstFreeLayoutBinaryName(const std::set<std::string>& taken, LayoutKind kind);

} // namespace corvane
