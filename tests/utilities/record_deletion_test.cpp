// "Delete Records": the three choices, their queries and what each leaves in the file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "utilities/BulkEditFixture.h"
#include "utilities/RecordDeletion.h"

namespace corvane {
namespace {

using testing::Person;

TEST(DeletionQueryTest, EachChoiceHasItsQuery)
{
    const std::string filter = "UPPER(STATE)=\"MA\"";
    EXPECT_EQ(DeletionQuery(DeleteChoice::AllRecords, filter), "");
    EXPECT_EQ(DeletionQuery(DeleteChoice::MatchingFilter, filter), filter);
    EXPECT_EQ(DeletionQuery(DeleteChoice::NotMatchingFilter, filter), ".not.(UPPER(STATE)=\"MA\")");
    // Without a filter only "Delete &All Records" can run.
    EXPECT_EQ(DeletionQuery(DeleteChoice::NotMatchingFilter, ""), "");
    EXPECT_EQ(EffectiveDeleteChoice(DeleteChoice::MatchingFilter, ""), DeleteChoice::AllRecords);
    EXPECT_EQ(DeletedMessage(3), "Deleted 3 records");
}

const std::vector<Person> People = {
    {{"LNAME", "Adams"}, {"STATE", "MA"}}, {{"LNAME", "Baker"}, {"STATE", "NY"}},
    {{"LNAME", "Clark"}, {"STATE", "MA"}}, {{"LNAME", "Davis"}, {"STATE", "NY"}},
    {{"LNAME", "Evans"}, {"STATE", "MA"}}, {{"LNAME", "Fox"}, {"STATE", "NY"}},
};

class RecordDeletionTest : public testing::BulkEditTest {
  protected:
    void SetUp() override
    {
        Open(People);
        DeleteRecord(4); // deleted before: never counted again
        ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    }

    // The records a fresh main window would show.
    std::vector<std::string> Visible()
    {
        EXPECT_TRUE(FTable.SetQuery("!ISDEL"));
        EXPECT_TRUE(FTable.SetOrder(0));
        return testing::Column(FTable, "LNAME");
    }
};

TEST_F(RecordDeletionTest, WithoutAFilterDeleteNowEmptiesTheFile)
{
    std::vector<std::pair<uint32_t, uint32_t>> gauge;
    auto deleted =
        DeleteRecords(FTable, DeleteChoice::MatchingFilter, "", [&](uint32_t done, uint32_t total) {
            gauge.emplace_back(done, total);
            return true;
        });
    ASSERT_TRUE(deleted) << deleted.Message();
    EXPECT_EQ(*deleted, 5u);
    EXPECT_EQ(FTable.RecordCount(), 0u);
    EXPECT_EQ(gauge.back(), std::make_pair(5u, 5u));
    EXPECT_EQ(FTable.Query(), "!ISDEL");
    EXPECT_TRUE(FTable.Eof());
}

TEST_F(RecordDeletionTest, NotMatchingKeepsExactlyTheFiltersRecords)
{
    const std::string filter = FilterOnState("MA");
    ASSERT_TRUE(FTable.SetQuery(filter)); // as the hand-over leaves it
    auto deleted = DeleteRecords(FTable, DeleteChoice::NotMatchingFilter, filter);
    ASSERT_TRUE(deleted) << deleted.Message();
    EXPECT_EQ(*deleted, 2u); // Baker and Fox; Davis was deleted already
    EXPECT_EQ(FTable.Query(), filter);
    EXPECT_EQ(FTable.RecordCount(), 6u); // gone only at the next rebuild
    EXPECT_EQ(Visible(), (std::vector<std::string>{"Adams", "Clark", "Evans"}));
    // ISDEL and the deletion mark together.
    FTable.SetDeletedHidden(false);
    for (uint32_t recno : {2u, 4u, 6u}) {
        ASSERT_TRUE(FTable.GoTo(recno));
        EXPECT_TRUE(FTable.IsDeleted()) << recno;
        EXPECT_EQ(FTable.GetField("ISDEL").Value(), "T") << recno;
    }
}

TEST_F(RecordDeletionTest, MatchingDeletesTheFiltersRecords)
{
    const std::string filter = FilterOnState("MA");
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("LNAME")));
    ASSERT_TRUE(FTable.SetQuery(filter));
    auto deleted = DeleteRecords(FTable, DeleteChoice::MatchingFilter, filter);
    ASSERT_TRUE(deleted) << deleted.Message();
    EXPECT_EQ(*deleted, 3u);
    EXPECT_EQ(FTable.OrderName(), "LNAME");
    EXPECT_EQ(Visible(), (std::vector<std::string>{"Baker", "Fox"}));
}

TEST_F(RecordDeletionTest, AllWithAFilterStillEmptiesTheFile)
{
    const std::string filter = FilterOnState("MA");
    auto deleted = DeleteRecords(FTable, DeleteChoice::AllRecords, filter);
    ASSERT_TRUE(deleted) << deleted.Message();
    EXPECT_EQ(*deleted, 5u);
    EXPECT_EQ(FTable.RecordCount(), 0u);
    // The index is emptied with the table: a record added afterwards is found in every order.
    ASSERT_TRUE(FTable.SetQuery(""));
    ASSERT_TRUE(FTable.AppendBlank());
    ASSERT_TRUE(FTable.PutField("LNAME", "New"));
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("LNAME")));
    EXPECT_EQ(testing::Column(FTable, "LNAME"), (std::vector<std::string>{"New"}));
}

} // namespace
} // namespace corvane
