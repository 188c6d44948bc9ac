#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bulkmail/Presort.h"
#include "core/AddressFileLayout.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/Table.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

struct Zips {
    std::string Zip;
    int Count = 1;
    std::string State = "NY";
};

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class PresortFileTest : public ::testing::Test {
  protected:
    // An address file holding `zips`, opened under `query`, tallied and grouped.
    Lines Presort(const std::vector<Zips>& zips, const std::string& query = "")
    {
        const std::string path = FHome.File("mail.dbf");
        std::filesystem::remove(path);
        std::filesystem::remove(FHome.File("mail.fpt"));
        std::filesystem::remove(FHome.File("mail.cdx"));
        EXPECT_TRUE(CreateAddressTable(path, NewAddressFileFields(IniFile::Parse(""))));
        xbase::Table table;
        EXPECT_TRUE(table.Open(path));
        for (const Zips& zip : zips) {
            for (int i = 0; i < zip.Count; ++i) {
                EXPECT_TRUE(table.AppendBlank());
                EXPECT_TRUE(table.PutField("ZIP", zip.Zip));
                EXPECT_TRUE(table.PutField("STATE", zip.State));
            }
        }
        EXPECT_TRUE(table.SetQuery(query));
        auto tally = TallyZipKeys(table);
        EXPECT_TRUE(tally) << tally.Message();
        if (!tally)
            return {};
        EXPECT_FALSE(tally->Cancelled);
        return BuildPresortList(tally->Tally);
    }

    testing::ScratchHome FHome;
};

struct GroupingCase {
    const char* Name;
    std::vector<Zips> Records;
    std::string Query;
    Lines Expected;
};

class PresortGroupingTest : public PresortFileTest, public ::testing::WithParamInterface<GroupingCase> {};

TEST_P(PresortGroupingTest, GroupsKeysInPrintingOrder)
{
    const Lines lines = Presort(GetParam().Records, GetParam().Query);
    EXPECT_EQ(lines, GetParam().Expected);
    // The run reads back whatever the writer makes.
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    const auto read = ParsePresortList(bytes);
    EXPECT_TRUE(read) << read.Message();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PresortGroupingTest,
    ::testing::Values(
        GroupingCase{"TenMakeAFiveDigitGroupNineGoToTheAdc",
                     {{"12345", 10}, {"12346", 9}},
                     "",
                     {"** 5-digit 12345", "12345", "** ADC ALBANY NY 120", "12346"}},
        GroupingCase{"NineAloneAreNoPackage", {{"12345", 9}}, "", {"** ADC ALBANY NY 120", "12345"}},
        GroupingCase{"ElevenUnderOnePrefixMakeAThreeDigitGroup",
                     {{"26105", 5}, {"26101", 6}},
                     "",
                     {"** 3-digit 261", "26101", "26105"}},
        GroupingCase{"NineUnderOnePrefixGoToTheAdc",
                     {{"26101", 5}, {"26105", 4}},
                     "",
                     {"** ADC CLARKSBURG WV 263", "26101", "26105"}},
        GroupingCase{"PrefixInNoRowIsUnknown", {{"21301"}}, "", {"** Unknown", "21301"}},
        GroupingCase{
            "FiveDigitThenThreeDigitThenAdcInTableOrderThenUnknown",
            {{"90001", 10}, {"21301"}, {"02101"}, {"26101", 6}, {"12000"}, {"10001", 12}, {"26105", 5}},
            "",
            {"** 5-digit 10001", "10001", "** 5-digit 90001", "90001", "** 3-digit 261", "26101", "26105",
             "** ADC ALBANY NY 120", "12000", "** ADC BOSTON MA 021", "02101", "** Unknown", "21301"}},
        GroupingCase{"ZipPlusFourCountsUnderItsFiveDigits",
                     {{"12345-6789", 5}, {"12345", 5}},
                     "",
                     {"** 5-digit 12345", "12345"}},
        GroupingCase{
            "BlanksLettersAndEmptyZipsAreLeftOut", {{"  123"}, {"ABCDE"}, {""}, {"K1A 0B1"}}, "", {}},
        GroupingCase{"ShortKeysAreUnknown",
                     {{"1234"}, {"12"}, {"0"}, {"9999Z"}},
                     "",
                     {"** Unknown", "12", "1234"}},
        GroupingCase{"TenUnderAFourDigitPostcodeAreUnknownNeverAGroup",
                     {{"8001", 10}, {"80011", 10}, {"800", 12}},
                     "",
                     {"** 5-digit 80011", "80011", "** Unknown", "800", "8001"}},
        GroupingCase{"LettersCountInUpperCase",
                     {{"12a45", 6}, {"12A45", 6}},
                     "",
                     {"** Unknown", "12A45"}},
        // "1", "1 1" and "20 " are pieces of "120 121 122", never prefixes of the list.
        GroupingCase{"AdcMatchesWholePrefixesOnly",
                     {{"20 12"}, {"1 123"}, {"1"}},
                     "",
                     {"** Unknown", "1", "1 123", "20 12"}},
        GroupingCase{"OnlyTheQuerysRecords",
                     {{"12345", 10, "NY"}, {"26101", 3, "WV"}, {"12346", 2, "WV"}},
                     "STATE = \"WV\"",
                     {"** ADC ALBANY NY 120", "12346", "** ADC CLARKSBURG WV 263", "26101"}},
        GroupingCase{"EmptyScope", {{"12345", 3}}, ".F.", {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(PresortFileTest, CancelStopsTheReading)
{
    const std::string path = FHome.File("mail.dbf");
    ASSERT_TRUE(CreateAddressTable(path, NewAddressFileFields(IniFile::Parse(""))));
    xbase::Table table;
    ASSERT_TRUE(table.Open(path));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(table.AppendBlank());
        ASSERT_TRUE(table.PutField("ZIP", "12345"));
    }
    int seen = 0;
    auto tally = TallyZipKeys(table, [&seen](uint32_t) { return ++seen < 2; });
    ASSERT_TRUE(tally) << tally.Message();
    EXPECT_TRUE(tally->Cancelled);
    EXPECT_EQ(tally->Tally.Digit(1).at("12345").Count, 2u);
}

TEST(AdcTableTest, CoversEveryPrefixButTheUnknownOnesExactlyOnce)
{
    const std::set<int> uncovered = [] {
        std::set<int> prefixes;
        const std::vector<std::pair<int, int>> ranges = {
            {0, 3},     {99, 99},   {213, 213}, {269, 269}, {343, 343}, {345, 345}, {348, 348}, {353, 353},
            {398, 398}, {419, 419}, {428, 429}, {517, 519}, {529, 529}, {533, 533}, {536, 536}, {552, 552},
            {568, 569}, {578, 579}, {589, 589}, {621, 621}, {632, 632}, {642, 643}, {659, 659}, {663, 663},
            {682, 682}, {694, 699}, {702, 702}, {709, 709}, {715, 715}, {732, 732}, {742, 742}, {817, 819},
            {839, 839}, {848, 849}, {851, 851}, {854, 854}, {858, 858}, {861, 862}, {866, 869}, {876, 876},
            {886, 888}, {892, 892}, {896, 896}, {899, 899}, {909, 909}, {929, 929}, {987, 987}};
        for (auto [from, to] : ranges) {
            for (int p = from; p <= to; ++p)
                prefixes.insert(p);
        }
        return prefixes;
    }();
    for (int p = 0; p < 1000; ++p) {
        char prefix[4];
        std::snprintf(prefix, sizeof prefix, "%03d", p);
        int rows = 0;
        for (const AdcRow& row : AdcTable())
            rows += AdcRowServes(row, prefix) ? 1 : 0;
        EXPECT_EQ(rows, uncovered.count(p) ? 0 : 1) << prefix;
    }
    EXPECT_EQ(AdcTable().front().Name, "ALBANY NY 120");
    EXPECT_EQ(AdcTable()[25].Name, "FARGO ND  580");
    EXPECT_EQ(AdcTable()[93].Prefixes, "054 050 053 051 052");
    EXPECT_EQ(AdcTable().back().Name, "WILMINGTON DE 197");
}

TEST_F(PresortFileTest, WritesCrLfLinesInTheProgramDirectoryReplacingTheOldList)
{
    const std::string path = PresortListPath();
    EXPECT_EQ(path, FHome.File("PRESORT.PSL"));
    {
        std::ofstream old(path, std::ios::binary);
        old << "old and longer than the new list\r\n";
    }
    ASSERT_TRUE(WritePresortList({"** Unknown", "21301"}, path));
    EXPECT_EQ(FileBytes(path), "** Unknown\r\n21301\r\n");
    ASSERT_TRUE(WritePresortList({}, path));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(FileBytes(path), "");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(PresortFileTest, WriteFailuresAreReportedAndKeepTheOldList)
{
    EXPECT_FALSE(WritePresortList({"** Unknown", "21301"}, FHome.File("missing/PRESORT.PSL")));
    // A folder where the list should be: the rename fails and nothing is left behind.
    const std::string folder = FHome.File("PRESORT.PSL");
    std::filesystem::create_directory(folder);
    std::filesystem::create_directory(folder + "/inside");
    const Status written = WritePresortList({"** Unknown", "21301"}, folder);
    EXPECT_FALSE(written);
    EXPECT_NE(written.Message().find("PRESORT.PSL"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/inside"));
    EXPECT_FALSE(std::filesystem::exists(folder + ".tmp"));
}

TEST_F(PresortFileTest, ReadsBackTheGroupsItWrote)
{
    const Lines lines = Presort({{"90001", 10}, {"21301"}, {"02101"}, {"26101", 6}, {"26105", 5}, {"1"}});
    ASSERT_TRUE(WritePresortList(lines, PresortListPath()));
    auto groups = ReadPresortList(PresortListPath());
    ASSERT_TRUE(groups) << groups.Message();
    const std::vector<PresortGroup> expected = {{"** 5-digit 90001", {"90001"}},
                                                {"** 3-digit 261", {"26101", "26105"}},
                                                {"** ADC BOSTON MA 021", {"02101"}},
                                                {"** Unknown", {"1", "21301"}}};
    EXPECT_EQ(*groups, expected);

    ASSERT_TRUE(WritePresortList({}, PresortListPath()));
    auto none = ReadPresortList(PresortListPath());
    ASSERT_TRUE(none) << none.Message();
    EXPECT_TRUE(none->empty());

    EXPECT_FALSE(ReadPresortList(FHome.File("NOSUCH.PSL")));
}

struct DamagedCase {
    const char* Name;
    std::string Bytes;
};

class PresortReaderDamageTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(PresortReaderDamageTest, IsRefused)
{
    EXPECT_FALSE(ParsePresortList(GetParam().Bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PresortReaderDamageTest,
    ::testing::Values(DamagedCase{"KeyBeforeAnyHeading", "12345\r\n** Unknown\r\n21301\r\n"},
                      DamagedCase{"HeadingWithoutKeys", "** Unknown\r\n** ADC ALBANY NY 120\r\n12345\r\n"},
                      DamagedCase{"LastHeadingWithoutKeys",
                                  "** ADC ALBANY NY 120\r\n12345\r\n** Unknown\r\n"},
                      DamagedCase{"UnknownHeadingKind", "** 4-digit 1234\r\n12345\r\n"},
                      DamagedCase{"FiveDigitHeadingOfFourCharacters", "** 5-digit 1234\r\n12345\r\n"},
                      DamagedCase{"BareLineFeeds", "** Unknown\n21301\n"},
                      DamagedCase{"KeyLongerThanFive", "** Unknown\r\n213011\r\n"},
                      DamagedCase{"KeyOfLetters", "** Unknown\r\nABCDE\r\n"},
                      DamagedCase{"EmptyLine", "** Unknown\r\n\r\n21301\r\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace corvane
