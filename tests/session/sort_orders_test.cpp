// Sort orders: menu texts to index tags, status text and check marks, selection on a table.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/AddressFileLayout.h"
#include "session/SortOrders.h"
#include "support/AddressTableFixture.h"

namespace corvane {
namespace {

struct OrderCase {
    const char* Name;
    const char* Text;
    const char* Tag; // "" when nothing is selected
    int Checked;     // menu position, -1 for none
};

class SetOrderToTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(SetOrderToTest, MapsTextToTagStatusAndCheckMark)
{
    SortOrderChoice choice = SetOrderTo(GetParam().Text);
    EXPECT_EQ(choice.Tag, GetParam().Tag);
    EXPECT_EQ(choice.StatusText, std::string("Sorted by ") + GetParam().Text);
    for (std::size_t i = 0; i < SortOrderCount; ++i) {
        EXPECT_EQ(choice.Checked[i], static_cast<int>(i) == GetParam().Checked) << SortOrders()[i].Text;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, SetOrderToTest,
                         ::testing::Values(OrderCase{"Email", "E-mail", "EMAIL", 10},
                                           OrderCase{"AnyCase", "last NAME", "LNAME", 0},
                                           OrderCase{"Organization", "Organization", "ORG", 3},
                                           OrderCase{"DateAfterFax", "Date", "DATE", 12},
                                           OrderCase{"Codes", "Codes", "CODES", 13},
                                           OrderCase{"Unknown", "Shoe size", "", -1},
                                           OrderCase{"Empty", "", "", -1}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(SortOrders, EveryMenuItemSelectsItselfAndATagOfTheAddressFile)
{
    std::set<std::string> tags;
    for (const auto& tag : AddressIndexTags())
        tags.insert(tag.Name);
    for (std::size_t i = 0; i < SortOrderCount; ++i) {
        const SortOrder& order = SortOrders()[i];
        EXPECT_EQ(MenuOrderText(order.MenuCaption), order.Text);
        SortOrderChoice choice = SetMenuOrder(order.MenuCaption);
        EXPECT_EQ(choice.Tag, order.Tag);
        EXPECT_EQ(std::count(choice.Checked.begin(), choice.Checked.end(), true), 1) << order.Text;
        EXPECT_TRUE(choice.Checked[i]) << order.Text;
        EXPECT_TRUE(tags.count(order.Tag)) << order.Tag;
    }
    EXPECT_EQ(MenuOrderText("&" + std::string(40, 'x')), std::string(30, 'x'));
}

class SetCurrentOrderTest : public testing::AddressTableTest {};

TEST_F(SetCurrentOrderTest, SelectsTheTagKeepingTheRecord)
{
    Open({{{"LNAME", "Young"}, {"EMAIL", "b@x"}},
          {{"LNAME", "Abel"}, {"EMAIL", "c@x"}},
          {{"LNAME", "Marx"}, {"EMAIL", "a@x"}}});
    ASSERT_TRUE(FTable.GoTo(2));
    SetCurrentOrder(FTable, SetOrderTo("E-mail").Tag);
    EXPECT_EQ(FTable.OrderName(), "EMAIL");
    EXPECT_EQ(FTable.RecNo(), 2u);
    EXPECT_EQ(testing::Column(FTable, "LNAME"), (std::vector<std::string>{"Marx", "Young", "Abel"}));

    // Unknown text, or a tag the file lacks, leaves the order alone.
    SetCurrentOrder(FTable, SetOrderTo("Shoe size").Tag);
    SetCurrentOrder(FTable, "NOSUCHTAG");
    EXPECT_EQ(FTable.OrderName(), "EMAIL");
}

} // namespace
} // namespace corvane
