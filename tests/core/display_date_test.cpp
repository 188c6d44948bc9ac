#include "core/DisplayDate.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct WidenCase {
    const char* Name;
    const char* ShortPattern;
    const char* Expected;
};

class WidenDatePatternTest : public ::testing::TestWithParam<WidenCase> {};

TEST_P(WidenDatePatternTest, WidensToFourDigitYear)
{
    const WidenCase& c = GetParam();
    EXPECT_EQ(WidenDatePattern(c.ShortPattern, DateSeparatorOf(c.ShortPattern)), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, WidenDatePatternTest,
    ::testing::Values(WidenCase{"TwoDigitYear", "M/d/yy", "m/d/yyyy"},
                      WidenCase{"FourDigitYearStaysUpperCase", "dd.MM.yyyy", "DD.MM.YYYY"},
                      WidenCase{"LowerFourDigitYearStaysUpperCase", "yyyy-MM-dd", "YYYY-MM-DD"},
                      WidenCase{"ThreeDigitYear", "d/M/yyy", "d/m/yyyy"},
                      WidenCase{"OneDigitYear", "d/M/y", "d/m/yyyy"},
                      WidenCase{"OnlyFirstYearRunWidened", "yy-MM-dd yy", "yyyy-mm-dd yy"},
                      WidenCase{"NoYearGetsSeparatorAndYear", "dd.MM", "dd.mm.yyyy"},
                      WidenCase{"NoYearNoSeparatorUsesSlash", "ddMM", "ddmm/yyyy"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DateSeparatorOf, FirstCharacterThatIsNoLetterOrQuote)
{
    EXPECT_EQ(DateSeparatorOf("M/d/yy"), "/");
    EXPECT_EQ(DateSeparatorOf("dd.MM.yy"), ".");
    EXPECT_EQ(DateSeparatorOf("'x'yy-MM"), "-");
    EXPECT_EQ(DateSeparatorOf("yyyyMMdd"), "/");
}

struct FormatCase {
    const char* Name;
    const char* Pattern;
    const char* Stored;
    const char* Expected;
};

class FormatDisplayDateTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatDisplayDateTest, FormatsStoredDate)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatDisplayDate(c.Stored, c.Pattern), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, FormatDisplayDateTest,
    ::testing::Values(FormatCase{"WidenedUsPattern", "m/d/yyyy", "19970428", "4/28/1997"},
                      FormatCase{"UpperCasePattern", "DD.MM.YYYY", "19970428", "28.04.1997"},
                      FormatCase{"MIsMonthNotMinutes", "mm/dd/yyyy", "19970105", "01/05/1997"},
                      FormatCase{"TwoDigitYear", "m/d/yy", "19970428", "4/28/97"},
                      FormatCase{"ShortMonthName", "d mmm yyyy", "19970428", "28 Apr 1997"},
                      FormatCase{"LongNames", "dddd, mmmm d, yyyy", "19970428", "Monday, April 28, 1997"},
                      FormatCase{"SingleQuotedLiteral", "d 'de' mmmm yyyy", "19970428", "28 de April 1997"},
                      FormatCase{"DoubleQuotedLiteral", "d \"day\" m", "19970428", "28 day 4"},
                      FormatCase{"OtherLettersAreLiteral", "d.m.yyyy h:s ap", "19970428", "28.4.1997 h:s ap"},
                      FormatCase{"OnlyFirstEightCharactersCount", "m/d/yyyy", "19970428xyz", "4/28/1997"},
                      FormatCase{"NoSuchDay", "m/d/yyyy", "19970231", ""},
                      FormatCase{"NoSuchMonth", "m/d/yyyy", "19971301", ""},
                      FormatCase{"YearZero", "m/d/yyyy", "00000101", ""},
                      FormatCase{"Blank", "m/d/yyyy", "", ""},
                      FormatCase{"TooShort", "m/d/yyyy", "1997042", ""},
                      FormatCase{"NotDigits", "m/d/yyyy", "1997-4-28", ""},
                      FormatCase{"LeadingBlank", "m/d/yyyy", " 19970428", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(StoredDate, RoundTripsThroughQDate)
{
    EXPECT_EQ(ToStoredDate(QDate(1997, 4, 28)), "19970428");
    EXPECT_EQ(ToStoredDate(QDate(2031, 12, 1)), "20311201");
    EXPECT_EQ(ToStoredDate(QDate()), "");
    EXPECT_EQ(ParseStoredDate("20311201"), QDate(2031, 12, 1));
    EXPECT_EQ(ParseStoredDate("20000229"), QDate(2000, 2, 29));
    EXPECT_FALSE(ParseStoredDate("19000229"));
}

TEST(DisplayDatePattern, SystemPatternAlwaysShowsFourDigitYear)
{
    const std::string& pattern = DisplayDatePattern();
    EXPECT_EQ(&pattern, &DisplayDatePattern());
    EXPECT_NE(DisplayDate("19970428").find("1997"), std::string::npos) << pattern;
    EXPECT_EQ(DisplayDate("19970231"), "");
}

} // namespace
} // namespace corvane
