// "Print Le&tters" and the Letters button of the main window: on offer with an open file, the
// "Print Letters" window opened over the lent table with "Only current record" chosen, and the
// record the main window shows kept (the letters' own runs put back what they change).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <QAction>
#include <QRadioButton>
#include <QToolButton>

#include "app/FindingHarness.h"
#include "letters/windows/TCVLetters.h"
#include "printing/PrintEngine.h"
#include "printing/PrinterList.h"

namespace corvane {
namespace {

using testing::AnswerModal;
using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "Adams"}, {"FNAME", "John"}},
    {{"LNAME", "Baker"}, {"FNAME", "Mary"}},
};

class PdfPrinterOnly : public PrinterSource {
  public:
    QStringList PrinterNames() const override { return {BuiltInPdfPrinterName()}; }
    QString DefaultPrinterName() const override { return BuiltInPdfPrinterName(); }
};

class PrintLettersWiringTest : public testing::FindingTest {
  protected:
    TAddressMain& StartWithPrinter()
    {
        TAddressMain& window = Start(People);
        window.SetPrinter(std::make_unique<PrintEngine>(std::make_unique<PdfPrinterOnly>()));
        return window;
    }
};

TEST_F(PrintLettersWiringTest, TheCommandOpensPrintLettersAndPutsTheTableBack)
{
    TAddressMain& window = StartWithPrinter();
    const auto& later = TAddressMain::LaterCommands();
    for (const char* name : {"LettersButton", "mnuPrintLetters"})
        EXPECT_EQ(std::count(later.begin(), later.end(), std::string(name)), 0) << name;
    EXPECT_TRUE(window.findChild<QAction*>("mnuPrintLetters")->isEnabled());

    xbase::Table& table = AddressSessionProbe::Table(window.Session());
    ASSERT_TRUE(window.Session().Next());
    const uint32_t record = table.RecNo();
    const std::string query = table.Query();
    QString opened, caption;
    bool currentChosen = false;
    bool filterOffered = true;
    EXPECT_TRUE(AnswerModal(
        [&](QWidget* modal) {
            opened = modal->objectName();
            caption = modal->windowTitle();
            currentChosen = static_cast<TCVLetters*>(modal)->CurrentRecordRadio->isChecked();
            filterOffered = static_cast<TCVLetters*>(modal)->FilterRecordsRadio->isEnabled();
            modal->close();
        },
        [&] { window.findChild<QToolButton*>("LettersButton")->click(); }));
    EXPECT_EQ(opened, "TCVLetters");
    EXPECT_EQ(caption, "Print Letters");
    EXPECT_TRUE(currentChosen);
    EXPECT_FALSE(filterOffered) << "no filter is set";
    EXPECT_EQ(table.Query(), query);
    EXPECT_EQ(table.RecNo(), record);
}

} // namespace
} // namespace corvane
