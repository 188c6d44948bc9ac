// "Search and Replace": the confirmation, and the run over the records of the file or the filter.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "utilities/BulkEditFixture.h"
#include "utilities/SearchAndReplace.h"

namespace corvane {
namespace {

using testing::Person;

SearchAndReplaceSettings Settings(const std::string& field, const std::string& value, MatchKind match,
                                  bool caseSensitive, ReplaceAction action, const std::string& replacement)
{
    SearchAndReplaceSettings settings;
    settings.FieldName = field;
    settings.SearchValue = value;
    settings.Match = match;
    settings.CaseSensitive = caseSensitive;
    settings.Action = action;
    settings.Replacement = replacement;
    return settings;
}

struct QuestionCase {
    const char* Name;
    SearchAndReplaceSettings Settings;
    const char* Expected;
};

class ReplaceQuestionTest : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(ReplaceQuestionTest, ThreeLinesJoinedByCr)
{
    EXPECT_EQ(ReplaceQuestion(GetParam().Settings), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceQuestionTest,
    ::testing::Values(
        QuestionCase{"ContainsNotCaseSensitive",
                     Settings("LNAME", "smi", MatchKind::Contains, false, ReplaceAction::MatchingText, "Smy"),
                     "Find records where field Last Name\rcontains: \"smi\" (not case sensitive)\r"
                     "and replace only the matching text with \"Smy\""},
        QuestionCase{"ContainsCaseSensitive",
                     Settings("LNAME", "smi", MatchKind::Contains, true, ReplaceAction::MatchingText, "Smy"),
                     "Find records where field Last Name\rcontains: \"smi\"  (case sensitive)\r"
                     "and replace only the matching text with \"Smy\""},
        QuestionCase{
            "ExactlyWholeField",
            Settings("CITY", "Bostn", MatchKind::ExactlyEqual, true, ReplaceAction::WholeField, "Boston"),
            "Find records where field City\rexactly matches: \"Bostn\"  (case sensitive)\r"
            "and replace the entire field with \"Boston\""},
        QuestionCase{"EmptyValueDeletesTheField",
                     Settings("USER2", "", MatchKind::ExactlyEqual, true, ReplaceAction::WholeField, ""),
                     "Find records where field Comment 2\ris empty \rand delete the entire field "},
        QuestionCase{"DeletingTheMatchingText",
                     Settings("PHONE", "(", MatchKind::Contains, true, ReplaceAction::MatchingText, ""),
                     "Find records where field Phone 1\rcontains: \"(\"  (case sensitive)\r"
                     "and delete the matching text "}),
    [](const ::testing::TestParamInfo<QuestionCase>& info) { return info.param.Name; });

TEST(ReplaceFieldsTest, EighteenFieldsInTheListsOrder)
{
    ASSERT_EQ(ReplaceFields().size(), 18u);
    EXPECT_STREQ(ReplaceFields().front().DisplayText, "Last Name");
    EXPECT_STREQ(ReplaceFields()[11].FieldName, "PHONE");
    EXPECT_STREQ(ReplaceFields().back().DisplayText, "Comment 2");
    EXPECT_EQ(FindReplaceField("DATE"), nullptr);
}

const std::vector<Person> People = {
    {{"LNAME", "Smith"}, {"STATE", "MA"}, {"USER1", std::string(40, 'a')}},
    {{"LNAME", "Smithers"}, {"STATE", "NY"}, {"USER1", "a"}},
    {{"LNAME", "smi"}, {"STATE", "MA"}},
    {{"LNAME", "Osmith"}, {"STATE", "MA"}, {"USER1", "plain"}},
    {{"LNAME", "Smith"}, {"STATE", "MA"}},
    {{"LNAME", "Jones"}, {"STATE", "NY"}},
};

class SearchAndReplaceRunTest : public testing::BulkEditTest {
  protected:
    void SetUp() override
    {
        Open(People);
        DeleteRecord(5);
        ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    }
};

TEST_F(SearchAndReplaceRunTest, ExactlyEqualAnyCaseRewritesEveryFieldThatBeginsWithTheValue)
{
    auto settings =
        Settings("LNAME", "Smi", MatchKind::ExactlyEqual, false, ReplaceAction::WholeField, "Smyth");
    auto outcome = SearchAndReplace(FTable, settings, "");
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_EQ(outcome->Matches, 3u);
    EXPECT_EQ(outcome->Replaced, 3u);
    // The deleted Smith stays as it was.
    EXPECT_EQ(AllValues("LNAME"),
              (std::vector<std::string>{"Smyth", "Smyth", "Smyth", "Osmith", "Smith", "Jones"}));
}

TEST_F(SearchAndReplaceRunTest, InsideTheSortFieldEachRecordIsVisitedOnce)
{
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("LNAME")));
    ASSERT_TRUE(FTable.GoTo(4));
    auto settings = Settings("LNAME", "s", MatchKind::Contains, false, ReplaceAction::MatchingText, "ss");
    auto outcome = SearchAndReplace(FTable, settings, "");
    ASSERT_TRUE(outcome) << outcome.Message();
    // The order, query and record are given back.
    EXPECT_EQ(FTable.OrderName(), "LNAME");
    EXPECT_EQ(FTable.Query(), "!ISDEL");
    EXPECT_EQ(FTable.RecNo(), 4u);
    EXPECT_TRUE(FTable.DeletedHidden());
    EXPECT_EQ(outcome->Replaced, 5u);
    EXPECT_EQ(AllValues("LNAME"),
              (std::vector<std::string>{"ssmith", "ssmitherss", "ssmi", "Ossmith", "Smith", "Joness"}));
}

TEST_F(SearchAndReplaceRunTest, AResultTooLongForTheFieldLeavesTheRecordUnchanged)
{
    auto settings = Settings("USER1", "a", MatchKind::Contains, true, ReplaceAction::MatchingText, "aa");
    auto outcome = SearchAndReplace(FTable, settings, "");
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_EQ(outcome->Matches, 3u);
    EXPECT_EQ(outcome->Replaced, 2u);
    EXPECT_EQ(outcome->TooLong, 1u);
    EXPECT_EQ(AllValues("USER1"),
              (std::vector<std::string>{std::string(40, 'a'), "aa", "", "plaain", "", ""}));
    EXPECT_EQ(ReplacedMessage(2), "Replaced 2 records");
    EXPECT_EQ(TooLongMessage(1), "1 records were not changed: the result would not fit the field");
}

TEST_F(SearchAndReplaceRunTest, TheFilterChoiceReplacesInTheFiltersRecordsOnly)
{
    const std::string filter = FilterOnState("MA");
    ASSERT_TRUE(FTable.SetQuery(filter)); // as the hand-over leaves it
    auto settings = Settings("LNAME", "", MatchKind::ExactlyEqual, true, ReplaceAction::WholeField, "");
    settings.FieldName = "USER2";
    settings.Replacement = "none";
    settings.FilterRecords = true;
    auto outcome = SearchAndReplace(FTable, settings, filter);
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_EQ(outcome->Replaced, 3u);
    EXPECT_EQ(AllValues("USER2"), (std::vector<std::string>{"none", "", "none", "none", "", ""}));
    EXPECT_EQ(FTable.Query(), filter);

    // Without a filter the choice means every record.
    settings.FilterRecords = true;
    auto all = SearchAndReplace(FTable, settings, "");
    ASSERT_TRUE(all) << all.Message();
    EXPECT_EQ(all->Replaced, 2u);
}

TEST_F(SearchAndReplaceRunTest, AnEmptyValueTakesTheEmptyFieldsEvenForTheMatchingText)
{
    auto settings = Settings("USER1", "", MatchKind::Contains, true, ReplaceAction::MatchingText, "n/a");
    auto outcome = SearchAndReplace(FTable, settings, "");
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_EQ(outcome->Replaced, 2u);
    EXPECT_EQ(AllValues("USER1"),
              (std::vector<std::string>{std::string(40, 'a'), "a", "n/a", "plain", "", "n/a"}));
}

TEST_F(SearchAndReplaceRunTest, ExpressionTextInTheValueMatchesOnlyItself)
{
    ASSERT_TRUE(FTable.GoTo(6));
    ASSERT_TRUE(FTable.PutField("LNAME", "x\")$LNAME .or. .T."));
    for (const char* value : {"x\")$LNAME .or. .T. .or. (\"", "\"", "x\")$LNAME .or. .T."}) {
        auto settings =
            Settings("LNAME", value, MatchKind::Contains, false, ReplaceAction::WholeField, "Hit");
        auto counted = CountReplaceMatches(FTable, settings, "");
        ASSERT_TRUE(counted) << value << ": " << counted.Message();
        EXPECT_EQ(counted->Matches, std::string(value) == "x\")$LNAME .or. .T. .or. (\"" ? 0u : 1u) << value;
    }
    EXPECT_EQ(AllValues("LNAME")[5], "x\")$LNAME .or. .T.");
}

TEST_F(SearchAndReplaceRunTest, SettingsThatCannotRunChangeNothing)
{
    const std::vector<std::pair<SearchAndReplaceSettings, std::string>> refused = {
        {Settings("DATE", "1", MatchKind::Contains, true, ReplaceAction::WholeField, "2"), "DATE"},
        {Settings("LNAME", "Smith", MatchKind::Contains, true, ReplaceAction::WholeField,
                  std::string(31, 'x')),
         "longer than the field LNAME (30 characters)"},
        {Settings("MIDDLE", "AB", MatchKind::Contains, true, ReplaceAction::WholeField, "C"), "search value"},
        {Settings("LNAME", "Smith", MatchKind::Contains, true, ReplaceAction::WholeField, "Ω"), "LNAME"},
    };
    for (const auto& [settings, message] : refused) {
        auto outcome = SearchAndReplace(FTable, settings, "");
        ASSERT_FALSE(outcome) << settings.FieldName;
        EXPECT_NE(outcome.Message().find(message), std::string::npos) << outcome.Message();
    }
    EXPECT_EQ(AllValues("LNAME"),
              (std::vector<std::string>{"Smith", "Smithers", "smi", "Osmith", "Smith", "Jones"}));
}

} // namespace
} // namespace corvane
