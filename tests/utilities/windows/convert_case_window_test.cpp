// "Convert Case" over a small address file: its controls, the checks before "Convert", the run
// and "Cancel" during the run.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "utilities/BulkEditFixture.h"
#include "utilities/windows/BulkEditProgressPanel.h"
#include "utilities/windows/TConvertToUpper.h"

namespace corvane {
namespace {

using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "smith"}, {"CITY", "boston"}, {"STATE", "MA"}},
    {{"LNAME", "jones"}, {"CITY", "albany"}, {"STATE", "NY"}},
    {{"LNAME", "mcdonald"}, {"CITY", "salem"}, {"STATE", "MA"}},
};

class ConvertCaseWindowTest : public testing::BulkEditTest {
  protected:
    void SetUp() override
    {
        Open(People);
        ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    }
};

TEST_F(ConvertCaseWindowTest, OpensWithEveryFieldTickedOnTheCurrentRecordInUppercase)
{
    TConvertToUpper window(FTable, false);
    EXPECT_EQ(window.windowTitle(), "Convert Case");
    for (QCheckBox* check : window.FieldChecks)
        EXPECT_TRUE(check->isChecked()) << check->text().toStdString();
    EXPECT_EQ(window.FieldChecks[0]->text(), "Last");
    EXPECT_EQ(window.FieldChecks[9]->text(), "Zip/Postal Code");
    EXPECT_TRUE(window.CurrentRecordRadio->isChecked());
    EXPECT_TRUE(window.UppercaseRadio->isChecked());
    EXPECT_FALSE(window.FilterRecordsRadio->isEnabled()) << "no filter is set";
    EXPECT_TRUE(TConvertToUpper(FTable, true).FilterRecordsRadio->isEnabled());

    // "All" sets every field box to its own state.
    window.AllCheck->click();
    for (QCheckBox* check : window.FieldChecks)
        EXPECT_FALSE(check->isChecked());
    window.FieldChecks[7]->setChecked(true);
    EXPECT_EQ(window.Settings().Fields, (std::vector<std::string>{"CITY"}));
}

TEST_F(ConvertCaseWindowTest, NoFieldOrNoAnswerConvertsNothing)
{
    TConvertToUpper window(FTable, false);
    window.AllRecordsRadio->setChecked(true);
    window.AllCheck->click();
    window.ConvertButton->click();
    window.AllCheck->click();
    window.ConvertButton->click(); // answered No
    EXPECT_EQ(FMessages.Texts(), (std::vector<std::string>{"No fields checked for conversion",
                                                           "Convert now? This process cannot be undone.."}));
    EXPECT_EQ(FMessages.Messages[1].MessageKind, RecordingMessageService::Message::Kind::YesNoDefaultNo);
    EXPECT_EQ(FMessages.Messages[1].Caption, "Convert");
    EXPECT_EQ(AllValues("LNAME"), (std::vector<std::string>{"smith", "jones", "mcdonald"}));
    EXPECT_FALSE(window.Running());
}

TEST_F(ConvertCaseWindowTest, ConvertRunsOverAllRecordsAndCloses)
{
    ASSERT_TRUE(FTable.GoTo(2));
    FMessages.Answers = {true};
    TConvertToUpper window(FTable, false);
    window.AllRecordsRadio->setChecked(true);
    window.CapitalizedRadio->setChecked(true);
    window.show();
    window.ConvertButton->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(FTable.RecNo(), 2u);
    EXPECT_EQ(window.Outcome().Converted, 3u);
    EXPECT_EQ(window.Progress->Gauge->value(), 100);
    EXPECT_TRUE(window.HelpButton->isHidden());
    EXPECT_EQ(AllValues("LNAME"), (std::vector<std::string>{"Smith", "Jones", "Mcdonald"}));
    EXPECT_EQ(AllValues("CITY"), (std::vector<std::string>{"Boston", "Albany", "Salem"}));
}

TEST_F(ConvertCaseWindowTest, CancelDuringTheRunAsksAndStopsAfterTheCurrentRecord)
{
    FMessages.Answers = {true, true}; // "Convert now?", then "Cancel case conversion?"
    TConvertToUpper window(FTable, false);
    window.AllRecordsRadio->setChecked(true);
    window.show();
    // Clicked while the first record's progress lets the window take input.
    QTimer::singleShot(0, window.CancelButton, [&] {
        EXPECT_TRUE(window.Running());
        EXPECT_TRUE(window.CancelButton->isVisible());
        window.CancelButton->click();
    });
    window.ConvertButton->click();
    EXPECT_TRUE(window.Outcome().Cancelled);
    EXPECT_EQ(window.Outcome().Converted, 1u);
    EXPECT_EQ(FMessages.Texts().back(), "Cancel case conversion?");
    EXPECT_EQ(AllValues("LNAME"), (std::vector<std::string>{"SMITH", "jones", "mcdonald"}));
}

} // namespace
} // namespace corvane
