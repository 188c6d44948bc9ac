// The import and export windows offscreen, each driven through its steps over a small address
// file: captions, enabling, the match windows' grids and menus, the run and its messages.

#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>

#include "core/FieldCatalogue.h"
#include "importexport/AsciiSample.h"
#include "importexport/SourceTable.h"
#include "importexport/windows/FieldMatchPanel.h"
#include "importexport/windows/TAsciiImport.h"
#include "importexport/windows/TAsciiMatch.h"
#include "importexport/windows/TCopyOut.h"
#include "importexport/windows/TDBFImport.h"
#include "importexport/windows/TDBFMatch.h"
#include "importexport/windows/TImportOlder.h"
#include "platform/MessageService.h"
#include "support/AddressTableFixture.h"

namespace corvane {
namespace {

using testing::Column;
using xbase::testing::ReadBytes;
using xbase::testing::WriteBytes;
using Strings = std::vector<std::string>;

class ImportWindowTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        FPath = FScratch.File("people.dbf");
        testing::MakeAddressFile(FPath, {{{"LNAME", "Existing"}, {"CITY", "Bath"}}});
    }

    std::vector<std::string> LastNames()
    {
        xbase::Table table;
        EXPECT_TRUE(table.Open(FPath));
        EXPECT_EQ(table.ProductionIndexState(), xbase::IndexState::Valid);
        return Column(table, "LNAME");
    }

    xbase::testing::ScratchFolder FScratch;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    std::string FPath;
};

TEST_F(ImportWindowTest, AsciiImportSamplesMatchesAndImports)
{
    const std::string in = FScratch.File("in.csv");
    WriteBytes(in, "Lee,Ann\nDoe,Jo,extra\n");
    TAsciiImport window(FPath, FieldCatalogue());
    EXPECT_EQ(window.windowTitle(), "ASCII File Import");
    EXPECT_EQ(window.FileNameLabel->text(), "(none)");
    EXPECT_FALSE(window.MatchButton->isEnabled());
    window.ChooseFile(QString::fromStdString(FPath));
    EXPECT_EQ(FMessages.Texts(), Strings{"Cannot import a file to itself"});
    EXPECT_FALSE(window.MatchButton->isEnabled());
    window.ChooseFile(QString::fromStdString(in));
    ASSERT_TRUE(window.MatchButton->isEnabled());
    EXPECT_FALSE(window.ImportButton->isEnabled());

    auto sample = SampleAsciiFile(in);
    ASSERT_TRUE(sample);
    MatchModel start(MatchModel::AsciiTargets(FieldCatalogue()),
                     {{"Field 1", SourceKind::Text}, {"Field 2", SourceKind::Text}});
    TAsciiMatch match(start, *sample, QString::fromStdString(in), &window);
    EXPECT_EQ(match.windowTitle(), "ASCII File Import Match Fields");
    EXPECT_EQ(match.SampleGrid->columnCount(), 2);
    EXPECT_EQ(match.SampleGrid->item(1, 0)->text(), "Doe");
    EXPECT_EQ(match.MatchPanel->MatchGrid->horizontalHeaderItem(1)->text(), "Import from Field (in in.csv)");
    QTableWidget* grid = match.MatchPanel->MatchGrid;
    EXPECT_EQ(grid->item(0, 0)->text(), "Last Name");
    grid->setCurrentCell(0, 0);
    std::unique_ptr<QMenu> menu(match.MatchPanel->MakeSelectMenu(nullptr));
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions()[0]->text(), "(none)");
    menu->actions()[1]->trigger(); // Field 1 -> Last Name
    grid->setCurrentCell(1, 0);
    match.MatchPanel->ChooseForCurrentRow(1);
    EXPECT_EQ(grid->item(0, 1)->text(), "Field 1");
    EXPECT_EQ(grid->item(1, 1)->text(), "Field 2");
    window.AcceptMatch(match.Match());
    ASSERT_TRUE(window.ImportButton->isEnabled());

    FMessages.Messages.clear();
    const ImportResult result = window.Import();
    EXPECT_EQ(FMessages.Texts(), Strings{"Import complete. Imported 2 records."});
    EXPECT_FALSE(window.Importing() || window.Rebuilding());
    EXPECT_EQ(result.Imported, 2u);
    EXPECT_EQ(LastNames(), (Strings{"Existing", "Lee", "Doe"}));
}

void MakeSource(const std::string& path)
{
    ASSERT_TRUE(
        xbase::Table::Create(path, {{"LNAME", 'C', 20, 0}, {"ZIP", 'C', 10, 0}, {"NOTES", 'M', 10, 0}}));
    xbase::Table table;
    ASSERT_TRUE(table.Open(path));
    ASSERT_TRUE(table.AppendBlank());
    ASSERT_TRUE(table.PutField("LNAME", "Abel"));
    ASSERT_TRUE(table.PutField("ZIP", "12345"));
    ASSERT_TRUE(table.PutMemo("NOTES", "line one\nline two"));
    ASSERT_TRUE(table.Close());
}

TEST_F(ImportWindowTest, DbfImportMatchesByNameShowsTheTableAndImports)
{
    const std::string from = FScratch.File("src.dbf");
    MakeSource(from);
    TDBFImport window(FPath, FieldCatalogue());
    EXPECT_EQ(window.windowTitle(), "DBF File Import");
    window.ChooseFile(QString::fromStdString(FScratch.File("missing.dbf")));
    EXPECT_EQ(FMessages.Texts(), Strings{"Unable to open the file " + FScratch.File("missing.dbf")});
    EXPECT_EQ(window.FileNameLabel->text(), "(none)");
    window.ChooseFile(QString::fromStdString(from));
    ASSERT_TRUE(window.MatchButton->isEnabled());
    const MatchModel start = window.StartingMatch();

    SourceTable source;
    ASSERT_TRUE(source.Open(from));
    TDBFMatch match(start, source, &window);
    EXPECT_EQ(match.windowTitle(), "DBF File Import Match Fields");
    ASSERT_EQ(match.BrowserGrid->model()->rowCount(), 1);
    EXPECT_EQ(match.BrowserGrid->model()->index(0, 0).data().toString(), "Abel");
    EXPECT_EQ(match.BrowserGrid->model()->index(0, 2).data().toString(), "line one ...");
    QTableWidget* grid = match.MatchPanel->MatchGrid;
    EXPECT_EQ(grid->item(0, 1)->text(), "LNAME");
    const int memoRow = match.Match().RowOfLabel("MEMO");
    EXPECT_EQ(grid->item(memoRow, 1)->text(), "NOTES");
    grid->setCurrentCell(memoRow, 0);
    std::unique_ptr<QMenu> menu(match.MatchPanel->MakeSelectMenu(nullptr));
    ASSERT_EQ(menu->actions().size(), 2); // "(none)" and the one memo
    EXPECT_TRUE(menu->actions()[1]->isChecked());
    match.MatchPanel->ClearAllButtonClick();
    EXPECT_FALSE(match.Match().AnyMatched());

    window.AcceptMatch(start);
    FMessages.Messages.clear();
    EXPECT_EQ(window.Import().Imported, 1u);
    EXPECT_EQ(FMessages.Texts(), Strings{"Import complete. Imported 1 records."});
    EXPECT_EQ(LastNames(), (Strings{"Existing", "Abel"}));
}

TEST_F(ImportWindowTest, ImportOlderChecksTheGenerationAndImports)
{
    const std::string wrong = FScratch.File("wrong.dbf");
    MakeSource(wrong);
    xbase::Table table;
    ASSERT_TRUE(table.Open(FPath));
    TImportOlder window(OlderGeneration::Two, table);
    EXPECT_EQ(window.windowTitle(), "Import Corvane 2.x DBF");
    EXPECT_EQ(window.MatchButton, nullptr);
    window.ChooseFile(QString::fromStdString(wrong));
    EXPECT_EQ(FMessages.Texts(), Strings{wrong + " does not appear to be a Corvane 2.x DBF"});
    EXPECT_FALSE(window.ImportButton->isEnabled());
    window.ChooseFile(QString::fromStdString(FScratch.File("./people.dbf")));
    EXPECT_EQ(FMessages.Texts().back(), "Cannot import a file to itself");

    // An older file: every field of generation 2.
    const std::string old = FScratch.File("old.dbf");
    ASSERT_TRUE(table.CopyStructure(old));
    {
        xbase::Table source;
        ASSERT_TRUE(source.Open(old));
        ASSERT_TRUE(source.AppendBlank());
        ASSERT_TRUE(source.PutField("LNAME", "Older"));
        ASSERT_TRUE(source.Close());
    }
    window.ChooseFile(QString::fromStdString(old));
    ASSERT_TRUE(window.ImportButton->isEnabled());
    FMessages.Messages.clear();
    EXPECT_EQ(window.Import().Imported, 1u);
    EXPECT_EQ(FMessages.Texts(), Strings{"Import complete. Imported 1 records."});
    ASSERT_TRUE(table.Close());
    EXPECT_EQ(LastNames(), (Strings{"Existing", "Older"}));
}

TEST_F(ImportWindowTest, CopyOutRefusesBadNamesAndCopies)
{
    xbase::Table table;
    ASSERT_TRUE(table.Open(FPath));
    ASSERT_TRUE(table.SetQuery("!ISDEL"));
    TCopyOut window(table);
    EXPECT_EQ(window.windowTitle(), "Copy Records Out");
    EXPECT_TRUE(window.DbfChoice->isChecked());
    EXPECT_EQ(window.FileNameLabel->text(), "(none)");
    EXPECT_FALSE(window.SaveTo(QString::fromStdString(FScratch.File("out.txt"))));
    EXPECT_EQ(FMessages.Texts(), Strings{"Must have a .DBF extension"});
    EXPECT_FALSE(window.SaveTo(QString::fromStdString(FPath)));
    EXPECT_EQ(FMessages.Texts().back(), "Cannot copy a file to itself!");

    window.AsciiChoice->setChecked(true);
    const std::string out = FScratch.File("out.txt");
    WriteBytes(out, "old");
    FMessages.Answers = {false};
    EXPECT_FALSE(window.SaveTo(QString::fromStdString(out)));
    EXPECT_EQ(FMessages.Messages.back().Caption, "Warning!");
    EXPECT_EQ(ReadBytes(out), "old");
    FMessages.Answers = {true};
    auto result = window.SaveTo(QString::fromStdString(out));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Exported, 1u);
    EXPECT_EQ(ReadBytes(out).substr(0, 19), "\"\",\"\",\"\",\"Existing\"");
}

} // namespace
} // namespace corvane
