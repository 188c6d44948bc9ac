#pragma once
// What every corvane-cli command needs around its table: the one-line error report, opening a
// table that must exist, and selecting a tag by name.

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Result.h"
#include <QString>

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

// A whole number in `text` (blanks around it allowed); nothing for anything else.
std::optional<int> WholeNumber(const std::string& text);

// Walks the rows of a setup table under `listQuery` in DESCRIPT order (natural order without that
// tag), read by `read`, until `visit` returns true; the table stays on that row.
template <class Row, class Reader>
Status WalkListedRows(xbase::Table& table, std::string_view listQuery, Reader read,
                      const std::function<bool(const Row&)>& visit)
{
    if (Status queried = table.SetQuery(std::string(listQuery)); !queried)
        return queried;
    if (Status ordered = table.SetOrder(std::max(table.OrderNumber("DESCRIPT"), 0)); !ordered)
        return ordered;
    for (Status top = table.GoTop(); !table.Eof();) {
        if (!top)
            return top;
        auto row = read(table);
        if (!row)
            return row.ToStatus();
        if (visit(*row))
            break;
        if (Status next = table.Skip(1); !next)
            return next;
    }
    return Status::Success();
}

// Leaves the table on the listed row whose Description matches (trimmed, without case); an error
// "No <kind> named "<description>"" when none does.
template <class Row, class Reader>
Result<Row> FindListedRow(xbase::Table& table, std::string_view listQuery, Reader read,
                          const std::string& description, const std::string& kind)
{
    const QString wanted = QString::fromStdString(description).trimmed().toUpper();
    std::optional<Row> found;
    Status walked = WalkListedRows<Row>(table, listQuery, read, [&](const Row& row) {
        if (row.Description.trimmed().toUpper() == wanted)
            found = row;
        return found.has_value();
    });
    if (!walked)
        return walked;
    if (!found)
        return Status::Error("No " + kind + " named \"" + description + "\"");
    return *found;
}

} // namespace corvane::cli
