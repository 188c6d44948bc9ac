// Layout file names: never a name any row holds (rows marked deleted too) or a file of sysdata has
// in any case, other kinds' names not in the way, an error when all are taken, and the table's
// cursor given back.

#include <gtest/gtest.h>

#include <fstream>

#include "core/LayoutBinaryNames.h"
#include "core/SystemTables.h"
#include "platform/ProgramDirectory.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

struct NameCase {
    const char* Name;
    std::vector<const char*> Rows;  // BINARY of each row
    std::vector<int> DeletedRows;   // from 1
    std::vector<const char*> Files; // in sysdata
    LayoutKind Kind;
    const char* Expected;
};

class LayoutBinaryName : public ::testing::TestWithParam<NameCase> {};

TEST_P(LayoutBinaryName, SkipsEveryNameARowOrFileHolds)
{
    testing::ScratchHome home;
    xbase::Table table;
    ASSERT_TRUE(OpenEnvelopeTable(table));
    for (const char* binary : GetParam().Rows) {
        ASSERT_TRUE(table.AppendBlank());
        ASSERT_TRUE(table.PutField("BINARY", binary));
        ASSERT_TRUE(table.Commit());
    }
    for (int recno : GetParam().DeletedRows) {
        ASSERT_TRUE(table.GoTo(static_cast<uint32_t>(recno)));
        ASSERT_TRUE(table.Delete());
        ASSERT_TRUE(table.Commit());
    }
    for (const char* file : GetParam().Files)
        std::ofstream(SystemDataDirectory() + file) << "x";
    ASSERT_TRUE(table.SetQuery("not DELETED()"));
    ASSERT_TRUE(table.GoTop());
    const uint32_t before = table.RecordNumber();

    auto name = NextLayoutBinaryName(table, SystemDataDirectory(), GetParam().Kind);
    ASSERT_TRUE(name) << name.Message();
    EXPECT_EQ(*name, GetParam().Expected);
    EXPECT_EQ(table.Query(), "not DELETED()");
    EXPECT_EQ(table.RecordNumber(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Core, LayoutBinaryName,
    ::testing::Values(
        NameCase{"Empty", {}, {}, {}, LayoutKind::Envelope, "BIN00001.E"},
        NameCase{"RowWithoutFile", {"BIN00001.E"}, {}, {}, LayoutKind::Envelope, "BIN00002.E"},
        NameCase{"DeletedRowKeepsItsName",
                 {"BIN00001.E", "BIN00002.E"},
                 {1, 2},
                 {},
                 LayoutKind::Envelope,
                 "BIN00003.E"},
        NameCase{"FileWithoutRowAnyCase", {}, {}, {"bin00001.e"}, LayoutKind::Envelope, "BIN00002.E"},
        NameCase{"GapIsUsed", {"BIN00001.E", "BIN00003.E"}, {}, {}, LayoutKind::Envelope, "BIN00002.E"},
        NameCase{
            "OtherKindsDoNotCount", {"BIN00001.L"}, {}, {"BIN00001.R"}, LayoutKind::Envelope, "BIN00001.E"},
        NameCase{"Report", {}, {}, {"BIN00001.R"}, LayoutKind::Report, "BIN00002.R"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(LayoutBinaryName, AnErrorWhenEveryNameIsTaken)
{
    std::set<std::string> taken;
    for (int number = 1; number <= 99999; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "BIN%05d.E", number);
        taken.insert(name);
    }
    EXPECT_FALSE(FirstFreeLayoutBinaryName(taken, LayoutKind::Envelope));
    taken.erase("BIN54321.E");
    auto last = FirstFreeLayoutBinaryName(taken, LayoutKind::Envelope);
    ASSERT_TRUE(last);
    EXPECT_EQ(*last, "BIN54321.E");
}

} // namespace
} // namespace corvane
