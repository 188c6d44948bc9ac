// "Print &Labels" and the Labels button of the main window: on offer with an open file, the
// "Print Labels" window opened only when the file has records under its query, the calculated
// fields shown while it is open, and the main window's query, order and record put back after it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <QAction>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "app/FindingHarness.h"
#include "labels/windows/TLabelSetupScreen.h"
#include "printing/PrintEngine.h"
#include "printing/PrinterList.h"

namespace corvane {
namespace {

using testing::AnswerModal;
using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "Adams"}, {"FNAME", "John"}, {"ZIP", "62701"}},
    {{"LNAME", "Baker"}, {"FNAME", "Mary"}, {"ZIP", "02108"}},
    {{"LNAME", "Clark"}, {"FNAME", "Anne"}, {"ZIP", "10001"}},
};

class PdfOnlyPrinters : public PrinterSource {
  public:
    QStringList PrinterNames() const override { return {BuiltInPdfPrinterName()}; }
    QString DefaultPrinterName() const override { return BuiltInPdfPrinterName(); }
};

class PrintLabelsWiringTest : public testing::FindingTest {
  protected:
    TAddressMain& StartWithPrinter()
    {
        TAddressMain& window = Start(People);
        window.SetPrinter(std::make_unique<PrintEngine>(std::make_unique<PdfOnlyPrinters>()));
        return window;
    }
    bool FullNameShown() const
    {
        const CatalogueField* field = FWindow->Session().Catalogue().FindByLabel("Full Name");
        return field && field->Visible;
    }
};

TEST_F(PrintLabelsWiringTest, TheCommandIsOnOfferWithAnOpenFile)
{
    TAddressMain& window = StartWithPrinter();
    const auto& later = TAddressMain::LaterCommands();
    for (const char* name : {"LabelsButton", "mnuPrintLabels"})
        EXPECT_EQ(std::count(later.begin(), later.end(), std::string(name)), 0) << name;
    EXPECT_TRUE(window.LabelsButton->isEnabled());
    EXPECT_TRUE(window.findChild<QAction*>("mnuPrintLabels")->isEnabled());
    EXPECT_EQ(window.findChild<QAction*>("mnuPrintLabels")->shortcut(), QKeySequence("Ctrl+L"));
}

TEST_F(PrintLabelsWiringTest, TheWindowOpensWithCalculatedFieldsAndAllRecordsWithoutAFilter)
{
    TAddressMain& window = StartWithPrinter();
    ASSERT_FALSE(FullNameShown());
    QString opened;
    bool fullNameWhileOpen = false;
    bool allChosen = false;
    bool filterOffered = true;
    EXPECT_TRUE(AnswerModal(
        [&](QWidget* modal) {
            opened = modal->objectName();
            fullNameWhileOpen = FullNameShown();
            auto* screen = static_cast<TLabelSetupScreen*>(modal);
            allChosen = screen->AllRecordsRadio->isChecked();
            filterOffered = screen->FilterRecordsRadio->isEnabled();
            screen->close();
        },
        [&] { window.findChild<QAction*>("mnuPrintLabels")->trigger(); }));
    EXPECT_EQ(opened, "TLabelSetupScreen");
    EXPECT_TRUE(fullNameWhileOpen);
    EXPECT_TRUE(allChosen);
    EXPECT_FALSE(filterOffered);
    EXPECT_FALSE(FullNameShown());
}

TEST_F(PrintLabelsWiringTest, NothingOpensWhenTheQueryLetsNoRecordThrough)
{
    TAddressMain& window = StartWithPrinter();
    ASSERT_TRUE(AddressSessionProbe::Table(window.Session()).SetQuery("LNAME = \"Nobody\""));
    EXPECT_FALSE(AnswerModal([](QWidget* modal) { modal->close(); }, [&] { window.LabelsButton->click(); }));
    EXPECT_TRUE(FMessages.Messages.empty());
}

TEST_F(PrintLabelsWiringTest, QueryOrderAndRecordAreTheMainWindowsAgainAfterwards)
{
    TAddressMain& window = StartWithPrinter();
    xbase::Table& table = AddressSessionProbe::Table(window.Session());
    ASSERT_TRUE(window.Session().Next());
    const uint32_t record = table.RecNo();
    const std::string query = table.Query();
    const int order = table.Order();
    EXPECT_TRUE(AnswerModal(
        [&](QWidget* modal) {
            // What a run may leave behind if it went wrong.
            (void)table.SetQuery("LNAME = \"Clark\"");
            (void)table.SetOrder(0);
            (void)table.GoTop();
            modal->close();
        },
        [&] { window.LabelsButton->click(); }));
    EXPECT_EQ(table.RecNo(), record);
    EXPECT_EQ(table.Query(), query);
    EXPECT_EQ(table.Order(), order);
    EXPECT_EQ(window.LastEdit->text(), "Baker");
    EXPECT_EQ(window.Printer().PrinterName(), BuiltInPdfPrinterName());
}

} // namespace
} // namespace corvane
