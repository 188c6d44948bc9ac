#pragma once
// The fourteen sort orders of the Sort menu, each an index tag of the address file, and the
// mapping from an order's text to its tag, status text and check marks.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace xbase {
class Table;
}

namespace corvane {

inline constexpr std::size_t SortOrderCount = 14;

struct SortOrder {
    const char* MenuCaption; // "&Last Name"
    const char* Text;        // "Last Name"
    const char* Tag;         // "LNAME"
};

// In menu order.
const std::array<SortOrder, SortOrderCount>& SortOrders();

struct SortOrderChoice {
    std::string Tag;                            // the tag to select; empty when the text names no order
    std::string StatusText;                     // "Sorted by " + text
    std::array<bool, SortOrderCount> Checked{}; // the menu items that carry the check mark
};

// SetOrderTo: the text (any case) mapped to its tag; an unknown text selects nothing but still
// becomes the status text (and then no item is checked).
SortOrderChoice SetOrderTo(std::string_view text);
// A menu item's caption from its second character on, at most 30 characters.
std::string MenuOrderText(std::string_view menuCaption);
// SetOrderTo of a Sort menu item's caption.
SortOrderChoice SetMenuOrder(std::string_view menuCaption);

// Selects the tag on the table, keeping the current record. An empty name,
// a tag the table lacks and engine errors leave the order as it was: the sort order is a view
// preference, never worth an error box.
void SetCurrentOrder(xbase::Table& table, std::string_view tagName);

} // namespace corvane
