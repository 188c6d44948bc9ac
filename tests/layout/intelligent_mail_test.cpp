#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "layout/IntelligentMailCode.h"

namespace corvane {
namespace {

// ---- an independent reader of the bars, written from the symbology's published tables ----------

__extension__ typedef unsigned __int128 Wide;

// The N-of-13 character tables, generated the way the symbology defines them: each N-bit pattern
// next to its bit reversal, palindromes filled in from the end.
std::vector<uint16_t> NOf13Table(int n, size_t length)
{
    std::vector<uint16_t> table(length);
    size_t lower = 0;
    size_t upper = length - 1;
    for (uint16_t count = 0; count < 8192; ++count) {
        if (std::popcount(count) != n)
            continue;
        uint16_t reverse = 0;
        for (int bit = 0; bit < 13; ++bit)
            if (count & (1u << bit))
                reverse |= static_cast<uint16_t>(1u << (12 - bit));
        if (reverse < count)
            continue;
        if (reverse == count) {
            table[upper--] = count;
        } else {
            table[lower++] = count;
            table[lower++] = reverse;
        }
    }
    return table;
}

// Which bar (1..65 descenders, 66..130 ascenders) carries bit j of character i: entry 13 i + j.
constexpr std::array<int, 130> BarOfCharacterBit{
    67,  6,  78,  16, 86,  95,  34,  40,  45,  113, 117, 121, 62,  87,  18, 104, 41, 76,  57,  119, 115, 72,
    97,  2,  127, 26, 105, 35,  122, 52,  114, 7,   24,  82,  68,  63,  94, 44,  77, 112, 70,  100, 39,  30,
    107, 15, 125, 85, 10,  65,  54,  88,  20,  106, 46,  66,  8,   116, 29, 61,  99, 80,  90,  37,  123, 51,
    25,  84, 129, 56, 4,   109, 96,  28,  36,  47,  11,  71,  33,  102, 21, 9,   17, 49,  124, 79,  64,  91,
    42,  69, 53,  60, 14,  1,   27,  103, 126, 75,  89,  50,  120, 19,  32, 110, 92, 111, 130, 59,  31,  12,
    81,  43, 55,  5,  74,  22,  101, 128, 58,  118, 48,  108, 38,  98,  93, 23,  83, 13,  73,  3};

uint16_t FrameCheck(Wide value)
{
    std::array<uint8_t, 13> bytes{};
    for (int i = 12; i >= 0; --i) {
        bytes[i] = static_cast<uint8_t>(value & 0xFF);
        value >>= 8;
    }
    uint16_t fcs = 0x7FF;
    uint16_t data = static_cast<uint16_t>(bytes[0] << 5);
    for (int bit = 2; bit < 8; ++bit, data = static_cast<uint16_t>(data << 1))
        fcs = static_cast<uint16_t>((((fcs ^ data) & 0x400) ? (fcs << 1) ^ 0xF35 : fcs << 1) & 0x7FF);
    for (int i = 1; i < 13; ++i) {
        data = static_cast<uint16_t>(bytes[i] << 3);
        for (int bit = 0; bit < 8; ++bit, data = static_cast<uint16_t>(data << 1))
            fcs = static_cast<uint16_t>((((fcs ^ data) & 0x400) ? (fcs << 1) ^ 0xF35 : fcs << 1) & 0x7FF);
    }
    return fcs;
}

std::string Digits(Wide value, int count)
{
    std::string text(static_cast<size_t>(count), '0');
    for (int i = count - 1; i >= 0; --i, value /= 10)
        text[static_cast<size_t>(i)] = static_cast<char>('0' + static_cast<int>(value % 10));
    return text;
}

// The 31 digits (tracking, then routing) the bars carry, or nothing when they are not a valid code.
std::optional<std::string> ReadBars(const std::string& letters)
{
    if (letters.size() != 65)
        return std::nullopt;
    std::array<int, 130> bits{};
    for (size_t i = 0; i < 65; ++i) {
        bits[i] = letters[i] == 'F' || letters[i] == 'D';
        bits[i + 65] = letters[i] == 'F' || letters[i] == 'A';
    }
    static const std::vector<uint16_t> five = NOf13Table(5, 1287);
    static const std::vector<uint16_t> two = NOf13Table(2, 78);
    std::array<int, 10> codewords{};
    uint16_t fcs = 0;
    for (int i = 0; i < 10; ++i) {
        uint16_t character = 0;
        for (int j = 0; j < 13; ++j)
            character |= static_cast<uint16_t>(bits[BarOfCharacterBit[13 * i + j] - 1] << j);
        if (std::popcount(character) != 5 && std::popcount(character) != 2) {
            character = static_cast<uint16_t>(0x1FFF - character);
            fcs |= static_cast<uint16_t>(1u << i);
        }
        int codeword = -1;
        for (size_t k = 0; k < five.size(); ++k)
            if (five[k] == character)
                codeword = static_cast<int>(k);
        for (size_t k = 0; k < two.size(); ++k)
            if (two[k] == character)
                codeword = 1287 + static_cast<int>(k);
        if (codeword < 0)
            return std::nullopt;
        codewords[static_cast<size_t>(i)] = codeword;
    }
    if (codewords[0] >= 659) {
        codewords[0] -= 659;
        fcs |= 0x400;
    }
    if (codewords[9] % 2 != 0)
        return std::nullopt;
    codewords[9] /= 2;
    Wide value = static_cast<Wide>(codewords[0]);
    for (int i = 1; i < 9; ++i)
        value = value * 1365 + static_cast<Wide>(codewords[static_cast<size_t>(i)]);
    value = value * 636 + static_cast<Wide>(codewords[9]);
    if (FrameCheck(value) != fcs)
        return std::nullopt;

    std::string tracking(20, '0');
    for (int i = 19; i >= 2; --i, value /= 10)
        tracking[static_cast<size_t>(i)] = static_cast<char>('0' + static_cast<int>(value % 10));
    tracking[1] = static_cast<char>('0' + static_cast<int>(value % 5));
    value /= 5;
    tracking[0] = static_cast<char>('0' + static_cast<int>(value % 10));
    value /= 10;
    if (value == 0)
        return tracking;
    if (value <= 100000)
        return tracking + Digits(value - 1, 5);
    if (value <= 1000100000)
        return tracking + Digits(value - 100001, 9);
    return tracking + Digits(value - 1000100001, 11);
}

// ---- the encoder -------------------------------------------------------------------------------

struct PublishedExample {
    const char* Name;
    const char* Tracking;
    const char* Routing;
    const char* Bars;
};

class IntelligentMailExample : public ::testing::TestWithParam<PublishedExample> {};

TEST_P(IntelligentMailExample, EncodesAsPublishedAndReadsBack)
{
    const PublishedExample& row = GetParam();
    auto bars = EncodeIntelligentMail(row.Tracking, row.Routing);
    ASSERT_TRUE(bars.Ok()) << bars.Message();
    ASSERT_EQ(bars->size(), 65u);
    EXPECT_EQ(IntelligentMailLetters(*bars), row.Bars);
    EXPECT_EQ(ReadBars(IntelligentMailLetters(*bars)), std::string(row.Tracking) + row.Routing);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, IntelligentMailExample,
    ::testing::Values(PublishedExample{"NoRouting", "01234567094987654321", "",
                                       "ATTFATTDTTADTAATTDTDTATTDAFDDFADFDFTFFFFFTATFAAAATDFFTDAADFTFDTDT"},
                      PublishedExample{"Zip5", "01234567094987654321", "01234",
                                       "DTTAFADDTTFTDTFTFDTDDADADAFADFATDDFTAAAFDTTADFAAATDFDTDFADDDTDFFT"},
                      PublishedExample{"Zip9", "01234567094987654321", "012345678",
                                       "ADFTTAFDTTTTFATTADTAAATFTFTATDAAAFDDADATATDTDTTDFDTDATADADTDFFTFA"},
                      PublishedExample{"Zip11", "01234567094987654321", "01234567891",
                                       "AADTFFDFTDADTAADAATFDTDDAAADDTDTTDAFADADDDTFFFDDTTTADFAAADFTDAADA"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(IntelligentMailTest, OurOwnCodesReadBackToTheirDigits)
{
    // Both Mailer ID lengths, every routing length, digits at their extremes.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"00040123456200800001", "12345"},       {"00040123456200800002", "123456789"},
        {"14999999999999999999", "99999999999"}, {"00000000000000000000", ""},
        {"00040912345678000001", "00000"},       {"04270999999999999999", "999999999"},
    };
    for (const auto& [tracking, routing] : cases) {
        auto bars = EncodeIntelligentMail(tracking, routing);
        ASSERT_TRUE(bars.Ok()) << tracking << " " << routing << ": " << bars.Message();
        EXPECT_EQ(ReadBars(IntelligentMailLetters(*bars)), tracking + routing) << tracking;
    }
}

TEST(IntelligentMailTest, WrongInputIsRefusedWithItsReason)
{
    struct Bad {
        const char* Tracking;
        const char* Routing;
        const char* Reason;
    };
    for (const Bad& bad : {Bad{"0123456709498765432", "", "tracking code must be 20 digits"},
                           Bad{"0123456709498765432A", "", "tracking code must be 20 digits"},
                           Bad{"05234567094987654321", "", "second digit of the barcode ID"},
                           Bad{"01234567094987654321", "1234", "routing code must be 0, 5, 9 or 11"},
                           Bad{"01234567094987654321", "1234567890", "routing code must be"}}) {
        auto bars = EncodeIntelligentMail(bad.Tracking, bad.Routing);
        ASSERT_FALSE(bars.Ok()) << bad.Tracking << " " << bad.Routing;
        EXPECT_NE(bars.Message().find(bad.Reason), std::string::npos) << bars.Message();
    }
}

TEST(IntelligentMailTest, FieldsMakeTheTrackingCodeOrNameWhatIsWrong)
{
    IntelligentMailFields fields{"00", "040", "123456", "200800001", ""};
    EXPECT_EQ(*IntelligentMailTrackingCode(fields), "00040123456200800001");
    fields.MailerId = "912345678";
    fields.SerialNumber = "000001";
    EXPECT_EQ(*IntelligentMailTrackingCode(fields), "00040912345678000001");

    struct Bad {
        IntelligentMailFields Fields;
        const char* Reason;
    };
    for (const Bad& bad : {Bad{{"0", "040", "123456", "200800001", ""}, "barcode ID must be 2 digits"},
                           Bad{{"07", "040", "123456", "200800001", ""}, "second digit"},
                           Bad{{"00", "40", "123456", "200800001", ""}, "service type ID"},
                           Bad{{"00", "040", "12345", "200800001", ""}, "Mailer ID must be 6 or 9"},
                           Bad{{"00", "040", "123456789", "000001", ""}, "9-digit Mailer ID begins with 9"},
                           Bad{{"00", "040", "923456", "200800001", ""}, "6-digit Mailer ID"},
                           Bad{{"00", "040", "123456", "000001", ""}, "serial number must be 9 digits"}}) {
        auto code = IntelligentMailTrackingCode(bad.Fields);
        ASSERT_FALSE(code.Ok()) << bad.Reason;
        EXPECT_NE(code.Message().find(bad.Reason), std::string::npos) << code.Message();
    }

    EXPECT_EQ(*IntelligentMailSerialText("123456", 42), "000000042");
    EXPECT_EQ(*IntelligentMailSerialText("912345678", 42), "000042");
    EXPECT_FALSE(IntelligentMailSerialText("912345678", 1000000).Ok());
}

TEST(IntelligentMailTest, TheRoutingCodeComesFromFiveOrNineDigitZips)
{
    EXPECT_EQ(IntelligentMailRoutingOfZip("12345"), "12345");
    EXPECT_EQ(IntelligentMailRoutingOfZip(" 12345-6789 "), "123456789");
    EXPECT_EQ(IntelligentMailRoutingOfZip("123456789"), "123456789");
    for (const char* none : {"", "1234", "12345-678", "K1A 0B1", "12345 6789", "1234a"})
        EXPECT_EQ(IntelligentMailRoutingOfZip(none), "") << none;
}

TEST(IntelligentMailTest, BarsSitAtTheNominalPitchWidthAndHeights)
{
    auto bars = EncodeIntelligentMail("01234567094987654321", "01234567891");
    ASSERT_TRUE(bars.Ok());
    const std::vector<QRectF> rects = IntelligentMailBarRects(*bars, QPointF(1.0, 2.0));
    ASSERT_EQ(rects.size(), 65u);
    const std::string letters = IntelligentMailLetters(*bars);
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_NEAR(rects[i].left(), 1.0 + static_cast<double>(i) / 22.0, 1e-9);
        EXPECT_NEAR(rects[i].width(), 0.020, 1e-9);
        const double expected = letters[i] == 'F' ? 0.145 : letters[i] == 'T' ? 0.048 : 0.0965;
        EXPECT_NEAR(rects[i].height(), expected, 1e-9) << i << letters[i];
        if (letters[i] == 'F' || letters[i] == 'A') {
            EXPECT_NEAR(rects[i].top(), 2.0, 1e-9);
        }
        if (letters[i] == 'F' || letters[i] == 'D') {
            EXPECT_NEAR(rects[i].bottom(), 2.145, 1e-9);
        }
    }
    EXPECT_NEAR(rects.back().right() - rects.front().left(), IntelligentMailSymbolLength, 1e-9);
    EXPECT_NEAR(IntelligentMailSymbolLength, 2.929, 0.001);
}

TEST(IntelligentMailTest, TheHumanReadableLineSplitsTheFields)
{
    EXPECT_EQ(IntelligentMailHumanReadable("00040123456200800001", "123456789"),
              "00 040 123456 200800001 123456789");
    EXPECT_EQ(IntelligentMailHumanReadable("00040912345678000001", ""), "00 040 912345678 000001");
}

} // namespace
} // namespace corvane
