// POSTNET digits and bars, and FIM marks, in inches.

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "layout/FimCode.h"
#include "layout/PostNet.h"

namespace corvane {
namespace {

struct PostnetCase {
    const char* Name;
    const char* Zip;
    const char* Address;
    PostNetBarCodeType Type;
    const char* Digits; // check digit included; empty: nothing printed
    size_t Bars;
};

class PostnetDigitsTest : public testing::TestWithParam<PostnetCase> {};

TEST_P(PostnetDigitsTest, DigitsAndBarCount)
{
    const PostnetCase& c = GetParam();
    const QString digits = PostnetDigits(QString::fromLatin1(c.Zip), QString::fromLatin1(c.Address), c.Type);
    EXPECT_EQ(digits, QString::fromLatin1(c.Digits));
    EXPECT_EQ(PostnetBars(digits).size(), c.Bars);
}

// Only 32, 52 and 62 bars may ever come out; the worked examples keep their digits.
INSTANTIATE_TEST_SUITE_P(
    ZipLengths, PostnetDigitsTest,
    testing::Values(
        PostnetCase{"Zip4WithDeliveryPoint", "12345-6789", "1600 ELM ST", PostNetBarCodeType::Digit11,
                    "123456789005", 62},
        PostnetCase{"FiveDigit", "12345", "", PostNetBarCodeType::Digit5, "123455", 32},
        PostnetCase{"FiveDigitZipUnderNine", "12345", "", PostNetBarCodeType::Digit9, "123455", 32},
        PostnetCase{"FiveDigitZipUnderElevenGetsNoDeliveryPoint", "12345", "1600 ELM ST",
                    PostNetBarCodeType::Digit11, "123455", 32},
        PostnetCase{"NineDigitZipUnderFive", "123456789", "", PostNetBarCodeType::Digit5, "123455", 32},
        PostnetCase{"NineDigitZipUnderNine", "12345-6789", "1600 ELM ST", PostNetBarCodeType::Digit9,
                    "1234567895", 52},
        PostnetCase{"SevenDigitsEncodeFive", "12345-67", "1600 ELM ST", PostNetBarCodeType::Digit11, "123455",
                    32},
        PostnetCase{"TenDigitsEncodeNine", "1234567890", "RR 2 BOX 152", PostNetBarCodeType::Digit11,
                    "123456789528", 62},
        PostnetCase{"FourDigitsPrintNothing", "1234", "1600 ELM ST", PostNetBarCodeType::Digit11, "", 0},
        PostnetCase{"FourDigitsPaddedPrintNothing", "1234-", "", PostNetBarCodeType::Digit5, "", 0},
        PostnetCase{"CanadianPostalCode", "K1A 0B6", "", PostNetBarCodeType::Digit5, "", 0},
        PostnetCase{"EmptyZip", "", "", PostNetBarCodeType::Digit11, "", 0}),
    [](const testing::TestParamInfo<PostnetCase>& info) { return info.param.Name; });

struct DeliveryCase {
    const char* Name;
    const char* Address;
    const char* Digits;
};

class DeliveryPointTest : public testing::TestWithParam<DeliveryCase> {};

TEST_P(DeliveryPointTest, LastTwoDigitsOfThePrimaryNumber)
{
    EXPECT_EQ(DeliveryPointDigits(QString::fromLatin1(GetParam().Address)),
              QString::fromLatin1(GetParam().Digits));
}

INSTANTIATE_TEST_SUITE_P(Addresses, DeliveryPointTest,
                         testing::Values(DeliveryCase{"Plain", "123 MAIN ST", "23"},
                                         DeliveryCase{"OrdinalSkipped", "123 21ST ST", "23"},
                                         DeliveryCase{"FractionSkipped", "123 1/2 MAIN ST", "23"},
                                         DeliveryCase{"OneDigitBox", "PO BOX 5", "05"},
                                         DeliveryCase{"LetterBeforeDigit", "A1 ELM", "01"},
                                         DeliveryCase{"NoDigits", "MAIN STREET", "99"},
                                         DeliveryCase{"Military", "PSC 1 BOX 2 APO", "99"},
                                         DeliveryCase{"RuralRoute", "RR 2 BOX 152", "52"},
                                         DeliveryCase{"LowerCase", "12 3rd ave", "12"},
                                         DeliveryCase{"Empty", "", "99"}),
                         [](const testing::TestParamInfo<DeliveryCase>& info) { return info.param.Name; });

TEST(PostnetTest, CheckDigitMakesTheSumAMultipleOfTen)
{
    EXPECT_EQ(PostnetCheckDigit("12345"), 5);
    EXPECT_EQ(PostnetCheckDigit("55"), 0);
    EXPECT_EQ(PostnetCheckDigit(""), 0);
    EXPECT_EQ(DigitsOnly("12345-6789 x"), "123456789");
}

TEST(PostnetTest, EveryDigitHasTwoTallBarsBetweenTallFrameBars)
{
    const std::vector<bool> zero = PostnetBars("0");
    EXPECT_EQ(zero, (std::vector<bool>{true, true, true, false, false, false, true}));
    for (int d = 0; d < 10; ++d) {
        const std::vector<bool> bars = PostnetBars(QString::number(d));
        ASSERT_EQ(bars.size(), 7u);
        EXPECT_EQ(std::count(bars.begin() + 1, bars.end() - 1, true), 2) << d;
    }
    // Each digit's five-bar pattern is different.
    std::set<std::vector<bool>> patterns;
    for (int d = 0; d < 10; ++d)
        patterns.insert(PostnetBars(QString::number(d)));
    EXPECT_EQ(patterns.size(), 10u);
}

TEST(PostnetTest, BarsInInchesFromTheOrigin)
{
    const std::vector<QRectF> rects = PostnetBarRects("1", QPointF(1.0, 2.0));
    ASSERT_EQ(rects.size(), 7u); // frame, S S S T T, frame
    EXPECT_DOUBLE_EQ(rects[0].left(), 1.0);
    EXPECT_DOUBLE_EQ(rects[0].top(), 2.0);
    EXPECT_DOUBLE_EQ(rects[0].bottom(), 2.125);
    EXPECT_NEAR(rects[0].width(), 0.015, 1e-12);
    EXPECT_NEAR(rects[1].left(), 1.046, 1e-12);
    EXPECT_NEAR(rects[1].top(), 2.070, 1e-12); // short bar, bottom-aligned
    EXPECT_NEAR(rects[1].height(), 0.055, 1e-12);
    EXPECT_NEAR(rects[4].top(), 2.0, 1e-12); // the first tall bar of 1
    EXPECT_NEAR(rects[6].left(), 1.0 + 6 * 0.046, 1e-12);
}

TEST(FimTest, TypeAPrintsAtTheDocumentedInches)
{
    const std::vector<QRectF> rects = FimBarRects(FimType::A, QPointF(0, 0));
    const double lefts[] = {0, 0.0625, 0.25, 0.4375, 0.5};
    ASSERT_EQ(rects.size(), 5u);
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_DOUBLE_EQ(rects[i].left(), lefts[i]);
        EXPECT_DOUBLE_EQ(rects[i].width(), 0.03125);
        EXPECT_DOUBLE_EQ(rects[i].top(), 0);
        EXPECT_DOUBLE_EQ(rects[i].height(), 0.5625);
    }
}

TEST(FimTest, PatternsAndScreenBars)
{
    EXPECT_EQ(FimPositions(FimType::B), (std::vector<int>{1, 3, 4, 6, 7, 9}));
    EXPECT_EQ(FimPositions(FimType::C), (std::vector<int>{1, 2, 4, 6, 8, 9}));
    EXPECT_EQ(FimPositions(FimType::D), (std::vector<int>{1, 2, 3, 5, 7, 8, 9}));
    // 96 pixels per inch: bars 3 wide and 54 high at x = 0, 6 (position 2), 24 (position 5) ...
    const std::vector<QRectF> screen = FimScreenBarRects(FimType::A, 96, 1.0);
    ASSERT_EQ(screen.size(), 5u);
    EXPECT_EQ(screen[1], QRectF(6, 0, 3, 54));
    EXPECT_EQ(screen[2], QRectF(24, 0, 3, 54));
    EXPECT_EQ(FimScreenBarRects(FimType::A, 96, 2.0)[1], QRectF(12, 0, 6, 108));
}

} // namespace
} // namespace corvane
