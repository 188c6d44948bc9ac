#include "platform/Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

} // namespace
} // namespace corvane
