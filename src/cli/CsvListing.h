#pragma once
// The CSV listing of records that `list` prints and the commands that select records (filter)
// print after their own lines: a header of field names, then one row per record reached from
// the top of the table in its current order and query.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane::cli {

// The fields named in a comma-separated list (every field of the table when there is none);
// an unknown name is an error.
Result<std::vector<const xbase::FieldDescriptor*>> ListedFields(const xbase::Table& table,
                                                                const std::optional<std::string>& names);

// Writes the header and every record from the top; logicals show as T or F. With `withRecno`
// the first column is RECNO. Output goes out in chunks, so an error can follow some of the rows.
Status WriteCsvListing(xbase::Table& table, const std::vector<const xbase::FieldDescriptor*>& fields,
                       bool withRecno, std::ostream& out);
// The header line alone.
void WriteCsvHeader(const std::vector<const xbase::FieldDescriptor*>& fields, bool withRecno,
                    std::ostream& out);

} // namespace corvane::cli
