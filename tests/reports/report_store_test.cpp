// Report definitions in REPORT.DBF: the list, layout file names never handed out twice, Clone
// and Delete keeping each layout file with its row.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/SystemTables.h"
#include "platform/ProgramDirectory.h"
#include "reports/ReportStore.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

class ReportStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(OpenReportTable(FTable)); }

    std::string Sysdata() const { return SystemDataDirectory(); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Sysdata() + name); }
    void WriteFile(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Sysdata() + name, std::ios::binary) << bytes;
    }
    void AddRow(const std::string& description, const std::string& binary, bool deleted = false)
    {
        ASSERT_TRUE(FTable.AppendBlank());
        ASSERT_TRUE(FTable.PutField("DESCRIPT", description));
        ASSERT_TRUE(FTable.PutField("LAYOUT", "Letter Size, Portrait"));
        ASSERT_TRUE(FTable.PutField("BINARY", binary));
        if (deleted) {
            ASSERT_TRUE(FTable.Delete());
        }
        ASSERT_TRUE(FTable.Commit());
    }

    testing::ScratchHome FHome;
    xbase::Table FTable;
};

TEST_F(ReportStoreTest, ListsRowsNotDeletedInDescriptionOrder)
{
    AddRow("Zeta", "BIN00001.R");
    AddRow("alpha", "BIN00002.R");
    AddRow("Gone", "BIN00003.R", true);
    ReportStore store(FTable);
    auto list = store.List();
    ASSERT_TRUE(list) << list.Message();
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ((*list)[0].Description, "alpha");
    EXPECT_EQ((*list)[1].Description, "Zeta");
    EXPECT_EQ(FTable.Query(), "not DELETED()");
}

TEST_F(ReportStoreTest, NewNamesSkipFilesAndEveryRowDeletedOrNot)
{
    WriteFile("BIN00001.R", "x");
    WriteFile("BIN00003.R", "x");
    ReportStore store(FTable);
    EXPECT_EQ(*store.NextBinaryName(), "BIN00002.R");
    AddRow("Gone", "BIN00002.R", true);
    ASSERT_TRUE(store.ShowList());
    EXPECT_EQ(*store.NextBinaryName(), "BIN00004.R");
}

TEST_F(ReportStoreTest, CloneCopiesTheLayoutUnderAFreshName)
{
    WriteFile("BIN00001.R", "layout bytes");
    AddRow(std::string(55, 'D'), "BIN00001.R");
    ReportStore store(FTable);
    ASSERT_TRUE(store.Find(QString(55, 'D')));
    auto clone = store.CloneCurrent();
    ASSERT_TRUE(clone) << clone.Message();
    EXPECT_EQ(clone->Binary, "BIN00002.R");
    EXPECT_EQ(clone->Description, "Clone of " + QString(51, 'D'));
    EXPECT_EQ(clone->Layout, "Letter Size, Portrait");
    std::ifstream copied(Sysdata() + "BIN00002.R");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copied), {}), "layout bytes");
    auto list = store.List();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->size(), 2u);
    EXPECT_EQ(CloneReportQuestion("Monthly"), "Clone \"Monthly\"?");
}

TEST_F(ReportStoreTest, DeleteRemovesRowAndFileAndToleratesAMissingFile)
{
    WriteFile("BIN00001.R", "x");
    AddRow("Kept file", "BIN00001.R");
    AddRow("No file", "BIN00002.R");
    ReportStore store(FTable);
    ASSERT_TRUE(store.Find("kept file"));
    ASSERT_TRUE(store.DeleteCurrent());
    EXPECT_FALSE(Exists("BIN00001.R"));
    ASSERT_TRUE(store.Find("No file"));
    EXPECT_TRUE(store.DeleteCurrent());
    auto list = store.List();
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->empty());
    EXPECT_TRUE(store.Empty());
    // The deleted rows keep their names taken.
    EXPECT_EQ(*store.NextBinaryName(), "BIN00003.R");
    EXPECT_EQ(DeleteReportQuestion("Monthly"), "Delete \"Monthly\"?");
}

} // namespace
} // namespace corvane
