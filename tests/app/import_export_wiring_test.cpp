// The File menu's import commands and "&Export ": on offer with an open file, each opening its
// window; the text and dBase imports have the main window's table closed while they run and
// open again on the first record afterwards, the export leaves the main window on its record.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include <QAction>
#include <QRadioButton>

#include "app/FindingHarness.h"
#include "importexport/windows/TAsciiImport.h"
#include "importexport/windows/TCopyOut.h"
#include "importexport/windows/TImportOlder.h"

namespace corvane {
namespace {

using testing::AnswerModal;
using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "Adams"}, {"CITY", "Bath"}},
    {{"LNAME", "Baker"}, {"CITY", "York"}},
};

class ImportExportWiringTest : public testing::FindingTest {};

TEST_F(ImportExportWiringTest, TheCommandsAreOnOfferWithAnOpenFile)
{
    TAddressMain& window = Start(People);
    const auto& later = TAddressMain::LaterCommands();
    for (const char* name : {"mnuImportDBF", "mnuImportASCII", "mnuImportV1", "mnuImportV2", "mnuExport"}) {
        EXPECT_EQ(std::count(later.begin(), later.end(), std::string(name)), 0) << name;
        EXPECT_TRUE(window.findChild<QAction*>(name)->isEnabled()) << name;
    }
}

TEST_F(ImportExportWiringTest, TheImportWindowsOpenOverTheLentTable)
{
    TAddressMain& window = Start(People);
    bool tableClosed = false;
    QString caption;
    EXPECT_TRUE(AnswerModal(
        [&](QWidget* modal) {
            caption = modal->windowTitle();
            tableClosed = !window.Session().IsOpen();
            static_cast<TAsciiImport*>(modal)->CancelButtonClick();
        },
        [&] { window.findChild<QAction*>("mnuImportASCII")->trigger(); }));
    EXPECT_EQ(caption, "ASCII File Import");
    EXPECT_TRUE(tableClosed);
    ASSERT_TRUE(window.Session().IsOpen());
    EXPECT_EQ(Current("LNAME"), "Adams");

    for (const auto& [command, title] : {std::pair{"mnuImportV1", "Import Corvane 1.x DBF"},
                                         std::pair{"mnuImportV2", "Import Corvane 2.x DBF"}}) {
        EXPECT_TRUE(AnswerModal(
            [&](QWidget* modal) {
                caption = modal->windowTitle();
                static_cast<TImportOlder*>(modal)->CancelButtonClick();
            },
            [&] { window.findChild<QAction*>(command)->trigger(); }));
        EXPECT_EQ(caption, title);
    }
}

TEST_F(ImportExportWiringTest, ExportCopiesTheFilterAndReturnsToTheRecord)
{
    TAddressMain& window = Start(People);
    ASSERT_TRUE(AddressSessionProbe::Table(window.Session()).GoTo(2));
    const std::string out = FHome.File("out.txt");
    std::optional<ExportResult> result;
    EXPECT_TRUE(AnswerModal(
        [&](QWidget* modal) {
            auto* copy = static_cast<TCopyOut*>(modal);
            copy->AsciiChoice->setChecked(true);
            result = copy->SaveTo(QString::fromStdString(out));
        },
        [&] { window.findChild<QAction*>("mnuExport")->trigger(); }));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Exported, 2u);
    EXPECT_EQ(AddressSessionProbe::Table(window.Session()).RecNo(), 2u);
}

} // namespace
} // namespace corvane
