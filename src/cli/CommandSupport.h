#pragma once
// What every corvane-cli command needs around its table: the one-line error report, opening a
// table that must exist, and selecting a tag by name.

#include <optional>
#include <string>
#include <string_view>

#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane::cli {

// `text` as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

// "corvane-cli: " + message on stderr; returns the exit status 1.
int Fail(const std::string& message);
// "usage: corvane-cli " + synopsis on stderr; returns 1.
int Usage(const char* synopsis);

// Opens the table for a command; reading commands share it, writing ones hold it alone.
Status OpenTable(xbase::Table& table, const std::string& path, xbase::OpenMode mode);
// Selects the named tag (nothing when absent), refusing an index that does not match its table.
Status SelectOrder(xbase::Table& table, const std::optional<std::string>& tag);

} // namespace corvane::cli
