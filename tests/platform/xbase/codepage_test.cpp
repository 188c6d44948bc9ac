#include "platform/xbase/CodePage.h"

#include <gtest/gtest.h>

namespace xbase {
namespace {

struct CharacterCase {
    const char* Name;
    uint8_t Mark;
    std::string Utf8;
    uint8_t Byte;
};

class CodePageCharacters : public ::testing::TestWithParam<CharacterCase> {};

TEST_P(CodePageCharacters, MapBothWays)
{
    const CharacterCase& c = GetParam();
    const CodePage page = CodePage::FromMark(c.Mark);
    auto bytes = page.FromUtf8("a" + c.Utf8 + "z", "test");
    ASSERT_TRUE(bytes.Ok()) << bytes.Message();
    EXPECT_EQ(*bytes, std::string("a") + static_cast<char>(c.Byte) + "z");
    EXPECT_EQ(page.ToUtf8(*bytes), "a" + c.Utf8 + "z");
}

INSTANTIATE_TEST_SUITE_P(
    Characters, CodePageCharacters,
    ::testing::Values(
        CharacterCase{"Euro1252", 0x03, "€", 0x80}, CharacterCase{"SCaron1252", 0x03, "š", 0x9A},
        CharacterCase{"YDiaeresis1252", 0x03, "Ÿ", 0x9F},
        CharacterCase{"NoBreakSpace1252", 0x03, "\u00A0", 0xA0}, CharacterCase{"SharpS1252", 0x03, "ß", 0xDF},
        CharacterCase{"UUmlaut1252", 0x03, "ü", 0xFC}, CharacterCase{"EAcute437", 0x01, "é", 0x82},
        CharacterCase{"Shade437", 0x01, "░", 0xB0}, CharacterCase{"Sigma437", 0x01, "Σ", 0xE4},
        CharacterCase{"NoBreakSpace437", 0x01, "\u00A0", 0xFF}, CharacterCase{"OSlash850", 0x02, "Ø", 0x9D},
        CharacterCase{"AGrave850", 0x02, "À", 0xB7}, CharacterCase{"ATilde850", 0x02, "ã", 0xC6},
        CharacterCase{"DotlessI850", 0x02, "ı", 0xD5}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CodePage, EveryByteRoundTrips)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    for (uint8_t mark : {0x01, 0x02, 0x03}) {
        const CodePage page = CodePage::FromMark(mark);
        auto back = page.FromUtf8(page.ToUtf8(all), "test");
        ASSERT_TRUE(back.Ok()) << back.Message();
        EXPECT_EQ(*back, all) << page.Number();
    }
}

TEST(CodePage, MarksNameTheirCodePage)
{
    for (auto [mark, number] : std::vector<std::pair<uint8_t, int>>{{0x03, 1252},
                                                                    {0x57, 1252},
                                                                    {0x58, 1252},
                                                                    {0x59, 1252},
                                                                    {0x00, 1252},
                                                                    {0xC8, 1252},
                                                                    {0x01, 437},
                                                                    {0x02, 850}}) {
        EXPECT_EQ(CodePage::FromMark(mark).Number(), number) << int{mark};
    }
    EXPECT_EQ(CodePage::Windows1252().Mark(), 0x03);
    EXPECT_EQ(CodePage::FromMark(0x57).Mark(), 0x03);
    EXPECT_EQ(CodePage::FromMark(0x01).Mark(), 0x01);
    EXPECT_EQ(CodePage::FromMark(0x02).Mark(), 0x02);
}

struct BadTextCase {
    const char* Name;
    uint8_t Mark;
    std::string Utf8;
    const char* Message;
};

class CodePageRejects : public ::testing::TestWithParam<BadTextCase> {};

TEST_P(CodePageRejects, NamingWhatAndWhy)
{
    auto bytes = CodePage::FromMark(GetParam().Mark).FromUtf8(GetParam().Utf8, "Field LNAME");
    ASSERT_FALSE(bytes.Ok());
    EXPECT_EQ(bytes.Message(), GetParam().Message);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CodePageRejects,
    ::testing::Values(
        BadTextCase{"Omega1252", 0x03, "Ohm Ω",
                    "Field LNAME: character \"Ω\" (U+03A9) cannot be stored in code page 1252"},
        BadTextCase{"Euro437", 0x01, "5 €",
                    "Field LNAME: character \"€\" (U+20AC) cannot be stored in code page 437"},
        BadTextCase{
            "Emoji850", 0x02, "\xF0\x9F\x98\x80",
            "Field LNAME: character \"\xF0\x9F\x98\x80\" (U+1F600) cannot be stored in code page 850"},
        BadTextCase{"TruncatedSequence", 0x03, "ab\xC3",
                    "Field LNAME: the text is not valid UTF-8 (byte 0xC3 at position 2)"},
        BadTextCase{"Overlong", 0x03, "\xC0\xAF",
                    "Field LNAME: the text is not valid UTF-8 (byte 0xC0 at position 0)"},
        BadTextCase{"Surrogate", 0x03, "\xED\xA0\x80",
                    "Field LNAME: the text is not valid UTF-8 (byte 0xED at position 0)"},
        BadTextCase{"StrayContinuation", 0x03, "a\x80",
                    "Field LNAME: the text is not valid UTF-8 (byte 0x80 at position 1)"},
        BadTextCase{"Latin1Byte", 0x03, "M\xFCller",
                    "Field LNAME: the text is not valid UTF-8 (byte 0xFC at position 1)"},
        BadTextCase{"BeyondUnicode", 0x03, "\xF4\x90\x80\x80",
                    "Field LNAME: the text is not valid UTF-8 (byte 0xF4 at position 0)"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct UpperCase {
    const char* Name;
    uint8_t Mark;
    uint8_t Lower;
    uint8_t Upper;
};

class CodePageUpper : public ::testing::TestWithParam<UpperCase> {};

TEST_P(CodePageUpper, KeepsOneByte)
{
    const CodePage page = CodePage::FromMark(GetParam().Mark);
    EXPECT_EQ(page.Upper(GetParam().Lower), GetParam().Upper);
    std::string text = {'x', static_cast<char>(GetParam().Lower)};
    page.UpperInPlace(text);
    EXPECT_EQ(text, (std::string{'X', static_cast<char>(GetParam().Upper)}));
}

INSTANTIATE_TEST_SUITE_P(
    Letters, CodePageUpper,
    ::testing::Values(
        UpperCase{"AsciiA", 0x03, 'a', 'A'}, UpperCase{"AsciiZ", 0x03, 'z', 'Z'},
        UpperCase{"AlreadyUpper", 0x03, 'Q', 'Q'}, UpperCase{"Digit", 0x03, '7', '7'},
        UpperCase{"Brace", 0x03, '{', '{'}, UpperCase{"AGrave1252", 0x03, 0xE0, 0xC0},
        UpperCase{"UUmlaut1252", 0x03, 0xFC, 0xDC}, UpperCase{"Thorn1252", 0x03, 0xFE, 0xDE},
        UpperCase{"Division1252Stays", 0x03, 0xF7, 0xF7}, UpperCase{"SharpS1252Stays", 0x03, 0xDF, 0xDF},
        UpperCase{"Micro1252Stays", 0x03, 0xB5, 0xB5}, UpperCase{"SCaron1252", 0x03, 0x9A, 0x8A},
        UpperCase{"OE1252", 0x03, 0x9C, 0x8C}, UpperCase{"ZCaron1252", 0x03, 0x9E, 0x8E},
        UpperCase{"YDiaeresis1252", 0x03, 0xFF, 0x9F}, UpperCase{"UnmarkedIs1252", 0x00, 0xE9, 0xC9},
        UpperCase{"UUmlaut437", 0x01, 0x81, 0x9A}, UpperCase{"EAcute437", 0x01, 0x82, 0x90},
        UpperCase{"NTilde437", 0x01, 0xA4, 0xA5}, UpperCase{"AGrave437HasNoPartner", 0x01, 0x85, 0x85},
        UpperCase{"SharpS437Stays", 0x01, 0xE1, 0xE1}, UpperCase{"AGrave850", 0x02, 0x85, 0xB7},
        UpperCase{"YAcute850", 0x02, 0xEC, 0xED}, UpperCase{"DotlessI850Stays", 0x02, 0xD5, 0xD5}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace xbase
