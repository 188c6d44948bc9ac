// The Utilities menu's "Check && Repair &Duplicates" and "Check && Repair &State and Zip Codes":
// on offer with an open file, each window gets every record not deleted whatever the filter, and
// afterwards the filter, the order and the main window are as before and no list file is left.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include <QAction>
#include <QPushButton>

#include "app/FindingHarness.h"
#include "bulkmail/windows/TStateZipCheck.h"
#include "core/SystemTables.h"
#include "utilities/windows/TDupCheck.h"

namespace corvane {
namespace {

using testing::AnswerModal;
using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "Jones"}, {"FNAME", "Mary"}, {"STATE", "NY"}, {"ZIP", "15000"}},
    {{"LNAME", "Adams"}, {"FNAME", "Ann"}, {"STATE", "MA"}, {"ZIP", "02108"}},
    {{"LNAME", "Jones"}, {"FNAME", "Mary"}, {"STATE", "MA"}, {"ZIP", "02109"}},
};

class ChecksWiringTest : public testing::FindingTest {
  protected:
    void FilterOnState(const std::string& state)
    {
        FilterCriteria criteria;
        criteria[FilterField::State] = state;
        FWindow->Session().SetCriteria(criteria);
        FWindow->Session().ApplyCurrentFilter();
        FWindow->ShowRecord();
    }
    void Trigger(const char* command) { FWindow->findChild<QAction*>(command)->trigger(); }
    uint32_t Matches() { return *AddressSessionProbe::Table(FWindow->Session()).QueryCount(); }
};

TEST_F(ChecksWiringTest, BothCommandsAreOnOffer)
{
    TAddressMain& window = Start(People);
    const auto& later = TAddressMain::LaterCommands();
    for (const char* name : {"mnuCheckDuplicates", "mnuCheckStateZip"}) {
        EXPECT_EQ(std::count(later.begin(), later.end(), std::string(name)), 0) << name;
        EXPECT_TRUE(window.findChild<QAction*>(name)->isEnabled()) << name;
    }
}

TEST_F(ChecksWiringTest, DuplicateCheckSeesPastTheFilterAndLeavesItInForce)
{
    TAddressMain& window = Start(People);
    FilterOnState("MA");
    ASSERT_EQ(Matches(), 2u);
    uint32_t found = 0;
    EXPECT_TRUE(AnswerModal(
        [&](QWidget* modal) {
            auto* check = qobject_cast<TDupCheck*>(modal);
            ASSERT_NE(check, nullptr);
            check->PerformButton->click();
            found = check->Outcome().Found;
            check->OkButton->click();
        },
        [&] { Trigger("mnuCheckDuplicates"); }));
    EXPECT_EQ(found, 1u) << "the NY record is compared too";
    EXPECT_TRUE(window.Session().FilterSet());
    EXPECT_EQ(Matches(), 2u);
    EXPECT_FALSE(std::filesystem::exists(ProgramDirectory() + "_chkdup.idx"));
    EXPECT_FALSE(window.Session().BulkOperation());
}

TEST_F(ChecksWiringTest, StateZipCheckNeedsTheTableAndLeavesNoListBehind)
{
    TAddressMain& window = Start(People);
    Trigger("mnuCheckStateZip");
    EXPECT_EQ(FMessages.Texts(),
              (std::vector<std::string>{
                  "The file CSZ.DBF has been removed from the SYSDATA directory. Unable to continue."}));

    const std::string csz = SystemDataDirectory() + "CSZ.DBF";
    ASSERT_TRUE(xbase::Table::Create(csz, SystemTableInfo(SystemTable::CityStateZip).Fields));
    {
        xbase::Table table;
        ASSERT_TRUE(table.Open(csz));
        ASSERT_TRUE(table.AppendBlank());
        ASSERT_TRUE(table.PutField("STATE", "NY"));
        ASSERT_TRUE(table.PutField("LOW_ZIP", "00500"));
        ASSERT_TRUE(table.PutField("HIGH_ZIP", "14999"));
        ASSERT_TRUE(table.Close());
    }
    FilterOnState("MA");
    uint32_t found = 0;
    EXPECT_TRUE(AnswerModal(
        [&](QWidget* modal) {
            auto* check = qobject_cast<TStateZipCheck*>(modal);
            ASSERT_NE(check, nullptr);
            check->PerformButton->click();
            found = check->Outcome().Found;
            check->CloseButton->click();
        },
        [&] { Trigger("mnuCheckStateZip"); }));
    EXPECT_EQ(found, 3u) << "NY above its range, MA without a row";
    EXPECT_EQ(Matches(), 2u) << "the filter is back";
    EXPECT_FALSE(std::filesystem::exists(DataDirectory() + "_chksz.idx"));
    EXPECT_EQ(window.LastEdit->text(), "Adams");
}

} // namespace
} // namespace corvane
