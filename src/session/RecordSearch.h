#pragma once
// The "Search" window's seek: the typed beginning of a key, looked up in the selected order with
// soft seek, so that a text between two keys lands on the next record. When no record follows,
// the record that was current stays current.

#include <string>
#include <string_view>

namespace xbase {
class Table;
}

namespace corvane {

// "Search " + order text + " starting with...".
std::string SearchLabelText(std::string_view orderText);

// Seeks `text` (upper-cased in the table's code page) at the start of the current order's keys
// with exact comparison off and soft seek on (soft seek is off again afterwards). Returns
// whether the cursor moved to a record; when the seek finds nothing at or after the text the
// remembered record is current again. Engine errors leave the cursor where they left it.
bool SeekStartingWith(xbase::Table& table, std::string_view text);

} // namespace corvane
