#include "bulkmail/StateZipCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/SystemTables.h"
#include "session/FilterQuery.h"
#include "support/AddressTableFixture.h"

namespace corvane {
namespace {

using testing::Person;

// CSZ.DBF rows written to a scratch table, read back in STATE order.
StateZipRanges LoadRanges(const std::string& path, const std::vector<StateZipRange>& rows)
{
    EXPECT_TRUE(xbase::Table::Create(path, SystemTableInfo(SystemTable::CityStateZip).Fields));
    xbase::Table csz;
    EXPECT_TRUE(csz.Open(path));
    for (const StateZipRange& row : rows) {
        EXPECT_TRUE(csz.AppendBlank());
        EXPECT_TRUE(csz.PutField("NAME", row.Name));
        EXPECT_TRUE(csz.PutField("STATE", row.State));
        EXPECT_TRUE(csz.PutField("LOW_ZIP", row.LowZip));
        EXPECT_TRUE(csz.PutField("HIGH_ZIP", row.HighZip));
    }
    EXPECT_TRUE(csz.CreateTag("STATE", "UPPER(state)"));
    auto ranges = StateZipRanges::Load(csz);
    EXPECT_TRUE(ranges) << ranges.Message();
    return ranges ? ranges.Take() : StateZipRanges();
}

const std::vector<StateZipRange> Rows = {
    {"New York", "NY", "00500", "14999"},
    {"New Brunswick", "NB", "E0A 0A0", "E9Z 9Z9"},
    {"Ontario", "ON", "K0A 0A0", "P9Z 9Z9"},
    {"Ontario again", "ON", "A0A 0A0", "A9Z 9Z9"}, // a second row: the first one counts
};

struct QuestionCase {
    const char* Name;
    const char* State;
    const char* Zip;
    bool IncludeBlanks;
    bool Questionable;
};

class StateZipQuestion : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(StateZipQuestion, AgainstTheRanges)
{
    xbase::testing::ScratchFolder folder;
    StateZipRanges ranges = LoadRanges(folder.File("CSZ.DBF"), Rows);
    const QuestionCase& c = GetParam();
    EXPECT_EQ(IsQuestionable(ranges, c.State, c.Zip, c.IncludeBlanks), c.Questionable);
}

INSTANTIATE_TEST_SUITE_P(
    Bulkmail, StateZipQuestion,
    ::testing::Values(QuestionCase{"InsideRange", "NY", "10001", false, false},
                      QuestionCase{"AboveRange", "NY", "15000", false, true},
                      QuestionCase{"BelowRange", "NY", "00499", false, true},
                      QuestionCase{"ZipPlusFourInside", "NY", "10001-1234", false, false},
                      QuestionCase{"ZipPlusFourOfLastZip", "NY", "14999-1234", false, false},
                      QuestionCase{"LowerCaseState", "ny", "10001", false, false},
                      QuestionCase{"StateWithBlanks", " NY ", "10001", false, false},
                      QuestionCase{"PrefixOfAnotherState", "N", "10001", false, true},
                      QuestionCase{"StateWithoutRow", "TX", "75001", false, true},
                      QuestionCase{"FirstOfTwoRowsCounts", "ON", "K1A 0B1", false, false},
                      QuestionCase{"SecondRowIgnored", "ON", "A1A 1A1", false, true},
                      QuestionCase{"BlankZipSkipped", "NY", "", false, false},
                      QuestionCase{"BlankStateSkipped", "", "10001", false, false},
                      QuestionCase{"BlankZipChecked", "NY", "", true, true},
                      QuestionCase{"BlankStateChecked", "", "10001", true, true}),
    [](const ::testing::TestParamInfo<QuestionCase>& info) { return std::string(info.param.Name); });

class StateZipRun : public testing::AddressTableTest {
  protected:
    void SetUp() override
    {
        Open({{{"LNAME", "Zed"}, {"FNAME", "Al"}, {"STATE", "NY"}, {"ZIP", "15000"}},
              {{"LNAME", "Able"}, {"FNAME", "Bo"}, {"STATE", "NY"}, {"ZIP", "10001"}},
              {{"LNAME", "Moe"}, {"FNAME", "Cy"}, {"STATE", "CA"}, {"ZIP", "90001"}},
              {{"LNAME", "Lee"}, {"FNAME", "Di"}, {"STATE", "NY"}, {"ZIP", ""}},
              {{"LNAME", "Ash"}, {"FNAME", "Ed"}, {"STATE", "NY"}, {"ZIP", "20000"}}});
        FRanges = LoadRanges(FScratch.File("CSZ.DBF"), Rows);
        FList = StateZipIndexPath(FPath);
    }
    StateZipRanges FRanges;
    std::string FList;
};

TEST_F(StateZipRun, ListsByNameWhateverTheFilterAndKeepsTheFilter)
{
    FilterCriteria criteria;
    criteria[FilterField::State] = "CA";
    auto filter = ApplyFilter(FTable, criteria, "");
    ASSERT_TRUE(filter && filter->FilterSet());
    const std::string filterQuery = FTable.Query();
    ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    std::vector<int> percents;
    auto outcome =
        RunStateZipCheck(FTable, FRanges, {true, FList}, [&](uint32_t done, uint32_t total, uint32_t) {
            percents.push_back(StateZipPercent(done, total));
            return true;
        });
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_EQ(outcome->Found, 4u);
    EXPECT_EQ(FoundQuestionableMessage(outcome->Found),
              "Found 4 records with questionable state or zipcodes");
    EXPECT_EQ(percents, (std::vector<int>{20, 40, 60, 80, 100}));
    EXPECT_EQ(FTable.OrderIndexFileName(), FList);
    EXPECT_EQ(testing::Column(FTable, "LNAME"), (std::vector<std::string>{"Ash", "Lee", "Moe", "Zed"}));
    ASSERT_TRUE(CloseStateZipList(FTable, FList));
    EXPECT_FALSE(std::filesystem::exists(FList));
    ASSERT_TRUE(FTable.SetQuery(filterQuery));
    EXPECT_EQ(testing::Column(FTable, "LNAME"), (std::vector<std::string>{"Moe"}));
}

TEST_F(StateZipRun, BlanksLeftOutAndCancelKeepsTheFinds)
{
    ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    auto outcome = RunStateZipCheck(FTable, FRanges, {false, FList},
                                    [](uint32_t done, uint32_t, uint32_t) { return done < 3; });
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_TRUE(outcome->Cancelled);
    EXPECT_EQ(outcome->Found, 2u) << "Zed above the range, Moe without a row";
    EXPECT_EQ(testing::Column(FTable, "LNAME"), (std::vector<std::string>{"Moe", "Zed"}));
    ASSERT_TRUE(CloseStateZipList(FTable, FList));
    EXPECT_FALSE(std::filesystem::exists(FList));
}

TEST_F(StateZipRun, ListThatCannotBeMadeSaysWhyAndChecksNothing)
{
    ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    const std::string list = FScratch.File("missing/_chksz.idx");
    bool walked = false;
    auto outcome = RunStateZipCheck(FTable, FRanges, {false, list}, [&](uint32_t, uint32_t, uint32_t) {
        walked = true;
        return true;
    });
    ASSERT_FALSE(outcome);
    EXPECT_NE(outcome.Message().find("_chksz.idx"), std::string::npos) << outcome.Message();
    EXPECT_FALSE(walked);
    EXPECT_EQ(FTable.Order(), 0);
}

TEST(StateZipCheckTexts, GaugeTruncatesAndListLivesBesideTheFile)
{
    EXPECT_EQ(StateZipPercent(2, 3), 66);
    EXPECT_EQ(StateZipPercent(0, 0), 0);
    EXPECT_EQ(StateZipIndexPath("/data/lists/add0001.DBF"), "/data/lists/_chksz.idx");
}

} // namespace
} // namespace corvane
