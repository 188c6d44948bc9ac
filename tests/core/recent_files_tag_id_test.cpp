#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "core/RecentFiles.h"
#include "core/TagId.h"
#include "platform/Settings.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

using xbase::testing::ScratchFolder;

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
