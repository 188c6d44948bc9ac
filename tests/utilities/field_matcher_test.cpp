// The search of "Search and Replace": which stored fields a value matches, and the replacing of
// the matching text.

#include <gtest/gtest.h>

#include <string>

#include "utilities/FieldMatcher.h"

namespace corvane {
namespace {

const xbase::CodePage CodePage1252 = xbase::CodePage::Windows1252();

// The bytes a 10-character field stores for a UTF-8 value.
std::string Stored(const std::string& utf8, std::size_t width = 10)
{
    std::string bytes = CodePage1252.FromUtf8(utf8, "test").Value();
    bytes.resize(width, ' ');
    return bytes;
}

struct MatchCase {
    const char* Name;
    const char* Value;
    MatchKind Kind;
    bool CaseSensitive;
    const char* Field;
    bool Expected;
};

class FieldMatcherTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(FieldMatcherTest, MatchesAsTheWindowPromises)
{
    const MatchCase& c = GetParam();
    FieldMatcher matcher(c.Value, c.Kind, c.CaseSensitive, CodePage1252);
    EXPECT_EQ(matcher.Matches(Stored(c.Field)), c.Expected);
}

constexpr MatchKind Exactly = MatchKind::ExactlyEqual;
constexpr MatchKind Contains = MatchKind::Contains;
constexpr const char* Injection = "x\")$LNAME .or. .T. .or. (\"";

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldMatcherTest,
    ::testing::Values(
        // "Is exactly equal to" accepts every field that begins with the value.
        MatchCase{"SmiAnyCaseTakesSmith", "Smi", Exactly, false, "Smith", true},
        MatchCase{"SmiAnyCaseTakesSmithers", "Smi", Exactly, false, "Smithers", true},
        MatchCase{"SmiAnyCaseTakesSmi", "Smi", Exactly, false, "smi", true},
        MatchCase{"SmiAnyCaseLeavesOsmith", "Smi", Exactly, false, "Osmith", false},
        MatchCase{"SmiCaseSensitiveLeavesSMITH", "Smi", Exactly, true, "SMITH", false},
        MatchCase{"WholeWidthValue", "Abcdefghij", Exactly, true, "Abcdefghij", true},
        MatchCase{"BlankInsideTheValue", "Mary Ann", Exactly, true, "Mary Annabel", true},
        MatchCase{"PaddedBlanksCount", "Ann ", Exactly, true, "Ann", true},
        // "Contains": anywhere in the field.
        MatchCase{"ContainsInTheMiddle", "mit", Contains, true, "Smith", true},
        MatchCase{"ContainsAnyCase", "MIT", Contains, false, "Smith", true},
        MatchCase{"ContainsCaseSensitive", "MIT", Contains, true, "Smith", false},
        MatchCase{"AccentedLettersUpperCased", "élan", Contains, false, "ÉLAN", true},
        MatchCase{"AccentedLettersCaseSensitive", "élan", Contains, true, "ÉLAN", false},
        // An empty value takes the empty fields only.
        MatchCase{"EmptyTakesEmpty", "", Exactly, true, "", true},
        MatchCase{"EmptyLeavesFilled", "", Exactly, true, "Smith", false},
        MatchCase{"EmptyContainsLeavesFilled", "", Contains, false, "x", false},
        // Quotes and expression text are plain text.
        MatchCase{"QuoteMatchesItself", "O\"Brien", Exactly, false, "o\"brien", true},
        MatchCase{"QuoteLeavesOthers", "O\"", Contains, false, "OBrien", false},
        MatchCase{"InjectionLeavesOtherFields", Injection, Contains, false, "Smith", false},
        MatchCase{"InjectionLeavesEmptyFields", Injection, Exactly, true, "", false},
        // A character the code page cannot hold is in no stored field.
        MatchCase{"UnstorableValue", "Ω", Contains, false, "Smith", false}),
    [](const ::testing::TestParamInfo<MatchCase>& info) { return info.param.Name; });

TEST(FieldMatcherInjectionTest, TheInjectionTextMatchesOnlyItself)
{
    const std::string field = Stored(Injection, 30);
    for (MatchKind kind : {Exactly, Contains}) {
        FieldMatcher matcher(Injection, kind, true, CodePage1252);
        EXPECT_TRUE(matcher.Matches(field));
        EXPECT_FALSE(matcher.Matches(Stored("x\")$LNAME", 30)));
    }
}

struct ReplaceCase {
    const char* Name;
    std::string Text;
    const char* Search;
    const char* Replacement;
    bool CaseSensitive;
    std::string Expected;
};

class ReplaceMatchingTextTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceMatchingTextTest, ReplacesLeftToRight)
{
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(ReplaceMatchingText(c.Text, c.Search, c.Replacement, c.CaseSensitive, CodePage1252),
              c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceMatchingTextTest,
    ::testing::Values(
        ReplaceCase{"FiftyOccurrencesAtMost", std::string(60, 'a'), "a", "b", true,
                    std::string(50, 'b') + std::string(10, 'a')},
        ReplaceCase{"InsertedTextIsNotScannedAgain", "aaa", "a", "aa", true, "aaaaaa"},
        ReplaceCase{"EveryOccurrence", "Smith and Smithers", "Smith", "Smyth", true, "Smyth and Smythers"},
        ReplaceCase{"AnyCaseKeepsTheReplacementAsTyped", "SMITH smith", "smi", "Smy", false, "SmyTH Smyth"},
        ReplaceCase{"CaseSensitiveSkipsOtherCases", "SMITH smith", "smi", "Smy", true, "SMITH Smyth"},
        ReplaceCase{"DeletingTheMatchingText", "Dr. Smith", "Dr. ", "", true, "Smith"},
        ReplaceCase{"NoOccurrence", "Smith", "x", "y", true, "Smith"},
        ReplaceCase{"OverlappingOccurrencesLeftFirst", "aaa", "aa", "b", true, "ba"}),
    [](const ::testing::TestParamInfo<ReplaceCase>& info) { return info.param.Name; });

} // namespace
} // namespace corvane
