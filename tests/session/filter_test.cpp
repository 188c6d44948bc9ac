// Filters: criteria to expression, applying them to an address file, .FLT files, record scopes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/MessageService.h"
#include "session/FilterCriteria.h"
#include "session/FilterFile.h"
#include "session/FilterQuery.h"
#include "session/RecordScope.h"
#include "support/AddressTableFixture.h"

namespace corvane {
namespace {

using testing::AddressTableTest;
using testing::Column;
using testing::Person;

constexpr const char* TooComplex = "Sorry - filter is too complex.Please simplify it.";
constexpr const char* TagId = "7K1Q2XS";

FilterCriteria Criteria(std::initializer_list<std::pair<FilterField, std::string>> texts, bool tagged = false,
                        bool reverse = false)
{
    FilterCriteria criteria;
    for (const auto& [field, text] : texts)
        criteria[field] = text;
    criteria.Tagged = tagged;
    criteria.Reverse = reverse;
    return criteria;
}

// ---- criteria to expression -------------------------------------------------------------------

struct ExpressionCase {
    const char* Name;
    FilterCriteria Input;
    std::string Expected;
};

class FilterExpressionTest : public ::testing::TestWithParam<ExpressionCase> {};

TEST_P(FilterExpressionTest, BuildsTheExpression)
{
    auto expression = BuildQueryString(GetParam().Input, TagId);
    ASSERT_TRUE(expression) << expression.Message();
    EXPECT_EQ(*expression, GetParam().Expected);
}

const std::string Long(120, 'a');

INSTANTIATE_TEST_SUITE_P(
    Criteria, FilterExpressionTest,
    ::testing::Values(
        ExpressionCase{"BeginsWith", Criteria({{FilterField::Last, "ma"}}), R"(UPPER(LNAME)="MA")"},
        ExpressionCase{"Contains", Criteria({{FilterField::Codes, "$C"}}), R"("C"$UPPER(CODES))"},
        ExpressionCase{"AlternativesOfParts", Criteria({{FilterField::Last, "A;B+C"}}),
                       R"(((UPPER(LNAME)="A").or.(((UPPER(LNAME)="B").and.(UPPER(LNAME)="C")))))"},
        ExpressionCase{"ButNot", Criteria({{FilterField::Last, "A^B"}}),
                       R"(((UPPER(LNAME)="A").and..not.(UPPER(LNAME)="B")))"},
        ExpressionCase{"EmptyPartsRemain", Criteria({{FilterField::Last, "A;"}}),
                       R"(((UPPER(LNAME)="A").or.(UPPER(LNAME)="")))"},
        ExpressionCase{"Greater", Criteria({{FilterField::Last, ">M"}}), R"(UPPER(LNAME)>"M")"},
        ExpressionCase{"GreaterOrEqualBeforeGreater", Criteria({{FilterField::Zip, ">=02"}}),
                       R"(UPPER(ZIP)>="02")"},
        ExpressionCase{"LessOrEqual", Criteria({{FilterField::Zip, "<=5"}}), R"(UPPER(ZIP)<="5")"},
        ExpressionCase{"Less", Criteria({{FilterField::Zip, "<5"}}), R"(UPPER(ZIP)<"5")"},
        ExpressionCase{"PrefixedValueCutAt99", Criteria({{FilterField::Last, ">" + Long}}),
                       "UPPER(LNAME)>\"" + std::string(99, 'A') + "\""},
        ExpressionCase{"PlainValueNotCut", Criteria({{FilterField::Last, Long}}),
                       "UPPER(LNAME)=\"" + std::string(120, 'A') + "\""},
        ExpressionCase{"CityTestsCityAndState", Criteria({{FilterField::City, "boston"}}),
                       R"(UPPER(CITY+STATE)="BOSTON")"},
        ExpressionCase{"Connector", Criteria({{FilterField::Last, "Jones"}, {FilterField::First, "Mary"}}),
                       R"(UPPER(LNAME)="JONES" and UPPER(FNAME)="MARY")"},
        ExpressionCase{
            "DateAndCodesComeLast",
            Criteria({{FilterField::Codes, "x"},
                      {FilterField::Date, "1997"},
                      {FilterField::Comment2, "z"},
                      {FilterField::Comment1, "y"},
                      {FilterField::Email, "e"}}),
            R"(UPPER(EMAIL)="E" and UPPER(USER1)="Y" and UPPER(USER2)="Z" and UPPER(DATE)="1997" and )"
            R"(UPPER(CODES)="X")"},
        ExpressionCase{"Reverse", Criteria({{FilterField::Last, "JONES"}}, false, true),
                       R"((!(UPPER(LNAME)="JONES")))"},
        ExpressionCase{"TaggedAlone", Criteria({}, true), R"((UPPER(TAG)="7K1Q2XS"))"},
        ExpressionCase{"TaggedAfterCriteria", Criteria({{FilterField::State, "ma"}}, true),
                       R"(UPPER(STATE)="MA" and (UPPER(TAG)="7K1Q2XS"))"},
        ExpressionCase{"ReverseAloneIsNoFilter", Criteria({}, false, true), ""},
        ExpressionCase{"BlanksIgnored", Criteria({{FilterField::Last, "  \t "}}), ""},
        ExpressionCase{"TextUsedUntrimmed", Criteria({{FilterField::First, " ann"}}),
                       R"(UPPER(FNAME)=" ANN")"},
        ExpressionCase{"UpperLikeTheEngine", Criteria({{FilterField::Last, "müller straße"}}),
                       R"(UPPER(LNAME)="MÜLLER STRAßE")"},
        // A value never ends its literal early: the delimiter is one it does not contain.
        ExpressionCase{"DoubleQuoteInValue", Criteria({{FilterField::Last, "O\"Brien"}}),
                       R"(UPPER(LNAME)='O"BRIEN')"},
        ExpressionCase{"BothQuotesInValue", Criteria({{FilterField::Last, "O\"Brien's"}}),
                       R"(UPPER(LNAME)=[O"BRIEN'S])"},
        ExpressionCase{"QuoteInContains", Criteria({{FilterField::Codes, "$a\"b"}}), R"('A"B'$UPPER(CODES))"},
        ExpressionCase{"CraftedValueStaysOneLiteral", Criteria({{FilterField::Last, R"(x") .or. (")"}}),
                       R"(UPPER(LNAME)='X") .OR. ("')"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct RefusedCase {
    const char* Name;
    std::string Text;
    std::string MessagePart;
};

class RefusedValueTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedValueTest, RefusedWithAClearMessage)
{
    auto clause = BuildFieldCriterion("LNAME", GetParam().Text);
    ASSERT_FALSE(clause) << *clause;
    EXPECT_NE(clause.Message().find(GetParam().MessagePart), std::string::npos) << clause.Message();
}

INSTANTIATE_TEST_SUITE_P(Values, RefusedValueTest,
                         ::testing::Values(RefusedCase{"AllThreeDelimiters", "a\"b'c]d", "holds all of"},
                                           RefusedCase{"AllThreeInOnePart", "ok;a\"b'c]d", "holds all of"},
                                           RefusedCase{"OutsideWindows1252", "Ωmega", "cannot be stored"}),
                         [](const auto& info) { return std::string(info.param.Name); });

// ---- applying a filter to an address file -----------------------------------------------------

const std::vector<Person> People = {
    {{"LNAME", "Martin"}, {"FNAME", "Ann"}, {"CITY", "Boston"}, {"STATE", "MA"}, {"CODES", "ABC"}},
    {{"LNAME", "Mason"}, {"FNAME", "Bob"}, {"CITY", "Boston"}, {"STATE", "GA"}},
    {{"LNAME", "Jones"}, {"FNAME", "Mary"}, {"CITY", "Denver"}, {"STATE", "CO"}, {"CODES", "X"}},
    {{"LNAME", "Jones"}, {"FNAME", "Bob"}, {"CITY", "Austin"}, {"STATE", "TX"}},
    {{"LNAME", "O\"Brien"}, {"FNAME", "Pat"}, {"CITY", "Chicago"}, {"STATE", "IL"}},
    {{"LNAME", "O'Neil"}, {"FNAME", "Sue"}, {"CITY", "Bostonia"}, {"STATE", "CA"}},
};

class ApplyFilterTest : public AddressTableTest {
  protected:
    void SetUp() override { Open(People); }

    AppliedFilter Apply(FilterCriteria& criteria)
    {
        auto applied = ApplyFilter(FTable, criteria, TagId);
        EXPECT_TRUE(applied) << applied.Message();
        return applied ? *applied : AppliedFilter{};
    }

    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
};

TEST_F(ApplyFilterTest, MatchesAreCountedAndTheQueryIsSet)
{
    FilterCriteria criteria = Criteria({{FilterField::Last, "MA"}});
    AppliedFilter applied = Apply(criteria);
    EXPECT_EQ(applied.Matches, 2u);
    EXPECT_EQ(applied.Expression, R"(UPPER(LNAME)="MA")");
    EXPECT_EQ(FTable.Query(), R"(UPPER(LNAME)="MA".and. !ISDEL)");
    EXPECT_EQ(Column(FTable, "LNAME"), (std::vector<std::string>{"Martin", "Mason"}));
    EXPECT_EQ(criteria[FilterField::Last], "MA");
    EXPECT_TRUE(FMessages.Messages.empty());
}

TEST_F(ApplyFilterTest, SelectionsOfTheEdgeCases)
{
    struct Case {
        FilterCriteria Input;
        std::vector<std::string> FirstNames;
    } cases[] = {
        {Criteria({{FilterField::City, "BOSTON"}}), {"Ann", "Bob", "Sue"}}, // any state, and Bostonia
        {Criteria({{FilterField::Codes, "$b"}}), {"Ann"}},
        {Criteria({{FilterField::Last, "Jones"}, {FilterField::First, "Mary"}}), {"Mary"}},
        // Exact comparison is off, so ">" too looks at only as many characters as the value has:
        // Martin is not after M, but it is at or after it.
        {Criteria({{FilterField::Last, ">M"}}), {"Pat", "Sue"}},
        {Criteria({{FilterField::Last, ">=M"}}), {"Ann", "Bob", "Pat", "Sue"}},
        {Criteria({{FilterField::Last, "jones"}}, false, true), {"Ann", "Bob", "Pat", "Sue"}},
        {Criteria({{FilterField::Last, "O\"B"}}), {"Pat"}},
        {Criteria({{FilterField::Last, "O'N;o\"b"}}), {"Pat", "Sue"}},
    };
    for (auto& test : cases) {
        Apply(test.Input);
        EXPECT_EQ(Column(FTable, "FNAME"), test.FirstNames) << FTable.Query();
    }
}

TEST_F(ApplyFilterTest, CraftedValuesCannotWidenTheFilter)
{
    // Pasted between double quotes, the last two match every record.
    for (std::string naive :
         {R"~(UPPER(LNAME)="X" .OR. "" = "")~", R"~(UPPER(LNAME)="X" .OR. .T. .OR. "" = "")~"}) {
        Status set = FTable.SetQuery(naive);
        ASSERT_TRUE(set) << set.Message();
        EXPECT_EQ(*FTable.QueryCount(), People.size());
    }
    for (std::string crafted : {R"~(x") .or. (")~", R"~(x" .or. "" = ")~", R"~(x" .or. .T. .or. "" = ")~"}) {
        FilterCriteria criteria = Criteria({{FilterField::Last, crafted}});
        AppliedFilter applied = Apply(criteria);
        EXPECT_EQ(applied.Matches, 0u) << crafted;
        EXPECT_EQ(FTable.Query(), "!ISDEL");
    }
    EXPECT_TRUE(FMessages.Messages.empty());
}

TEST_F(ApplyFilterTest, NoCriteriaMeansNoFilter)
{
    FilterCriteria criteria = Criteria({{FilterField::Last, "   "}}, false, true);
    AppliedFilter applied = Apply(criteria);
    EXPECT_FALSE(applied.FilterSet());
    EXPECT_EQ(applied.Matches, 0u);
    EXPECT_EQ(FTable.Query(), "!ISDEL");
    EXPECT_EQ(Column(FTable, "LNAME").size(), People.size());
}

TEST_F(ApplyFilterTest, AFilterMatchingNothingIsDroppedSilently)
{
    FilterCriteria criteria = Criteria({{FilterField::Last, "Zz"}}, false, false);
    criteria.Tagged = true;
    AppliedFilter applied = Apply(criteria);
    EXPECT_FALSE(applied.FilterSet());
    EXPECT_EQ(FTable.Query(), "!ISDEL");
    EXPECT_EQ(criteria, FilterCriteria{});
    EXPECT_TRUE(FMessages.Messages.empty());
}

TEST_F(ApplyFilterTest, ExpressionsAbove243CharactersAreTooComplex)
{
    // Grow the second alternative until the expression is exactly 243 characters long.
    const auto criteriaOf = [](std::size_t padding) {
        return Criteria({{FilterField::Last, "MA;" + std::string(padding, 'Z')}});
    };
    const std::size_t base = BuildQueryString(criteriaOf(0), TagId)->size();
    ASSERT_LT(base, 243u);

    FilterCriteria fits = criteriaOf(243 - base);
    ASSERT_EQ(BuildQueryString(fits, TagId)->size(), 243u);
    EXPECT_EQ(Apply(fits).Matches, 2u);
    EXPECT_TRUE(FMessages.Messages.empty());

    FilterCriteria tooLong = criteriaOf(244 - base);
    AppliedFilter applied = Apply(tooLong);
    EXPECT_FALSE(applied.FilterSet());
    EXPECT_EQ(FTable.Query(), "!ISDEL");
    EXPECT_EQ(tooLong, FilterCriteria{});
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_EQ(FMessages.Messages[0].Text, TooComplex);
}

TEST_F(ApplyFilterTest, ARefusedValueIsShownAndTheFilterDropped)
{
    FilterCriteria before = Criteria({{FilterField::Last, "MA"}});
    Apply(before);
    FilterCriteria criteria = Criteria({{FilterField::Last, "a\"b'c]"}, {FilterField::First, "Bob"}});
    AppliedFilter applied = Apply(criteria);
    EXPECT_FALSE(applied.FilterSet());
    EXPECT_EQ(FTable.Query(), "!ISDEL");
    EXPECT_EQ(criteria, FilterCriteria{});
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_NE(FMessages.Messages[0].Text.find("holds all of"), std::string::npos);
}

TEST(ApplyFilterEngineError, IsReportedNotTakenForNoMatch)
{
    // A table the engine cannot run the filter on (no CODES field): the engine's message is
    // shown and returned, and the criteria stay for the user to see.
    xbase::testing::ScratchFolder scratch;
    const std::string path = scratch.File("plain.dbf");
    ASSERT_TRUE(xbase::Table::Create(path, {{"LNAME", 'C', 20, 0}, {"ISDEL", 'L', 1, 0}}));
    xbase::Table table;
    ASSERT_TRUE(table.Open(path));
    ASSERT_TRUE(table.AppendBlank());
    RecordingMessageService messages;
    ScopedMessageService installed(messages);

    FilterCriteria criteria = Criteria({{FilterField::Codes, "$C"}});
    auto applied = ApplyFilter(table, criteria, TagId);
    ASSERT_FALSE(applied);
    EXPECT_NE(applied.Message().find("CODES"), std::string::npos) << applied.Message();
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Text, applied.Message());
    EXPECT_EQ(criteria[FilterField::Codes], "$C");
    EXPECT_EQ(table.Query(), "!ISDEL");
}

TEST(FilterStatus, Texts)
{
    EXPECT_EQ(FilterStatusText(3, true), "3 filter matches");
    EXPECT_EQ(FilterStatusText(7, false), "7 records (no filter)");
    EXPECT_EQ(FilterStatusText(0, false), "No records");
    EXPECT_EQ(FilterTestText(2, true), "2 matches");
    EXPECT_EQ(FilterTestText(0, false), "No filter set");
}

// ---- .FLT files -------------------------------------------------------------------------------

FilterCriteria Everything()
{
    FilterCriteria criteria;
    for (std::size_t i = 0; i < FilterFieldCount; ++i)
        criteria.Texts[i] = "v" + std::to_string(i + 1);
    criteria[FilterField::Last] = "Müller";
    criteria.Tagged = true;
    criteria.Reverse = false;
    return criteria;
}

TEST(FilterFile, WrittenInWindows1252WithCrLfAndReadBack)
{
    xbase::testing::ScratchFolder scratch;
    const std::string path = scratch.File("all.FLT");
    ASSERT_TRUE(SaveFilterTo(path, Everything()));
    std::string expected = "M\xFCller\r\n";
    for (std::size_t i = 2; i <= FilterFieldCount; ++i)
        expected += "v" + std::to_string(i) + "\r\n";
    expected += "T\r\nF\r\n";
    EXPECT_EQ(xbase::testing::ReadBytes(path), expected);
    auto restored = RestoreFilterFrom(path);
    ASSERT_TRUE(restored) << restored.Message();
    EXPECT_EQ(*restored, Everything());
}

TEST(FilterFile, CharactersOutsideWindows1252MakeAUtf8File)
{
    xbase::testing::ScratchFolder scratch;
    const std::string path = scratch.File("greek.FLT");
    FilterCriteria criteria = Everything();
    criteria[FilterField::Comment2] = "Ωmega";
    ASSERT_TRUE(SaveFilterTo(path, criteria));
    EXPECT_EQ(xbase::testing::ReadBytes(path).substr(0, 12), "\xEF\xBB\xBFMüller\r\n");
    auto restored = RestoreFilterFrom(path);
    ASSERT_TRUE(restored);
    EXPECT_EQ(*restored, criteria);
}

TEST(FilterFile, TextThatWouldReadAsOtherLettersInWindows1252IsWrittenAsUtf8)
{
    // In Windows-1252 "Ã©" is the bytes C3 A9, which read as UTF-8 "é".
    xbase::testing::ScratchFolder scratch;
    const std::string path = scratch.File("mojibake.FLT");
    FilterCriteria criteria;
    criteria[FilterField::Last] = "Ã©";
    ASSERT_TRUE(SaveFilterTo(path, criteria));
    auto restored = RestoreFilterFrom(path);
    ASSERT_TRUE(restored);
    EXPECT_EQ(*restored, criteria);
}

TEST(FilterFile, ALineBreakInACriterionCannotBeSaved)
{
    xbase::testing::ScratchFolder scratch;
    FilterCriteria criteria;
    criteria[FilterField::Zip] = "1\n2";
    EXPECT_FALSE(SaveFilterTo(scratch.File("x.FLT"), criteria));
    EXPECT_FALSE(RestoreFilterFrom(scratch.File("missing.FLT")));
}

struct ParseCase {
    const char* Name;
    std::string Bytes;
    std::string Last, First, Comment2;
    bool Tagged, Reverse;
};

class FilterFileParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(FilterFileParseTest, Reads)
{
    FilterCriteria criteria = ParseFilterFile(GetParam().Bytes);
    EXPECT_EQ(criteria[FilterField::Last], GetParam().Last);
    EXPECT_EQ(criteria[FilterField::First], GetParam().First);
    EXPECT_EQ(criteria[FilterField::Comment2], GetParam().Comment2);
    EXPECT_EQ(criteria.Tagged, GetParam().Tagged);
    EXPECT_EQ(criteria.Reverse, GetParam().Reverse);
}

std::string Lines(const std::vector<std::string>& lines, const std::string& end)
{
    std::string text;
    for (const auto& line : lines)
        text += line + end;
    return text;
}

const std::vector<std::string> Twenty = {"a", "b", "", "", "", "", "", "",  "",  "",
                                         "",  "",  "", "", "", "", "", "r", "T", "T"};

INSTANTIATE_TEST_SUITE_P(
    Bytes, FilterFileParseTest,
    ::testing::Values(
        ParseCase{"CrLf", Lines(Twenty, "\r\n"), "a", "b", "r", true, true},
        ParseCase{"LfOnly", Lines(Twenty, "\n"), "a", "b", "r", true, true},
        ParseCase{"CrOnly", Lines(Twenty, "\r"), "a", "b", "r", true, true},
        ParseCase{"NoFinalLineEnd", Lines(Twenty, "\r\n").substr(0, 43), "a", "b", "r", true, true},
        ParseCase{"ShortFile", "a\r\nb", "a", "b", "", false, false},
        ParseCase{"EmptyFile", "", "", "", "", false, false},
        ParseCase{"BlankLinesKeepTheirPlace", "\n\nc\n", "", "", "", false, false},
        ParseCase{"FlagsOnlyWhenExactlyT",
                  Lines({"a", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "t", "T "},
                        "\r\n"),
                  "a", "", "", false, false},
        ParseCase{"ExtraLinesIgnored", Lines(Twenty, "\r\n") + "junk\r\nT\r\n", "a", "b", "r", true, true},
        ParseCase{"OldWindows1252", "M\xFCller\r\nJos\xE9\r\n", "Müller", "José", "", false, false},
        ParseCase{"Utf8WithMark", "\xEF\xBB\xBFMüller\r\n", "Müller", "", "", false, false}),
    [](const auto& info) { return std::string(info.param.Name); });

class FilterFileAcrossFilesTest : public AddressTableTest {};

TEST_F(FilterFileAcrossFilesTest, ASavedFilterRestoredIntoAnotherFileFiltersThatFile)
{
    Open(People, "first.dbf");
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    FilterCriteria criteria = Criteria({{FilterField::City, "Boston"}, {FilterField::Last, "O\"B;Ma"}});
    ASSERT_TRUE(ApplyFilter(FTable, criteria, TagId));
    EXPECT_EQ(Column(FTable, "FNAME"), (std::vector<std::string>{"Ann", "Bob"}));
    const std::string saved = FScratch.File("boston.FLT");
    ASSERT_TRUE(SaveFilterTo(saved, criteria));

    const std::string second = FScratch.File("second.dbf");
    testing::MakeAddressFile(second, {{{"LNAME", "Mabry"}, {"FNAME", "Lou"}, {"CITY", "Boston"}},
                                      {{"LNAME", "Mabry"}, {"FNAME", "Kay"}, {"CITY", "Austin"}},
                                      {{"LNAME", "O\"Brien"}, {"FNAME", "Tim"}, {"CITY", "Boston"}}});
    xbase::Table other;
    ASSERT_TRUE(other.Open(second));
    auto restored = RestoreFilterFrom(saved);
    ASSERT_TRUE(restored);
    auto applied = ApplyFilter(other, *restored, TagId);
    ASSERT_TRUE(applied);
    EXPECT_EQ(applied->Matches, 2u);
    EXPECT_EQ(Column(other, "FNAME"), (std::vector<std::string>{"Lou", "Tim"}));
}

TEST(FilterFileNames, SaveAndRestoreRules)
{
    struct {
        const char* Chosen;
        const char* Saved; // nullptr: refused
    } saves[] = {
        {"/tmp/list", "/tmp/list.FLT"},
        {"/tmp/list.FLT", "/tmp/list.FLT"},
        {"/tmp/list.flt", "/tmp/list.flt"},
        {"/tmp/list.txt", nullptr},
        {"/tmp/list.", nullptr},
        {"/home/me/.config/lists/boston", "/home/me/.config/lists/boston.FLT"},
    };
    for (const auto& save : saves) {
        auto name = FilterSaveName(save.Chosen);
        if (save.Saved) {
            ASSERT_TRUE(name) << save.Chosen;
            EXPECT_EQ(*name, save.Saved);
        } else {
            ASSERT_FALSE(name) << save.Chosen;
            EXPECT_EQ(name.Message(), "Must have a .FLT extension");
        }
    }
    EXPECT_TRUE(CheckFilterRestoreName("/tmp/a.FLT"));
    EXPECT_TRUE(CheckFilterRestoreName("/tmp/a.Flt"));
    EXPECT_EQ(CheckFilterRestoreName("/tmp/a.txt").Message(), "Must be a Filter (.FLT) file");
    EXPECT_EQ(CheckFilterRestoreName("FLT").Message(), "Must be a Filter (.FLT) file");
    EXPECT_EQ(FilterOverwriteQuestion("/tmp/a.FLT"),
              "/tmp/a.FLT already exists.\r\nDo you want to overwrite it?");
}

// ---- record scopes ----------------------------------------------------------------------------

TEST(RecordScopes, CaptionsAndQueries)
{
    EXPECT_EQ(RecordScopeCaption(RecordScope::All), "All records");
    EXPECT_EQ(RecordScopeCaption(RecordScope::Filter), "Records matching filter");
    EXPECT_EQ(RecordScopeCaption(RecordScope::Current), "Only current record");

    const std::string filter = R"(UPPER(LNAME)="MA".and. !ISDEL)";
    struct {
        RecordScope Scope;
        PrintingWindow Window;
        std::string Query;
    } cases[] = {
        {RecordScope::All, PrintingWindow::Labels, "NOT ISDEL"},
        {RecordScope::All, PrintingWindow::Letters, "NOT ISDEL"},
        {RecordScope::All, PrintingWindow::Envelopes, "NOT ISDEL"},
        {RecordScope::All, PrintingWindow::Reports, R"(UPPER(PREFIX)<>"DELETED")"},
        {RecordScope::Filter, PrintingWindow::Labels, filter},
        {RecordScope::Filter, PrintingWindow::Reports, filter},
        {RecordScope::Current, PrintingWindow::Labels, "Recno()=42"},
        {RecordScope::Current, PrintingWindow::Reports, "Recno()=42"},
        {RecordScope::Current, PrintingWindow::Letters, filter},
        {RecordScope::Current, PrintingWindow::Envelopes, filter},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(RecordScopeQuery(test.Scope, filter, 42, test.Window), test.Query)
            << static_cast<int>(test.Scope) << "/" << static_cast<int>(test.Window);
    }
}

TEST_F(ApplyFilterTest, ScopeQueriesRunOnTheEngine)
{
    ASSERT_TRUE(FTable.SetQuery(RecordScopeQuery(RecordScope::Current, "!ISDEL", 3, PrintingWindow::Labels)));
    EXPECT_EQ(Column(FTable, "FNAME"), (std::vector<std::string>{"Mary"}));
    for (PrintingWindow window : {PrintingWindow::Labels, PrintingWindow::Reports}) {
        ASSERT_TRUE(FTable.SetQuery(RecordScopeQuery(RecordScope::All, "", 0, window)));
        EXPECT_EQ(Column(FTable, "FNAME").size(), People.size());
    }
}

} // namespace
} // namespace corvane
