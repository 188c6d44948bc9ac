// "Print &Reports" (and the Reports button), "Print C&urrent Record" and "Count &Zip Codes" of
// the main window: on offer with an open file, each opening its window through the hand-over,
// and the main window's query, order and record put back after it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <QAction>
#include <QTest>
#include <QToolButton>

#include "app/FindingHarness.h"
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

class PdfPrinterOnly : public PrinterSource {
  public:
    QStringList PrinterNames() const override { return {BuiltInPdfPrinterName()}; }
    QString DefaultPrinterName() const override { return BuiltInPdfPrinterName(); }
};

class PrintReportsWiringTest : public testing::FindingTest {
  protected:
    TAddressMain& StartWithPrinter()
    {
        TAddressMain& window = Start(People);
        window.SetPrinter(std::make_unique<PrintEngine>(std::make_unique<PdfPrinterOnly>()));
        return window;
    }
};

TEST_F(PrintReportsWiringTest, TheCommandsAreOnOfferWithTheirShortcuts)
{
    TAddressMain& window = StartWithPrinter();
    const auto& later = TAddressMain::LaterCommands();
    for (const char* name : {"ReportsButton", "mnuPrintReports", "mnuPrintCurrentRecord", "mnuCountZip"})
        EXPECT_EQ(std::count(later.begin(), later.end(), std::string(name)), 0) << name;
    EXPECT_TRUE(window.ReportsButton->isEnabled());
    for (const char* name : {"mnuPrintReports", "mnuPrintCurrentRecord", "mnuCountZip"})
        EXPECT_TRUE(window.findChild<QAction*>(name)->isEnabled()) << name;
    EXPECT_EQ(window.findChild<QAction*>("mnuPrintReports")->shortcut(), QKeySequence("Ctrl+R"));
    EXPECT_EQ(window.findChild<QAction*>("mnuPrintCurrentRecord")->shortcut(), QKeySequence("Ctrl+P"));
}

TEST_F(PrintReportsWiringTest, EachCommandOpensItsWindowAndGivesTheTableBack)
{
    TAddressMain& window = StartWithPrinter();
    xbase::Table& table = AddressSessionProbe::Table(window.Session());
    ASSERT_TRUE(window.Session().Next());
    const uint32_t record = table.RecNo();
    const std::string query = table.Query();
    const int order = table.Order();
    // The report window's hand-over gives back whatever a run left behind; the other two
    // windows leave the table alone (the count puts back the order it changes itself).
    struct Command {
        std::function<void()> Trigger;
        QString Window;
        bool Disturb;
    };
    const std::vector<Command> commands = {
        {[&] { window.ReportsButton->click(); }, "TReportSetup", true},
        {[&] { window.findChild<QAction*>("mnuPrintReports")->trigger(); }, "TReportSetup", true},
        {[&] { window.findChild<QAction*>("mnuPrintCurrentRecord")->trigger(); }, "TPrintCurrentRecord",
         false},
        {[&] { window.findChild<QAction*>("mnuCountZip")->trigger(); }, "TCountZipCodes", false},
    };
    for (const Command& command : commands) {
        QString opened;
        EXPECT_TRUE(AnswerModal(
            [&](QWidget* modal) {
                opened = modal->objectName();
                if (command.Disturb) {
                    // What a run may leave behind if it went wrong.
                    (void)table.SetQuery("LNAME = \"Clark\"");
                    (void)table.SetOrder(0);
                    (void)table.GoTop();
                }
                modal->close();
            },
            command.Trigger));
        EXPECT_EQ(opened, command.Window);
        EXPECT_EQ(table.RecNo(), record) << command.Window.toStdString();
        EXPECT_EQ(table.Query(), query) << command.Window.toStdString();
        EXPECT_EQ(table.Order(), order) << command.Window.toStdString();
        EXPECT_EQ(window.LastEdit->text(), "Baker");
    }
}

} // namespace
} // namespace corvane
