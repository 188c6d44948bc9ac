// Tagging: toggling the current record, tagging every match, clearing all tags.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/TagId.h"
#include "platform/MessageService.h"
#include "platform/Settings.h"
#include "session/FilterQuery.h"
#include "session/Tagging.h"
#include "support/AddressTableFixture.h"

namespace corvane {
namespace {

using testing::Column;
using testing::Person;

constexpr const char* TagId = "7K1Q2XS";

const std::vector<Person> People = {
    {{"LNAME", "Adams"}, {"STATE", "MA"}},
    {{"LNAME", "Baker"}, {"STATE", "NY"}, {"TAG", TagId}},
    {{"LNAME", "Clark"}, {"STATE", "MA"}, {"TAG", "OLDID"}},
    {{"LNAME", "Davis"}, {"STATE", "MA"}},
};

class TaggingTest : public testing::AddressTableTest {
  protected:
    void SetUp() override { Open(People); }

    std::vector<std::string> Tags()
    {
        const std::string query = FTable.Query();
        EXPECT_TRUE(FTable.SetQuery(""));
        auto tags = Column(FTable, "TAG");
        EXPECT_TRUE(FTable.SetQuery(query));
        return tags;
    }

    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
};

TEST_F(TaggingTest, ToggleTagsAndUntagsTheCurrentRecordAndWritesAtOnce)
{
    FilterCriteria none;
    ASSERT_TRUE(FTable.GoTo(3)); // carries an old id, so it is not tagged
    auto tagged = ToggleTag(FTable, none, TagId);
    ASSERT_TRUE(tagged) << tagged.Message();
    EXPECT_TRUE(tagged->Tagged);
    EXPECT_FALSE(tagged->FilterReapplied);
    EXPECT_EQ(FTable.RecNo(), 3u);
    // On disk without a move or close.
    const std::string bytes = xbase::testing::ReadBytes(FPath);
    EXPECT_EQ(bytes.find("OLDID"), std::string::npos);

    auto untagged = ToggleTag(FTable, none, TagId);
    ASSERT_TRUE(untagged);
    EXPECT_FALSE(untagged->Tagged);
    EXPECT_EQ(Tags(), (std::vector<std::string>{"", TagId, "", ""}));
}

TEST_F(TaggingTest, UntaggingTheOnlyRecordOfATaggedFilterDropsTheFilter)
{
    FilterCriteria criteria;
    criteria.Tagged = true;
    auto applied = ApplyFilter(FTable, criteria, TagId);
    ASSERT_TRUE(applied);
    ASSERT_EQ(applied->Matches, 1u);
    ASSERT_EQ(FTable.RecNo(), 2u);

    auto toggled = ToggleTag(FTable, criteria, TagId);
    ASSERT_TRUE(toggled) << toggled.Message();
    EXPECT_FALSE(toggled->Tagged);
    EXPECT_TRUE(toggled->FilterReapplied);
    EXPECT_FALSE(toggled->Filter.FilterSet());
    EXPECT_EQ(FTable.Query(), "!ISDEL");
    EXPECT_EQ(criteria, FilterCriteria{});
    EXPECT_TRUE(FMessages.Messages.empty());
}

TEST_F(TaggingTest, AFilterThatStillMatchesIsLeftAlone)
{
    FilterCriteria criteria;
    criteria[FilterField::State] = "MA";
    ASSERT_TRUE(ApplyFilter(FTable, criteria, TagId));
    auto toggled = ToggleTag(FTable, criteria, TagId);
    ASSERT_TRUE(toggled);
    EXPECT_FALSE(toggled->FilterReapplied);
    EXPECT_EQ(FTable.Query(), R"(UPPER(STATE)="MA".and. !ISDEL)");
}

TEST_F(TaggingTest, TagAllTagsEveryMatchOnceEvenWhenTaggingMovesThem)
{
    // A query on the tag itself and the TAG order: each write takes the record out of the query
    // and moves it in the order, which must not make the run skip or repeat records.
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("TAG")));
    ASSERT_TRUE(FTable.SetQuery(std::string("UPPER(TAG)<>\"") + TagId + "\""));
    std::vector<uint32_t> progress;
    auto outcome = TagAll(FTable, TagId, [&](uint32_t visited) {
        progress.push_back(visited);
        return true;
    });
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_EQ(outcome->Visited, 3u);
    EXPECT_EQ(outcome->Changed, 3u);
    EXPECT_FALSE(outcome->Cancelled);
    EXPECT_EQ(progress, (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(Tags(), std::vector<std::string>(4, TagId));
    EXPECT_EQ(FTable.Query(), std::string("UPPER(TAG)<>\"") + TagId + "\"");
    EXPECT_TRUE(FTable.Eof()); // nothing is left outside the tags
}

TEST_F(TaggingTest, CancellingTagAllKeepsTheRecordsTaggedSoFar)
{
    ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    auto outcome = TagAll(FTable, TagId, [](uint32_t visited) { return visited < 2; });
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->Cancelled);
    EXPECT_EQ(outcome->Visited, 2u);
    EXPECT_EQ(outcome->Changed, 1u); // Baker was tagged already
    EXPECT_EQ(Tags(), (std::vector<std::string>{TagId, TagId, "OLDID", ""}));
    EXPECT_EQ(FTable.RecNo(), 1u);
}

TEST_F(TaggingTest, UntagAllBlanksOnlyTheCurrentId)
{
    ASSERT_TRUE(FTable.SetQuery(""));
    auto untagged = UntagAll(FTable, TagId);
    ASSERT_TRUE(untagged);
    EXPECT_EQ(*untagged, 1u);
    EXPECT_EQ(Tags(), (std::vector<std::string>{"", "", "OLDID", ""}));
}

TEST_F(TaggingTest, ClearingTagsUntagsEveryRecordWithoutWritingOne)
{
    const Settings settings(FScratch.File("CORVAN.ini"));
    const std::string before = CurrentTagId(settings);
    ASSERT_TRUE(FTable.SetQuery(""));
    ASSERT_TRUE(TagAll(FTable, before));
    ASSERT_TRUE(FTable.Commit());
    const std::string bytes = xbase::testing::ReadBytes(FPath);

    // Within the same second as the id it replaces: the new id still differs.
    auto cleared = ClearAllTags(settings);
    ASSERT_TRUE(cleared) << cleared.Message();
    EXPECT_NE(*cleared, before);
    EXPECT_EQ(CurrentTagId(settings), *cleared);
    EXPECT_EQ(xbase::testing::ReadBytes(FPath), bytes);

    FilterCriteria tagged;
    tagged.Tagged = true;
    auto applied = ApplyFilter(FTable, tagged, *cleared);
    ASSERT_TRUE(applied);
    EXPECT_EQ(applied->Matches, 0u);
    EXPECT_FALSE(applied->FilterSet());
}

TEST(ClearAllTags, FailsWhenTheIdCannotBeStored)
{
    const Settings settings("/nonexistent-folder/CORVAN.ini");
    EXPECT_FALSE(ClearAllTags(settings));
}

} // namespace
} // namespace corvane
