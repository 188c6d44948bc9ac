#include "platform/xbase/TagIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <utility>

using namespace xbase;

namespace {

TagDefinition CharTag(uint16_t keyLength, bool unique = false)
{
    TagDefinition definition;
    definition.Name = "T";
    definition.KeyExpression = "F";
    definition.KeyLength = keyLength;
    definition.Unique = unique;
    return definition;
}

using Entries = std::vector<std::pair<std::string, uint32_t>>;

Entries Contents(const TagIndex& index)
{
    Entries result;
    for (size_t i = 0; i < index.Size(); ++i) {
        result.emplace_back(std::string(index.KeyAt(i)), index.RecnoAt(i));
    }
    return result;
}

// Four-byte keys: "AB  "/1, "AB  "/3, "ABC "/2, "B   "/5, "\x80   "/4 (a high byte sorts last).
TagIndex SampleIndex()
{
    TagIndex index(CharTag(4));
    index.AppendUnsorted("B   ", 5);
    index.AppendUnsorted("AB  ", 3);
    index.AppendUnsorted("\x80   ", 4);
    index.AppendUnsorted("ABC ", 2);
    index.AppendUnsorted("AB  ", 1);
    return index;
}

} // namespace

TEST(TagIndexOrder, SortsByBytesThenRecordNumber)
{
    const Entries expected = {{"AB  ", 1}, {"AB  ", 3}, {"ABC ", 2}, {"B   ", 5}, {"\x80   ", 4}};
    EXPECT_EQ(Contents(SampleIndex()), expected);
}

TEST(TagIndexOrder, InsertRemoveAndFindKeepOrder)
{
    TagIndex index = SampleIndex();
    index.Insert("AB  ", 2); // between the two "AB  " entries
    index.Insert("A", 9);    // short key padded with blanks
    EXPECT_EQ(index.Find("AB  ", 2), 2u);
    EXPECT_EQ(index.Find("A   ", 9), 0u);
    EXPECT_EQ(index.Find("AB  ", 7), TagIndex::NoPosition);
    EXPECT_FALSE(index.Remove("AB  ", 7));
    EXPECT_FALSE(index.Remove("ABD ", 2));
    EXPECT_TRUE(index.Remove("AB  ", 3));
    EXPECT_TRUE(index.Remove("\x80   ", 4));
    const Entries expected = {{"A   ", 9}, {"AB  ", 1}, {"AB  ", 2}, {"ABC ", 2}, {"B   ", 5}};
    EXPECT_EQ(Contents(index), expected);
}

struct LowerBoundCase {
    const char* Name;
    std::string Prefix;
    size_t Expected;
};

class TagIndexLowerBound : public testing::TestWithParam<LowerBoundCase> {};

TEST_P(TagIndexLowerBound, ComparesOnlyThePrefix)
{
    EXPECT_EQ(SampleIndex().LowerBound(GetParam().Prefix), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagIndexLowerBound,
    testing::Values(LowerBoundCase{"Empty", "", 0}, LowerBoundCase{"ShortMatchesAll", "A", 0},
                    LowerBoundCase{"ShortMatchesFirstOfTies", "AB", 0}, LowerBoundCase{"Longer", "ABC", 2},
                    LowerBoundCase{"AbsentLandsOnNext", "ABD", 3}, LowerBoundCase{"FullKey", "B   ", 3},
                    LowerBoundCase{"BeforeHighByte", "C", 4}, LowerBoundCase{"PastEnd", "\xFF", 5},
                    LowerBoundCase{"LongerIsCut", "AB  ZZZ", 0},
                    LowerBoundCase{"BlankSortsBeforeLetters", " ", 0}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(TagIndexUnique, FirstRecordOfAKeyWins)
{
    TagIndex index(CharTag(2, true));
    index.Insert("AA", 5);
    index.Insert("AA", 1); // ignored, though its record number is lower
    index.AppendUnsorted("BB", 9);
    index.AppendUnsorted("AA", 2); // loses to the settled entry
    index.AppendUnsorted("BB", 3); // loses to the earlier append
    index.AppendUnsorted("CC", 4);
    const Entries expected = {{"AA", 5}, {"BB", 9}, {"CC", 4}};
    EXPECT_EQ(Contents(index), expected);
    EXPECT_EQ(index.Find("AA", 1), TagIndex::NoPosition);
}

// Settled entries, pending appends and inserts, interleaved with reads, against a plain sort.
// Keys share long prefixes so that the comparison past the first eight bytes matters.
TEST(TagIndexPending, MergesLikeAFullSort)
{
    for (const bool unique : {false, true}) {
        std::mt19937 random(unique ? 7 : 11);
        const uint16_t keyLength = 12;
        TagIndex index(CharTag(keyLength, unique));
        Entries reference;
        auto randomKey = [&] {
            std::string key(keyLength, 'P');
            for (size_t i = 6; i < keyLength; ++i) {
                key[i] = "AB\x7F\x80 "[random() % 5];
            }
            return key;
        };
        auto addReference = [&](const std::string& key, uint32_t recno) {
            const bool present = std::any_of(reference.begin(), reference.end(),
                                             [&](const auto& entry) { return entry.first == key; });
            if (!unique || !present) {
                reference.emplace_back(key, recno);
            }
        };
        uint32_t recno = 0;
        for (int round = 0; round < 6; ++round) {
            // Appends settle together; in a unique tag the earlier one wins, as in the reference.
            for (int i = 0; i < 500; ++i) {
                const std::string key = randomKey();
                index.AppendUnsorted(key, ++recno);
                addReference(key, recno);
            }
            for (int i = 0; i < 20; ++i) {
                const std::string key = randomKey();
                index.Insert(key, ++recno);
                addReference(key, recno);
            }
            std::sort(reference.begin(), reference.end());
            ASSERT_EQ(Contents(index), reference) << "unique " << unique << " round " << round;
        }
    }
}

struct NumericCase {
    const char* Name;
    double Value;
    const char* Hex; // expected key bytes
};

class TagIndexNumericKey : public testing::TestWithParam<NumericCase> {};

TEST_P(TagIndexNumericKey, EncodesBigEndianWithFlippedSign)
{
    const std::string key = EncodeNumericKey(GetParam().Value);
    std::string hex;
    for (const char c : key) {
        static const char* digits = "0123456789ABCDEF";
        hex += digits[static_cast<unsigned char>(c) >> 4];
        hex += digits[static_cast<unsigned char>(c) & 15];
    }
    EXPECT_EQ(hex, GetParam().Hex);
    EXPECT_EQ(DecodeNumericKey(key), GetParam().Value == 0 ? 0.0 : GetParam().Value);
    EXPECT_FALSE(std::signbit(DecodeNumericKey(EncodeNumericKey(-0.0))));
}

INSTANTIATE_TEST_SUITE_P(Cases, TagIndexNumericKey,
                         testing::Values(NumericCase{"MinusOne", -1.0, "400FFFFFFFFFFFFF"},
                                         NumericCase{"MinusZero", -0.0, "8000000000000000"},
                                         NumericCase{"Zero", 0.0, "8000000000000000"},
                                         NumericCase{"One", 1.0, "BFF0000000000000"},
                                         NumericCase{"JulianDay2000", 2451545.0, "C142B42C80000000"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(TagIndexNumericKey, OrderOfKeysIsOrderOfNumbers)
{
    const double values[] = {-std::numeric_limits<double>::infinity(),
                             -1e300,
                             -12345.5,
                             -1.0,
                             -1e-300,
                             0.0,
                             1e-300,
                             0.5,
                             1.0,
                             2451545.0,
                             1e300,
                             std::numeric_limits<double>::infinity()};
    for (size_t i = 1; i < std::size(values); ++i) {
        EXPECT_LT(EncodeNumericKey(values[i - 1]), EncodeNumericKey(values[i]))
            << values[i - 1] << " vs " << values[i];
        EXPECT_EQ(DecodeNumericKey(EncodeNumericKey(values[i])), values[i]);
    }
    EXPECT_EQ(EncodeNumericKey(-0.0), EncodeNumericKey(0.0));
}

struct JulianCase {
    const char* Name;
    const char* Date;
    int64_t Expected;
};

class TagIndexJulianDay : public testing::TestWithParam<JulianCase> {};

TEST_P(TagIndexJulianDay, Converts)
{
    EXPECT_EQ(JulianDay(GetParam().Date), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagIndexJulianDay,
    testing::Values(JulianCase{"Epoch2000", "20000101", 2451545}, JulianCase{"Unix", "19700101", 2440588},
                    JulianCase{"LeapDay2000", "20000229", 2451604},
                    JulianCase{"GregorianStart", "15821015", 2299161},
                    JulianCase{"LastDay", "99991231", 5373484}, JulianCase{"NoLeapDay1900", "19000229", 0},
                    JulianCase{"Blank", "        ", 0}, JulianCase{"Empty", "", 0},
                    JulianCase{"Short", "2000011", 0}, JulianCase{"Month13", "20001301", 0},
                    JulianCase{"Day0", "20000100", 0}, JulianCase{"Year0", "00000101", 0},
                    JulianCase{"Letters", "2000O101", 0}),
    [](const auto& info) { return std::string(info.param.Name); });
