// The Utilities menu's "Con&vert Case", "Delete &Records" and "&Search && Replace Field Values":
// on offer with an open file, each window opened over the main window's file and filter, and the
// main window in step with the file afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <QAction>
#include <QPushButton>
#include <QRadioButton>

#include "app/FindingHarness.h"
#include "utilities/windows/TConvertToUpper.h"
#include "utilities/windows/TDeleteRecords.h"
#include "utilities/windows/TSearchAndReplace.h"

namespace corvane {
namespace {

using testing::AnswerModal;
using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "adams"}, {"STATE", "MA"}},
    {{"LNAME", "baker"}, {"STATE", "NY"}},
    {{"LNAME", "clark"}, {"STATE", "MA"}},
};

class BulkEditsWiringTest : public testing::FindingTest {
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
};

TEST_F(BulkEditsWiringTest, TheCommandsAreOnOfferWithAnOpenFile)
{
    TAddressMain& window = Start(People);
    const auto& later = TAddressMain::LaterCommands();
    for (const char* name : {"mnuConvertCase", "mnuDeleteRecords", "mnuSearchReplace"}) {
        EXPECT_EQ(std::count(later.begin(), later.end(), std::string(name)), 0) << name;
        EXPECT_TRUE(window.findChild<QAction*>(name)->isEnabled()) << name;
    }
}

TEST_F(BulkEditsWiringTest, ConvertCaseConvertsAndTheMainWindowStaysOnItsRecord)
{
    TAddressMain& window = Start(People);
    ASSERT_TRUE(window.Session().Next());
    window.ShowRecord();
    FMessages.Answers = {true};
    EXPECT_TRUE(AnswerModal(
        [](QWidget* modal) {
            auto* convert = static_cast<TConvertToUpper*>(modal);
            EXPECT_FALSE(convert->FilterRecordsRadio->isEnabled());
            convert->AllRecordsRadio->setChecked(true);
            convert->ConvertButton->click();
        },
        [&] { Trigger("mnuConvertCase"); }));
    EXPECT_EQ(window.LastEdit->text(), "BAKER");
    EXPECT_FALSE(window.Session().BulkOperation());
    EXPECT_TRUE(window.Session().RefreshAfterSave());
}

TEST_F(BulkEditsWiringTest, DeleteRecordsOutsideTheFilterLeavesTheFiltersRecordsOnShow)
{
    TAddressMain& window = Start(People);
    FilterOnState("MA");
    FMessages.Answers = {true};
    EXPECT_TRUE(AnswerModal(
        [](QWidget* modal) {
            auto* deletion = static_cast<TDeleteRecords*>(modal);
            deletion->NotMatchingRadio->setChecked(true);
            deletion->DeleteNowButton->click();
        },
        [&] { Trigger("mnuDeleteRecords"); }));
    EXPECT_TRUE(window.Session().FilterSet());
    EXPECT_EQ(window.LastEdit->text(), "adams");
    xbase::Table& table = AddressSessionProbe::Table(window.Session());
    ASSERT_TRUE(table.SetQuery("!ISDEL"));
    EXPECT_EQ(testing::Column(table, "LNAME"), (std::vector<std::string>{"adams", "clark"}));
    EXPECT_EQ(FMessages.Texts()[1], "Deleted 1 records");
}

TEST_F(BulkEditsWiringTest, SearchAndReplaceOffersTheFilterAndShowsTheFirstRecordAfterwards)
{
    TAddressMain& window = Start(People);
    FilterOnState("MA");
    ASSERT_TRUE(window.Session().Next());
    FMessages.Answers = {true};
    EXPECT_TRUE(AnswerModal(
        [](QWidget* modal) {
            auto* replace = static_cast<TSearchAndReplace*>(modal);
            EXPECT_TRUE(replace->FilterRecordsRadio->isEnabled());
            replace->FilterRecordsRadio->setChecked(true);
            replace->ContainsRadio->setChecked(true);
            replace->SearchEdit->setText("a");
            replace->MatchingTextRadio->setChecked(true);
            replace->ReplaceEdit->setText("A");
            replace->ReplaceButton->click();
        },
        [&] { Trigger("mnuSearchReplace"); }));
    EXPECT_EQ(window.LastEdit->text(), "AdAms");
    EXPECT_TRUE(window.Session().FilterSet());
    xbase::Table& table = AddressSessionProbe::Table(window.Session());
    ASSERT_TRUE(table.SetQuery("!ISDEL"));
    EXPECT_EQ(testing::Column(table, "LNAME"), (std::vector<std::string>{"AdAms", "baker", "clArk"}));
}

} // namespace
} // namespace corvane
