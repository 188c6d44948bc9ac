#include "utilities/DuplicateCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BulkEditFixture.h"

namespace corvane {
namespace {

using testing::Person;

struct DuplicateCase {
    const char* Name;
    DuplicateKind Kind;
    int StreetLength;
    std::vector<Person> People;
    uint32_t Found;
    std::vector<std::string> Listed; // LNAME + " " + FNAME (or STREET) of the list, in its order
};

class DuplicateCheckTest : public testing::BulkEditTest, public ::testing::WithParamInterface<DuplicateCase> {
  protected:
    std::vector<std::string> ListedRecords(const std::string& field1, const std::string& field2)
    {
        std::vector<std::string> rows;
        EXPECT_TRUE(FTable.GoTop());
        while (!FTable.Eof()) {
            rows.push_back(*FTable.GetField(field1) + (field2.empty() ? "" : " " + *FTable.GetField(field2)));
            EXPECT_TRUE(FTable.Skip(1));
        }
        return rows;
    }
};

TEST_P(DuplicateCheckTest, ListsEachSuspectOnce)
{
    const DuplicateCase& c = GetParam();
    Open(c.People);
    ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    const std::string list = FScratch.File("_chkdup.idx");
    auto outcome = RunDuplicateCheck(FTable, {c.Kind, c.StreetLength, list});
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_EQ(outcome->Found, c.Found);
    EXPECT_EQ(outcome->Listed, c.Listed.size());
    if (c.Found > 0) {
        EXPECT_EQ(FTable.Order(), outcome->ListOrder);
    }
    ASSERT_TRUE(FTable.SetOrder(outcome->ListOrder));
    if (c.Kind == DuplicateKind::Street)
        EXPECT_EQ(ListedRecords("STREET", ""), c.Listed);
    else
        EXPECT_EQ(ListedRecords("LNAME", "FNAME"), c.Listed);
    ASSERT_TRUE(CloseDuplicateList(FTable, list));
    EXPECT_FALSE(std::filesystem::exists(list));
}

const std::vector<Person> Marys = {
    {{"LNAME", "Jones"}, {"FNAME", "Mary"}},
    {{"LNAME", "Adams"}, {"FNAME", "Ann"}},
    {{"LNAME", "Jones"}, {"FNAME", "Mary"}},
    {{"LNAME", "Jones"}, {"FNAME", "Mary"}},
};
const std::vector<Person> Cases = {
    {{"LNAME", "Jones"}, {"FNAME", "Mary"}},
    {{"LNAME", "JONES"}, {"FNAME", "MARY"}},
    {{"LNAME", "Jones"}, {"FNAME", "Mark"}},
    {{"LNAME", "Smith"}, {"FNAME", "Ann"}},
};
const std::vector<Person> NoLastName = {
    {{"FNAME", "Mary"}, {"STREET", ""}},
    {{"FNAME", "Mary"}},
    {{"LNAME", "Lee"}, {"FNAME", "Al"}},
};
const std::vector<Person> Streets = {
    {{"LNAME", "A"}, {"STREET", "123 Main Street"}},
    {{"LNAME", "B"}, {"STREET", "123 Main St."}},
    {{"LNAME", "C"}, {"STREET", "9 Elm Road"}},
    {{"LNAME", "D"}},
    {{"LNAME", "E"}},
};

INSTANTIATE_TEST_SUITE_P(
    Utilities, DuplicateCheckTest,
    ::testing::Values(
        DuplicateCase{"ThreeMarysCountTwo",
                      DuplicateKind::LastFirst,
                      30,
                      Marys,
                      2,
                      {"Jones Mary", "Jones Mary", "Jones Mary"}},
        DuplicateCase{
            "CaseIgnoredByName", DuplicateKind::LastFirst, 30, Cases, 1, {"Jones Mary", "JONES MARY"}},
        DuplicateCase{"InitialPairsMarkToo",
                      DuplicateKind::LastFirstInitial,
                      30,
                      Cases,
                      2,
                      {"Jones Mark", "Jones Mary", "JONES MARY"}},
        DuplicateCase{"EmptyLastNameNeverCompared", DuplicateKind::LastFirst, 30, NoLastName, 0, {}},
        DuplicateCase{"TenCharactersPairMainStreet",
                      DuplicateKind::Street,
                      10,
                      Streets,
                      1,
                      {"123 Main St.", "123 Main Street"}},
        DuplicateCase{"WholeStreetTellsThemApart", DuplicateKind::Street, 30, Streets, 0, {}},
        DuplicateCase{"EmptyStreetNeverCompared",
                      DuplicateKind::Street,
                      1,
                      Streets,
                      1,
                      {"123 Main St.", "123 Main Street"}}),
    [](const ::testing::TestParamInfo<DuplicateCase>& info) { return std::string(info.param.Name); });

class DuplicateCheckRun : public testing::BulkEditTest {};

TEST_F(DuplicateCheckRun, FilterDoesNotLimitTheCheckAndIsKept)
{
    Open({{{"LNAME", "Jones"}, {"FNAME", "Mary"}, {"STATE", "NY"}},
          {{"LNAME", "Jones"}, {"FNAME", "Mary"}, {"STATE", "CA"}},
          {{"LNAME", "Jones"}, {"FNAME", "Mary"}, {"STATE", "NY"}}});
    const std::string filter = FilterOnState("NY");
    DeleteRecord(3);
    // As the hand-over runs it: every record the user has not deleted, whatever the filter.
    ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    const std::string list = FScratch.File("_chkdup.idx");
    auto outcome = RunDuplicateCheck(FTable, {DuplicateKind::LastFirst, 30, list});
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_EQ(outcome->Found, 1u) << "the deleted record is not compared";
    EXPECT_EQ(outcome->Listed, 2u);
    ASSERT_TRUE(CloseDuplicateList(FTable, list));
    ASSERT_TRUE(FTable.SetQuery(filter));
    EXPECT_EQ(testing::Column(FTable, "STATE"), (std::vector<std::string>{"NY"}));
}

TEST_F(DuplicateCheckRun, CancelKeepsTheFindsSoFar)
{
    Open(Marys);
    ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    const std::string list = FScratch.File("_chkdup.idx");
    std::vector<uint32_t> totals;
    // NAME order: Adams, Jones(1), Jones(3), Jones(4); stop after the third record.
    auto outcome = RunDuplicateCheck(FTable, {DuplicateKind::LastFirst, 30, list},
                                     [&](uint32_t done, uint32_t total, uint32_t) {
                                         totals.push_back(total);
                                         return done < 3;
                                     });
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_TRUE(outcome->Cancelled);
    EXPECT_EQ(outcome->Found, 1u);
    EXPECT_EQ(outcome->Listed, 2u);
    EXPECT_EQ(totals, (std::vector<uint32_t>{4, 4, 4}));
    ASSERT_TRUE(CloseDuplicateList(FTable, list));
    EXPECT_FALSE(std::filesystem::exists(list));
}

TEST_F(DuplicateCheckRun, ListThatCannotBeMadeSaysWhyAndChecksNothing)
{
    Open(Marys);
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("ZIP")));
    const int before = FTable.Order();
    auto outcome =
        RunDuplicateCheck(FTable, {DuplicateKind::LastFirst, 30, FScratch.File("gone/_chkdup.idx")});
    ASSERT_FALSE(outcome);
    EXPECT_NE(outcome.Message().find("_chkdup.idx"), std::string::npos) << outcome.Message();
    EXPECT_EQ(FTable.Order(), before);
    EXPECT_FALSE(std::filesystem::exists(FScratch.File("gone/_chkdup.idx")));
}

TEST(DuplicateCheckTexts, NamesAndKeys)
{
    EXPECT_EQ(FoundDuplicatesMessage(3), "Found 3 possible duplicates");
    EXPECT_EQ(DuplicateKeyExpression(DuplicateKind::Street), "upper(STREET)");
    EXPECT_EQ(DuplicateKeyExpression(DuplicateKind::LastFirstInitial), "upper(LNAME-FNAME)");
    EXPECT_EQ(ClampStreetLength(0), 1);
    EXPECT_EQ(ClampStreetLength(31), 30);
}

} // namespace
} // namespace corvane
