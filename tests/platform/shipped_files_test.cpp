#include "platform/ShippedFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using xbase::testing::ReadBytes;
using xbase::testing::ScratchFolder;
using xbase::testing::WriteBytes;

std::set<std::string> Entries(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A share folder as the build lays it out: the catalogue as one unit of table and index, a picture,
// and the list naming them.
class ShippedFilesTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        fs::create_directories(Share("sysdata"));
        WriteBytes(Share("sysdata/LBLTPL.DBF"), "shipped table");
        WriteBytes(Share("sysdata/LBLTPL.CDX"), "shipped index");
        WriteBytes(Share("sysdata/AV5160.BMP"), "shipped picture");
        WriteList("# comment\nsysdata/LBLTPL.DBF\tsysdata/LBLTPL.CDX\n\nsysdata/AV5160.BMP\r\n");
    }

    std::string Share(const std::string& name) const { return FShare.File(name); }
    std::string Home(const std::string& name) const { return FHome.File(name); }
    void WriteList(const std::string& text) const { WriteBytes(Share(ShippedFilesList), text); }
    SeedReport Seed() const { return SeedProgramDirectory(Share(""), Home("")); }

    ScratchFolder FShare;
    ScratchFolder FHome;
};

TEST_F(ShippedFilesTest, AFreshProgramDirectoryGetsEveryUnit)
{
    const SeedReport report = Seed();
    EXPECT_EQ(report.Copied,
              (std::vector<std::string>{"sysdata/LBLTPL.DBF", "sysdata/LBLTPL.CDX", "sysdata/AV5160.BMP"}));
    EXPECT_TRUE(report.Failed.empty());
    EXPECT_EQ(Entries(Home("sysdata")), (std::set<std::string>{"LBLTPL.DBF", "LBLTPL.CDX", "AV5160.BMP"}));
    EXPECT_EQ(ReadBytes(Home("sysdata/LBLTPL.CDX")), "shipped index");

    // A second start finds everything and copies nothing.
    WriteBytes(Home("sysdata/AV5160.BMP"), "the user's picture");
    EXPECT_TRUE(Seed().Copied.empty());
    EXPECT_EQ(ReadBytes(Home("sysdata/AV5160.BMP")), "the user's picture");
}

TEST_F(ShippedFilesTest, TheUsersFilesInAnyCaseAreKeptAndTheirFolderIsUsed)
{
    fs::create_directories(Home("SYSDATA"));
    WriteBytes(Home("SYSDATA/av5160.bmp"), "the user's picture");

    const SeedReport report = Seed();
    EXPECT_EQ(report.Copied, (std::vector<std::string>{"sysdata/LBLTPL.DBF", "sysdata/LBLTPL.CDX"}));
    EXPECT_EQ(Entries(Home("")), (std::set<std::string>{"SYSDATA"})) << "no second sysdata folder";
    EXPECT_EQ(Entries(Home("SYSDATA")), (std::set<std::string>{"LBLTPL.DBF", "LBLTPL.CDX", "av5160.bmp"}));
    EXPECT_EQ(ReadBytes(Home("SYSDATA/av5160.bmp")), "the user's picture");
}

TEST_F(ShippedFilesTest, AUnitOfWhichTheUserHasAFileIsLeftAlone)
{
    // The user's own catalogue without an index: a shipped index beside it would describe
    // another table.
    fs::create_directories(Home("sysdata"));
    WriteBytes(Home("sysdata/lbltpl.dbf"), "the user's table");

    EXPECT_EQ(Seed().Copied, (std::vector<std::string>{"sysdata/AV5160.BMP"}));
    EXPECT_EQ(Entries(Home("sysdata")), (std::set<std::string>{"lbltpl.dbf", "AV5160.BMP"}));
    EXPECT_EQ(ReadBytes(Home("sysdata/lbltpl.dbf")), "the user's table");
}

TEST_F(ShippedFilesTest, AUnitThatCannotBeCopiedLeavesNothingBehindAndTheOthersStillCome)
{
    fs::remove(Share("sysdata/LBLTPL.CDX"));
    const SeedReport report = Seed();
    ASSERT_EQ(report.Failed.size(), 1u);
    EXPECT_NE(report.Failed[0].find("sysdata/LBLTPL.CDX"), std::string::npos) << report.Failed[0];
    EXPECT_EQ(report.Copied, (std::vector<std::string>{"sysdata/AV5160.BMP"}));
    EXPECT_EQ(Entries(Home("sysdata")), (std::set<std::string>{"AV5160.BMP"}))
        << "neither half of the unit, nor a temporary file";
}

TEST_F(ShippedFilesTest, TheListCannotReachOutsideEitherFolder)
{
    WriteList("../outside.txt\n/etc/hostname\nsysdata/../../escape.txt\nsysdata/AV5160.BMP\n");
    const SeedReport report = Seed();
    EXPECT_EQ(report.Failed.size(), 3u);
    EXPECT_EQ(report.Copied, (std::vector<std::string>{"sysdata/AV5160.BMP"}));
    EXPECT_EQ(Entries(Home("")), (std::set<std::string>{"sysdata"}));
}

TEST_F(ShippedFilesTest, AFileWhereAFolderShouldBeIsTheUsersAndStays)
{
    WriteBytes(Home("SysData"), "a file, not a folder");
    const SeedReport report = Seed();
    EXPECT_TRUE(report.Copied.empty());
    EXPECT_EQ(ReadBytes(Home("SysData")), "a file, not a folder");
}

TEST_F(ShippedFilesTest, NoShareFolderSeedsNothing)
{
    const SeedReport report = SeedProgramDirectory("", Home(""));
    EXPECT_TRUE(report.Copied.empty());
    EXPECT_TRUE(report.Failed.empty());
    EXPECT_TRUE(Entries(Home("")).empty());
}

TEST_F(ShippedFilesTest, TheShareFolderIsTheFirstCandidateHoldingTheList)
{
    ScratchFolder buildTree; // sysdata without the list: a program directory, not a share folder
    fs::create_directories(buildTree.File("sysdata"));
    EXPECT_EQ(FindShareDirectory({"", buildTree.File(""), Share(""), Home("")}), Share(""));
    EXPECT_EQ(FindShareDirectory({buildTree.File("no-such-folder"), buildTree.File("")}), "");
}

} // namespace
} // namespace corvane
