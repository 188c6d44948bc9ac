// "Print &Envelopes" and the Envelopes button of the main window: on offer with an open file, the
// "Print Envelope" window opened over the lent file with "Only current record" chosen, and the
// main window's query and record as they were after it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include "app/FindingHarness.h"
#include "envelopes/windows/TCVEnvelopes.h"
#include "printing/PrintEngine.h"
#include "support/ModalDriver.h"

namespace corvane {
namespace {

using testing::AnswerModal;
using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "Adams"}, {"FNAME", "John"}, {"CITY", "Springfield"}},
    {{"LNAME", "Baker"}, {"FNAME", "Mary"}, {"CITY", "Boston"}},
};

class PrintEnvelopesWiringTest : public testing::FindingTest {
  protected:
    TAddressMain& StartWithPrinter()
    {
        TAddressMain& window = Start(People);
        window.SetPrinter(std::make_unique<PrintEngine>(std::make_unique<testing::PdfOnlyPrinters>()));
        return window;
    }
};

TEST_F(PrintEnvelopesWiringTest, TheCommandOpensPrintEnvelopeOnTheCurrentRecordAndGivesTheFileBack)
{
    TAddressMain& window = StartWithPrinter();
    const auto& later = TAddressMain::LaterCommands();
    for (const char* name : {"EnvelopesButton", "mnuPrintEnvelopes"})
        EXPECT_EQ(std::count(later.begin(), later.end(), std::string(name)), 0) << name;
    ASSERT_TRUE(window.EnvelopesButton->isEnabled());
    EXPECT_EQ(window.findChild<QAction*>("mnuPrintEnvelopes")->shortcut(), QKeySequence("Ctrl+E"));

    xbase::Table& table = AddressSessionProbe::Table(window.Session());
    ASSERT_TRUE(window.Session().Next());
    const uint32_t record = table.RecNo();
    const std::string query = table.Query();
    QString opened;
    QString caption;
    bool currentChosen = false;
    QString city;
    EXPECT_TRUE(AnswerModal(
        [&](QWidget* modal) {
            opened = modal->objectName();
            caption = modal->windowTitle();
            auto* envelopes = static_cast<TCVEnvelopes*>(modal);
            currentChosen = envelopes->CurrentRecordRadio->isChecked();
            city = envelopes->CityValue->text();
            modal->close();
        },
        [&] { window.findChild<QAction*>("mnuPrintEnvelopes")->trigger(); }));
    EXPECT_EQ(opened, "TCVEnvelopes");
    EXPECT_EQ(caption, "Print Envelope");
    EXPECT_TRUE(currentChosen);
    EXPECT_EQ(city, "Boston");
    EXPECT_EQ(table.RecNo(), record);
    EXPECT_EQ(table.Query(), query);
}

} // namespace
} // namespace corvane
