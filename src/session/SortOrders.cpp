#include "session/SortOrders.h"

#include "platform/xbase/Table.h"

namespace corvane {

namespace {

std::string UpperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

} // namespace

const std::array<SortOrder, SortOrderCount>& SortOrders()
{
    static const std::array<SortOrder, SortOrderCount> Orders = {{
        {"&Last Name", "Last Name", "LNAME"},
        {"&First Name", "First Name", "FNAME"},
        {"&Title", "Title", "TITLE"},
        {"&Organization", "Organization", "ORG"},
        {"&Street", "Street", "STREET"},
        {"&City", "City", "CITY"},
        {"&State", "State", "STATE"},
        {"&Zip", "Zip", "ZIP"},
        {"&Country", "Country", "COUNTRY"},
        {"&Phone", "Phone", "PHONE"},
        {"&E-mail", "E-mail", "EMAIL"},
        {"&Fax", "Fax", "FAX"},
        {"&Date", "Date", "DATE"},
        {"&Codes", "Codes", "CODES"},
    }};
    return Orders;
}

std::string MenuOrderText(std::string_view menuCaption)
{
    if (menuCaption.size() < 2)
        return {};
    return std::string(menuCaption.substr(1, 30));
}

SortOrderChoice SetOrderTo(std::string_view text)
{
    SortOrderChoice choice;
    const std::string upper = UpperAscii(text);
    for (std::size_t i = 0; i < SortOrderCount; ++i) {
        const SortOrder& order = SortOrders()[i];
        if (upper == UpperAscii(order.Text))
            choice.Tag = order.Tag;
        choice.Checked[i] = UpperAscii(MenuOrderText(order.MenuCaption)) == upper;
    }
    choice.StatusText = "Sorted by " + std::string(text);
    return choice;
}

SortOrderChoice SetMenuOrder(std::string_view menuCaption)
{
    return SetOrderTo(MenuOrderText(menuCaption));
}

void SetCurrentOrder(xbase::Table& table, std::string_view tagName)
{
    if (tagName.empty())
        return;
    const int order = table.OrderNumber(tagName);
    if (order == 0)
        return;
    (void)table.SetOrder(order);
}

} // namespace corvane
