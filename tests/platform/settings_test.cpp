#include "platform/Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/RecentFiles.h"
#include "core/TagId.h"
#include "platform/settings/IniFile.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

using xbase::testing::ReadBytes;
using xbase::testing::ScratchFolder;
using xbase::testing::WriteBytes;

TEST(IniFile, KeepsTheFileAsWrittenAndFindsKeysWithoutCase)
{
    const std::string text =
        "; written by hand\r\n[Envelope "
        "Feed]\r\nFeedMethod=2\r\n\r\n[Misc]\r\nGettingStarted=1\r\nGlobalTagId=B1A2C3D\r\n";
    IniFile file = IniFile::Parse(text);
    EXPECT_EQ(file.Text(), text) << "an unchanged file is written back byte for byte";
    EXPECT_EQ(file.ReadInteger("envelope feed", "feedmethod", 0), 2);
    EXPECT_TRUE(file.ReadBool("Misc", "GettingStarted", false));
    EXPECT_EQ(file.ReadString("Misc", "Missing", "fallback"), "fallback");
    EXPECT_EQ(file.ReadInteger("Misc", "GlobalTagId", 7), 7) << "text is no integer";

    file.WriteBool("Envelope Feed", "Rotate", true);
    file.WriteString("Misc", "GlobalTagId", "NEW");
    file.WriteInteger("TAddressMain_Placement", "Left", -4);
    EXPECT_EQ(file.Text(), "; written by hand\r\n[Envelope "
                           "Feed]\r\nFeedMethod=2\r\nRotate=1\r\n\r\n[Misc]\r\nGettingStarted=1\r\n"
                           "GlobalTagId=NEW\r\n\r\n[TAddressMain_Placement]\r\nLeft=-4\r\n");
}

TEST(IniFile, LinesEndingInLfAloneAreRead)
{
    IniFile file = IniFile::Parse("[Adding]\nPlugDate=1\nDefaultCountry = USA \n");
    EXPECT_TRUE(file.ReadBool("Adding", "PlugDate", false));
    EXPECT_EQ(file.ReadString("Adding", "DefaultCountry", ""), "USA");
}

TEST(Settings, EachWriteReachesTheFileAndAMissingFileReadsEmpty)
{
    ScratchFolder folder;
    Settings settings(folder.File("CORVAN.ini"));
    EXPECT_EQ(settings.ReadInteger("Editing", "AggressiveSave", 1), 1);
    ASSERT_TRUE(settings.WriteInteger("Editing", "AggressiveSave", 2));
    ASSERT_TRUE(settings.WriteBool("Adding", "PlugDate", false));
    EXPECT_EQ(ReadBytes(folder.File("CORVAN.ini")),
              "[Editing]\r\nAggressiveSave=2\r\n\r\n[Adding]\r\nPlugDate=0\r\n");
    // Another writer changes the file: the next read sees it.
    WriteBytes(folder.File("CORVAN.ini"), "[Editing]\r\nAggressiveSave=0\r\n");
    EXPECT_EQ(settings.ReadInteger("Editing", "AggressiveSave", 1), 0);
}

TEST(RecentFiles, MostRecentFirstAtMostFour)
{
    ScratchFolder folder;
    Settings settings(folder.File("CORVAN.ini"));
    EXPECT_TRUE(GetMRUList(settings).empty());
    EXPECT_EQ(GetMRUFile(settings), "");
    PutMRUList(settings, {"A", "B", "C", "D"});
    EXPECT_EQ(UpdateMRUList(settings, "B"), (std::vector<std::string>{"B", "A", "C", "D"}));
    EXPECT_EQ(UpdateMRUList(settings, "E"), (std::vector<std::string>{"E", "B", "A", "C"}));
    EXPECT_EQ(UpdateMRUList(settings, "e"), (std::vector<std::string>{"e", "E", "B", "A"}))
        << "case-sensitive";
    EXPECT_EQ(GetMRUList(settings), (std::vector<std::string>{"e", "E", "B", "A"}));
    EXPECT_EQ(settings.ReadString("MRU", "Item1"), "e");
}

struct TagIdCase {
    const char* Name;
    int Year, Month, Day, Hour, Minute, Second;
    const char* Expected;
};

class TagIdTest : public ::testing::TestWithParam<TagIdCase> {};

TEST_P(TagIdTest, IsBase36OfYearThenOfTheTimeDigits)
{
    const TagIdCase& c = GetParam();
    std::tm time{};
    time.tm_year = c.Year - 1900;
    time.tm_mon = c.Month - 1;
    time.tm_mday = c.Day;
    time.tm_hour = c.Hour;
    time.tm_min = c.Minute;
    time.tm_sec = c.Second;
    EXPECT_EQ(NewTagId(time), c.Expected);
}

// 2026 - 1995 = 31 = "V"; 1210051530 in base 36 is K0FLQI.
INSTANTIATE_TEST_SUITE_P(
    Times, TagIdTest,
    ::testing::Values(TagIdCase{"December2026", 2026, 12, 10, 5, 15, 30, "VK0FLQI"},
                      TagIdCase{"NewYear1997", 1997, 1, 1, 0, 0, 0, "21O4S3K"},
                      TagIdCase{"Year2031HasEightCharacters", 2031, 7, 4, 12, 0, 0, "10BN7QGW"}),
    [](const ::testing::TestParamInfo<TagIdCase>& info) { return std::string(info.param.Name); });

TEST(TagId, Base36LeavesOutLeadingZeros)
{
    EXPECT_EQ(Base36(0), "");
    EXPECT_EQ(Base36(35), "Z");
    EXPECT_EQ(Base36(36), "10");
    EXPECT_EQ(Base36(36ULL * 36 * 36 * 36 * 36 * 36 - 1), "ZZZZZZ");
}

TEST(TagId, CurrentIdIsMadeOnceAndClearingMakesANewOne)
{
    ScratchFolder folder;
    Settings settings(folder.File("CORVAN.ini"));
    std::string first = CurrentTagId(settings);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(settings.ReadString("Misc", "GlobalTagId"), first);
    EXPECT_EQ(CurrentTagId(settings), first);
    settings.WriteString("Misc", "GlobalTagId", "OLDID");
    std::string cleared = ClearTags(settings);
    EXPECT_NE(cleared, "OLDID");
    EXPECT_EQ(CurrentTagId(settings), cleared);
    EXPECT_NE(ClearTags(settings), cleared) << "two clears within one second";
}

} // namespace
} // namespace corvane
