#include "platform/ProgramDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "support/ScratchFolder.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::ScratchHome;
using xbase::testing::ScratchFolder;
using xbase::testing::WriteBytes;

std::set<std::string> Entries(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(ProgramDirectory, HomeGetsDataAndSysdataInTheProgramsSpelling)
{
    ScratchHome home;
    EXPECT_EQ(ProgramDirectory(), home.Path());
    EXPECT_EQ(SettingsFilePath(), home.Path() + "CORVAN.ini");
    EXPECT_EQ(Entries(home.Path()), (std::set<std::string>{"DATA", "sysdata"}));
    EXPECT_EQ(DataDirectory(), home.Path() + "DATA/");
    EXPECT_EQ(SystemDataDirectory(), home.Path() + "sysdata/");
}

TEST(ProgramDirectory, FoldersCopiedFromAnotherSystemAreUsedInTheirOwnCase)
{
    ScratchHome home;
    fs::create_directory(home.File("data"));
    fs::create_directory(home.File("SYSDATA"));
    EXPECT_EQ(DataDirectory(), home.Path() + "data/");
    EXPECT_EQ(SystemDataDirectory(), home.Path() + "SYSDATA/");
    EXPECT_EQ(Entries(home.Path()), (std::set<std::string>{"data", "SYSDATA"})) << "no second folder is made";
}

TEST(ProgramDirectory, AFileNamedLikeTheFolderIsNoFolder)
{
    ScratchHome home;
    WriteBytes(home.File("sysdata.txt"), "x");
    WriteBytes(home.File("Data"), "not a folder");
    EXPECT_EQ(DataDirectory(), home.Path() + "DATA/");
    EXPECT_TRUE(fs::is_directory(home.File("DATA")));
}

TEST(ResolveProgramDirectory, ExecutableFolderWithSysdataInAnyCase)
{
    ScratchFolder executable;
    fs::create_directory(executable.File("SysData"));
    ProgramDirectorySources sources{"", executable.File(""), executable.File("user")};
    EXPECT_EQ(ResolveProgramDirectory(sources), executable.File(""));
    EXPECT_EQ(Entries(executable.File("")), (std::set<std::string>{"DATA", "SysData"}));
}

TEST(ResolveProgramDirectory, UserFolderIsMadeWithItsFolders)
{
    ScratchFolder user;
    ProgramDirectorySources sources{"", "", user.File("deep/corvane")};
    EXPECT_EQ(ResolveProgramDirectory(sources), user.File("deep/corvane/"));
    EXPECT_EQ(Entries(user.File("deep/corvane")), (std::set<std::string>{"DATA", "sysdata"}));
}

} // namespace
} // namespace corvane
