// Address blocks, word wrap and line placement of multi-line text.

#include <map>

#include <gtest/gtest.h>

#include "layout/ElementPainter.h"
#include "layout/TextLayout.h"

namespace corvane {
namespace {

using Record = std::map<QString, QString>;

QStringList Lines(const AddressBlockOptions& options, const Record& record)
{
    return AddressBlockLines(options, [&record](const QString& field) -> std::optional<QString> {
        const auto it = record.find(field);
        return it == record.end() ? QString() : it->second;
    });
}

AddressBlockOptions WithZip(ZipPlacement placement)
{
    AddressBlockOptions options;
    options.ZipOptions = placement;
    return options;
}

const Record Springfield = {{"FNAME", "Ann"},        {"LNAME", "Lee"}, {"STREET", "12 Oak St"},
                            {"CITY", "Springfield"}, {"STATE", "IL"},  {"ZIP", "62704"},
                            {"COUNTRY", "USA"}};

struct AddressCase {
    const char* Name;
    AddressBlockOptions Options;
    Record Fields;
    QStringList Expected;
};

class AddressBlockTest : public testing::TestWithParam<AddressCase> {};

TEST_P(AddressBlockTest, BuildsTheLinesAndClosesUpEmptyOnes)
{
    EXPECT_EQ(Lines(GetParam().Options, GetParam().Fields), GetParam().Expected);
}

AddressBlockOptions Upper()
{
    AddressBlockOptions options;
    options.UpperCase = true;
    return options;
}

AddressBlockOptions WithoutCountry(ZipPlacement placement)
{
    AddressBlockOptions options = WithZip(placement);
    options.UseCountry = false;
    return options;
}

AddressBlockOptions OnlyPhoneAndName()
{
    AddressBlockOptions options;
    options.UseTitle = options.UseCompany = options.UseStreet = options.UseStreet2 = false;
    options.UseCityState = options.UseZip = options.UseCountry = false;
    options.UsePhone = true;
    return options;
}

INSTANTIATE_TEST_SUITE_P(
    Records, AddressBlockTest,
    testing::Values(
        AddressCase{"NameWithPrefixKeepsTrailingBlank",
                    {},
                    {{"PREFIX", "Dr."}, {"FNAME", "Ann"}, {"MIDDLE", ""}, {"LNAME", "Lee"}},
                    {"Dr. Ann Lee "}},
        AddressCase{"MiddleInitialGetsFullStop",
                    {},
                    {{"FNAME", "Ann"}, {"MIDDLE", "Q"}, {"LNAME", "Lee"}},
                    {"Ann Q. Lee "}},
        AddressCase{"BlankMiddleAddsNothing",
                    {},
                    {{"FNAME", "Ann"}, {"MIDDLE", "   "}, {"LNAME", "Lee"}},
                    {"Ann Lee "}},
        AddressCase{
            "EmptyLinesCloseUp", {}, Springfield, {"Ann Lee ", "12 Oak St", "Springfield  IL 62704", "USA"}},
        AddressCase{"ZipBeforeCity",
                    WithZip(ZipPlacement::BeforeCity),
                    Springfield,
                    {"Ann Lee ", "12 Oak St", "62704 Springfield IL ", "USA"}},
        AddressCase{"ZipAfterCountry",
                    WithZip(ZipPlacement::AfterCountry),
                    Springfield,
                    {"Ann Lee ", "12 Oak St", "Springfield IL", "USA 62704"}},
        AddressCase{"ZipBeforeCountry",
                    WithZip(ZipPlacement::BeforeCountry),
                    Springfield,
                    {"Ann Lee ", "12 Oak St", "Springfield IL", "62704 USA"}},
        AddressCase{"ZipAfterEmptyCountryStandsAlone",
                    WithZip(ZipPlacement::AfterCountry),
                    {{"CITY", "Springfield"}, {"STATE", "IL"}, {"ZIP", "62704"}},
                    {"Springfield IL", "62704"}},
        AddressCase{"ZipForCountryWithCountryOff",
                    WithoutCountry(ZipPlacement::BeforeCountry),
                    {{"CITY", "Springfield"}, {"STATE", "IL"}, {"ZIP", " 62704"}},
                    {"Springfield IL", "62704"}},
        AddressCase{"MissingCityLeavesLeadingBlank", {}, {{"STATE", "IL"}, {"ZIP", "62704"}}, {" IL 62704"}},
        AddressCase{"OnlyNameAndPhone",
                    OnlyPhoneAndName(),
                    {{"FNAME", "Ann"}, {"TITLE", "Chief"}, {"PHONE", "555-1234  "}},
                    {"Ann ", "555-1234"}},
        AddressCase{"UpperCase", Upper(), {{"CITY", "Springfield"}, {"STATE", "Il"}}, {"SPRINGFIELD  IL "}},
        AddressCase{"NothingFilled", {}, {}, {}}),
    [](const testing::TestParamInfo<AddressCase>& info) { return info.param.Name; });

TEST(AddressBlockTest, UnreadableFieldEndsTheBlockKeepingEarlierLines)
{
    const QStringList lines = AddressBlockLines({}, [](const QString& field) -> std::optional<QString> {
        if (field == "STREET2")
            return std::nullopt;
        return field == "STREET" ? QString("12 Oak St") : QString("x");
    });
    EXPECT_EQ(lines, (QStringList{"x x x. x ", "x", "x", "12 Oak St"}));
}

double Chars(const QString& text)
{
    return text.size();
}

struct WrapCase {
    const char* Name;
    QStringList Input;
    double Width;
    QStringList Expected;
};

class WrapTest : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapTest, BreaksBetweenWordsAndInsideOverlongOnes)
{
    EXPECT_EQ(WrapText(GetParam().Input, GetParam().Width, Chars), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, WrapTest,
    testing::Values(WrapCase{"FitsUnchanged", {"short line"}, 20, {"short line"}},
                    WrapCase{
                        "BlanksStayWithTheWord", {"the quick brown fox"}, 10, {"the quick ", "brown fox"}},
                    WrapCase{"ExactFit", {"abc def"}, 3, {"abc ", "def"}},
                    WrapCase{"LongWordBroken", {"abcdefghijkl xy"}, 5, {"abcde", "fghij", "kl xy"}},
                    WrapCase{"EmptyLinesKept", {"a", "", "b"}, 5, {"a", "", "b"}},
                    WrapCase{"NarrowerThanOneCharacter", {"ab"}, 0.5, {"a", "b"}}),
    [](const testing::TestParamInfo<WrapCase>& info) { return info.param.Name; });

TEST(WrapTest, RealFontLinesFitTheWidth)
{
    const QFontMetricsF metrics = ReferenceFontMetrics(QFont("Arial", 10), 96);
    const auto width = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };
    const QStringList wrapped =
        WrapText({"Four score and seven years ago our fathers brought forth on this continent"}, 120, width);
    ASSERT_GT(wrapped.size(), 2);
    for (const QString& line : wrapped)
        EXPECT_LE(width(line.trimmed()), 120) << line.toStdString();
    EXPECT_EQ(wrapped.join(""), "Four score and seven years ago our fathers brought forth on this continent");
}

TEST(TextLayoutTest, PlaceholderOnlyForNoLinesOrOneBlankLine)
{
    EXPECT_TRUE(ShowsPlaceholder({}));
    EXPECT_TRUE(ShowsPlaceholder({"   "}));
    EXPECT_FALSE(ShowsPlaceholder({"", ""}));
    EXPECT_FALSE(ShowsPlaceholder({" a "}));
}

TEST(TextLayoutTest, LinesPlacedByAlignmentAndCutBelowTheBottom)
{
    const auto place = [](TextAlignment alignment) {
        return PlaceLines({"abcd", "ab", "x"}, alignment, 21, 30, 13, Chars);
    };
    const std::vector<PlacedLine> left = place(TextAlignment::LeftJustify);
    ASSERT_EQ(left.size(), 3u); // tops 0, 13, 26: the third starts above the bottom
    EXPECT_EQ(left[2].Origin, QPointF(0, 26));
    EXPECT_EQ(place(TextAlignment::RightJustify)[0].Origin, QPointF(21 - 4 - 1, 0));
    EXPECT_EQ(place(TextAlignment::Center)[1].Origin, QPointF(21 / 2 - 2 / 2 + 1, 13));
    EXPECT_EQ(PlaceLines({"a", "b", "c"}, TextAlignment::LeftJustify, 21, 26, 13, Chars).size(), 2u);
}

} // namespace
} // namespace corvane
