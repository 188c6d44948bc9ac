// "Convert Case": the three conversions and the run over the current record, all records and
// the filter's records.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/AddressTableFixture.h"
#include "utilities/BulkEditFixture.h"
#include "utilities/CaseConversionRun.h"

namespace corvane {
namespace {

using testing::Person;

struct ConversionCase {
    const char* Name;
    const char* Text;
    CaseConversion Conversion;
    const char* Expected;
};

class ConvertCaseTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConvertCaseTest, ChangesOnlyTheLettersAToZ)
{
    EXPECT_EQ(ConvertCase(GetParam().Text, GetParam().Conversion), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertCaseTest,
    ::testing::Values(ConversionCase{"CapitalsKeepBothBlanks", "MARY  ANN",
                                     CaseConversion::FirstLetterCapitalized, "Mary  Ann"},
                      ConversionCase{"CapitalsOnlyTheFirstLetter", "mcdonald",
                                     CaseConversion::FirstLetterCapitalized, "Mcdonald"},
                      ConversionCase{"CapitalsOnlyAfterABlank", "o'neil-smith",
                                     CaseConversion::FirstLetterCapitalized, "O'neil-smith"},
                      ConversionCase{"CapitalsLeaveAccentedLetters", "ÉLAN",
                                     CaseConversion::FirstLetterCapitalized, "Élan"},
                      ConversionCase{"CapitalsAfterDigitsStayLower", "12TH STREET",
                                     CaseConversion::FirstLetterCapitalized, "12th Street"},
                      ConversionCase{"CapitalsOfALeadingBlank", " ann",
                                     CaseConversion::FirstLetterCapitalized, " Ann"},
                      ConversionCase{"UpperKeepsDigitsAndSigns", "p.o. box 12-b #3 é",
                                     CaseConversion::Uppercase, "P.O. BOX 12-B #3 é"},
                      ConversionCase{"LowerKeepsDigitsAndSigns", "P.O. BOX 12-B #3 É",
                                     CaseConversion::Lowercase, "p.o. box 12-b #3 É"},
                      ConversionCase{"EmptyStaysEmpty", "", CaseConversion::FirstLetterCapitalized, ""}),
    [](const ::testing::TestParamInfo<ConversionCase>& info) { return info.param.Name; });

TEST(ConvertibleFieldsTest, FifteenFieldsWithTheirCheckBoxes)
{
    ASSERT_EQ(ConvertibleFields().size(), 15u);
    EXPECT_STREQ(ConvertibleFields().front().Caption, "Last");
    EXPECT_STREQ(ConvertibleFields().back().FieldName, "CODES");
    EXPECT_NE(FindConvertibleField("street2"), nullptr);
    EXPECT_EQ(FindConvertibleField("PHONE"), nullptr);
    EXPECT_EQ(FindConvertibleField("MEMO"), nullptr);
}

const std::vector<Person> People = {
    {{"LNAME", "smith"}, {"FNAME", "ann"}, {"STATE", "MA"}, {"CITY", "boston"}},
    {{"LNAME", "JONES"}, {"FNAME", "bob"}, {"STATE", "NY"}, {"CITY", "albany"}},
    {{"LNAME", "mcdonald"}, {"FNAME", "cy"}, {"STATE", "MA"}, {"CITY", "salem"}},
    {{"LNAME", "deleted"}, {"FNAME", "dee"}, {"STATE", "MA"}},
    {{"LNAME", "adams"}, {"FNAME", "eve"}, {"STATE", "NY"}, {"CITY", "troy"}},
};

class CaseConversionRunTest : public testing::BulkEditTest {
  protected:
    void SetUp() override
    {
        Open(People);
        DeleteRecord(4);
        ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    }
};

TEST_F(CaseConversionRunTest, AllRecordsConvertsOutsideTheFilterAndGivesBackFilterAndRecord)
{
    const std::string filter = FilterOnState("MA");
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("LNAME")));
    ASSERT_TRUE(FTable.GoTo(3));
    const std::string query = FTable.Query();

    CaseConversionSettings settings{
        {"LNAME", "CITY"}, CaseConversion::FirstLetterCapitalized, ConversionScope::AllRecords};
    std::vector<uint32_t> gauge;
    auto outcome = ConvertRecords(FTable, settings, [&](uint32_t done, uint32_t total) {
        gauge.push_back(done * 100 / total);
        return true;
    });
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_EQ(FTable.Query(), query);
    EXPECT_EQ(FTable.OrderName(), "LNAME");
    EXPECT_EQ(FTable.RecNo(), 3u);
    EXPECT_TRUE(FTable.DeletedHidden());
    EXPECT_EQ(outcome->Converted, 4u);
    EXPECT_EQ(outcome->Total, 4u);
    EXPECT_FALSE(outcome->Cancelled);
    EXPECT_EQ(gauge, (std::vector<uint32_t>{25, 50, 75, 100}));
    EXPECT_EQ(AllValues("LNAME"),
              (std::vector<std::string>{"Smith", "Jones", "Mcdonald", "deleted", "Adams"}));
    EXPECT_EQ(AllValues("CITY"), (std::vector<std::string>{"Boston", "Albany", "Salem", "", "Troy"}));
    // Fields not chosen stay as they were.
    EXPECT_EQ(AllValues("FNAME"), (std::vector<std::string>{"ann", "bob", "cy", "dee", "eve"}));
    EXPECT_FALSE(filter.empty());
}

TEST_F(CaseConversionRunTest, FilterRecordsConvertsTheQuerysRecordsOnly)
{
    FilterOnState("MA");
    CaseConversionSettings settings{{"LNAME"}, CaseConversion::Uppercase, ConversionScope::FilterRecords};
    auto outcome = ConvertRecords(FTable, settings);
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_EQ(outcome->Converted, 2u);
    EXPECT_EQ(AllValues("LNAME"),
              (std::vector<std::string>{"SMITH", "JONES", "MCDONALD", "deleted", "adams"}));
}

TEST_F(CaseConversionRunTest, CurrentRecordOnlyConvertsThatRecord)
{
    ASSERT_TRUE(FTable.GoTo(2));
    CaseConversionSettings settings{
        {"LNAME", "FNAME"}, CaseConversion::Lowercase, ConversionScope::CurrentRecord};
    auto outcome = ConvertRecords(FTable, settings);
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_EQ(outcome->Converted, 1u);
    EXPECT_EQ(FTable.RecNo(), 2u);
    EXPECT_EQ(AllValues("LNAME"),
              (std::vector<std::string>{"smith", "jones", "mcdonald", "deleted", "adams"}));
}

TEST_F(CaseConversionRunTest, TheLastNameOrderVisitsEachRecordOnce)
{
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("LNAME")));
    CaseConversionSettings settings{{"LNAME"}, CaseConversion::Uppercase, ConversionScope::AllRecords};
    std::vector<uint32_t> visited;
    auto outcome = ConvertRecords(FTable, settings, [&](uint32_t, uint32_t) {
        visited.push_back(FTable.RecNo());
        return true;
    });
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_EQ(visited, (std::vector<uint32_t>{1, 2, 3, 5}));
    EXPECT_EQ(AllValues("LNAME"),
              (std::vector<std::string>{"SMITH", "JONES", "MCDONALD", "deleted", "ADAMS"}));
}

TEST_F(CaseConversionRunTest, CancelStopsAfterTheCurrentRecordAndKeepsWhatWasConverted)
{
    CaseConversionSettings settings{{"LNAME"}, CaseConversion::Uppercase, ConversionScope::AllRecords};
    auto outcome = ConvertRecords(FTable, settings, [](uint32_t done, uint32_t) { return done < 2; });
    ASSERT_TRUE(outcome) << outcome.Message();
    EXPECT_TRUE(outcome->Cancelled);
    EXPECT_EQ(outcome->Converted, 2u);
    EXPECT_EQ(AllValues("LNAME"),
              (std::vector<std::string>{"SMITH", "JONES", "mcdonald", "deleted", "adams"}));
    EXPECT_EQ(FTable.Query(), "!ISDEL");
}

TEST_F(CaseConversionRunTest, SettingsThatCannotRunChangeNothing)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{}, "No fields checked for conversion"},
        {{"LNAME", "PHONE"}, "PHONE"},
        {{"MEMO"}, "MEMO"},
    };
    for (const auto& [fields, message] : refused) {
        CaseConversionSettings settings{fields, CaseConversion::Uppercase, ConversionScope::AllRecords};
        auto outcome = ConvertRecords(FTable, settings);
        ASSERT_FALSE(outcome);
        EXPECT_NE(outcome.Message().find(message), std::string::npos) << outcome.Message();
    }
    EXPECT_EQ(AllValues("LNAME"),
              (std::vector<std::string>{"smith", "JONES", "mcdonald", "deleted", "adams"}));
}

} // namespace
} // namespace corvane
