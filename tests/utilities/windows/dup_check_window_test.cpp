// "Check and Repair Duplicates" and "Tagging" over a small address file: the set-up panel, the
// check into the result panel, repairs in place, and the list file's lifetime.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>

#include <filesystem>
#include <fstream>

#include "core/FieldCatalogue.h"
#include "session/ToolWindowView.h"
#include "session/windows/AddressTableModel.h"
#include "session/windows/RecordGrid.h"
#include "support/ScratchHome.h"
#include "utilities/BulkEditFixture.h"
#include "utilities/windows/TDupCheck.h"
#include "utilities/windows/TTagAllRecords.h"

namespace corvane {
namespace {

using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "Jones"}, {"FNAME", "Mary"}, {"STREET", "123 Main Street"}},
    {{"LNAME", "Adams"}, {"FNAME", "Ann"}, {"STREET", "9 Elm Road"}},
    {{"LNAME", "JONES"}, {"FNAME", "MARY"}, {"STREET", "123 Main St."}},
    {{"LNAME", "Jones"}, {"FNAME", "Mary"}, {"STREET", "5 Oak Lane"}},
};

class DupCheckWindowTest : public testing::BulkEditTest {
  protected:
    void SetUp() override
    {
        Open(People);
        ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    }
    std::string ListPath() const { return FHome.Path() + "_chkdup.idx"; }

    testing::ScratchHome FHome;
    FieldCatalogue FCatalogue;
    AddressRecord FRecord;
    ToolWindowView FView{FTable, FCatalogue, "TAG1", [this]() -> const AddressRecord& { return FRecord; },
                         [](RecordStep) { return false; }};
};

TEST_F(DupCheckWindowTest, SetupPanelOffersTheThreeKindsAndTheStreetLengthForStreetsOnly)
{
    TDupCheck window(FView);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Check and Repair Duplicates");
    EXPECT_TRUE(window.LastFirstRadio->isChecked());
    EXPECT_EQ(window.PerformButton->text(), "&Perform Duplicate Check Now");
    EXPECT_FALSE(window.StreetLength->isVisible());
    window.StreetRadio->setChecked(true);
    EXPECT_TRUE(window.StreetLength->isVisible());
    EXPECT_EQ(window.StreetLength->value(), 30);
    EXPECT_EQ(window.StreetLength->maximum(), 30);
    EXPECT_FALSE(window.CancelButton->isVisible());
    EXPECT_FALSE(window.ResultPanel->isVisible());
}

TEST_F(DupCheckWindowTest, CheckListsTheSuspectsAndClosingDeletesTheList)
{
    {
        TDupCheck window(FView);
        window.show();
        window.PerformButton->click();
        EXPECT_EQ(window.CountLabel->text(), "Found 2 possible duplicates");
        EXPECT_TRUE(window.ResultPanel->isVisible());
        EXPECT_FALSE(window.SetupPanel->isVisible());
        EXPECT_TRUE(window.OkButton->isVisible());
        EXPECT_FALSE(window.CancelButton->isVisible());
        EXPECT_EQ(window.Results->Model()->rowCount(), 3);
        EXPECT_TRUE(std::filesystem::exists(ListPath()));
        window.OkButton->click();
    }
    EXPECT_FALSE(std::filesystem::exists(ListPath()));
    EXPECT_EQ(FTable.OrderNumber("_CHKDUP"), 0);
}

TEST_F(DupCheckWindowTest, StreetCheckShowsStreetSecond)
{
    TDupCheck window(FView);
    window.show();
    window.StreetRadio->setChecked(true);
    window.StreetLength->setValue(10);
    window.PerformButton->click();
    EXPECT_EQ(window.Outcome().Found, 1u);
    AddressTableModel* model = window.Results->Model();
    const int street = model->ColumnOf("STREET");
    EXPECT_EQ(window.Results->Grid->horizontalHeader()->visualIndex(street), 1);
}

TEST_F(DupCheckWindowTest, RepairsInPlace)
{
    TDupCheck window(FView);
    window.show();
    window.PerformButton->click();
    AddressTableModel* model = window.Results->Model();
    const int first = model->ColumnOf("FNAME");
    ASSERT_GE(first, 0);

    // Typing is held until "S&ave"; "&Undo" drops it.
    window.Results->SelectRow(0);
    ASSERT_TRUE(model->setData(model->index(0, first), "Maria"));
    window.UndoButton->click();
    EXPECT_EQ(model->data(model->index(0, first)).toString(), "Mary");
    ASSERT_TRUE(model->setData(model->index(0, first), "Maria"));
    window.SaveButton->click();
    EXPECT_EQ(AllValues("FNAME")[0], "Maria");
    EXPECT_EQ(model->rowCount(), 3) << "an edited suspect stays listed";

    // "&Tag" toggles the current record's tag.
    const uint32_t recno = window.Results->CurrentRecno();
    window.TagButton->click();
    EXPECT_EQ(AllValues("TAG")[recno - 1], "TAG1");

    // "&Delete" asks, then deletes as the main window does.
    FMessages.Answers = {false, true};
    window.DeleteButton->click();
    EXPECT_EQ(model->rowCount(), 3);
    window.DeleteButton->click();
    EXPECT_EQ(model->rowCount(), 2);
    EXPECT_EQ(FMessages.Texts(), (std::vector<std::string>{"Delete this record?", "Delete this record?"}));
    const auto deleted = AllValues("ISDEL");
    EXPECT_EQ(std::count(deleted.begin(), deleted.end(), "T"), 1);
}

TEST_F(DupCheckWindowTest, CancelAsksAndKeepsTheFinds)
{
    TDupCheck window(FView);
    window.show();
    FMessages.Answers = {true};
    QObject::connect(&window, &TDupCheck::RecordChecked, &window, [&](uint32_t done) {
        if (done == 3)
            window.CancelButton->click();
    });
    window.PerformButton->click();
    EXPECT_TRUE(window.Outcome().Cancelled);
    EXPECT_EQ(window.Outcome().Found, 1u) << "NAME order: Adams, Jones, JONES: one pair before the cancel";
    EXPECT_EQ(FMessages.Texts(), (std::vector<std::string>{"Cancel operation?"}));
}

TEST_F(DupCheckWindowTest, ListThatCannotBeMadeIsSaidAndTheSetupStays)
{
    // A folder with a file in it where the list should go.
    std::filesystem::create_directory(ListPath());
    std::ofstream(ListPath() + "/keep") << "x";
    TDupCheck window(FView);
    window.show();
    window.PerformButton->click();
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_NE(FMessages.Messages[0].Text.find("_chkdup.idx"), std::string::npos);
    EXPECT_TRUE(window.SetupPanel->isVisible());
    EXPECT_FALSE(window.ResultPanel->isVisible());
}

class TagAllWindowTest : public testing::BulkEditTest {};

TEST_F(TagAllWindowTest, TagsEveryRecordOrStopsWhereCancelled)
{
    Open(People);
    ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    {
        TTagAllRecords window(FTable, "T1");
        EXPECT_EQ(window.windowTitle(), "Tagging");
        EXPECT_EQ(window.TitleLabel->text(), "Tagging Records");
        FMessages.Answers = {false, true};
        QObject::connect(&window, &TTagAllRecords::RecordTagged, &window, [&](uint32_t count) {
            EXPECT_EQ(window.ProgressLabel->text(), QString::number(count) + " tagged");
            if (count == 1 || count == 2)
                window.CancelButton->click(); // No, then Yes
        });
        ASSERT_TRUE(window.Run());
        EXPECT_TRUE(window.Outcome().Cancelled);
        EXPECT_EQ(window.StatusLabel->text(), "Cancelled before completion");
        EXPECT_TRUE(window.OkButton->isVisibleTo(&window));
        EXPECT_FALSE(window.CancelButton->isVisibleTo(&window));
        EXPECT_EQ(FMessages.Messages.at(0).Caption, "CANCEL");
        EXPECT_EQ(FMessages.Messages.at(0).Text, "Cancel Tagging?");
    }
    EXPECT_EQ(AllValues("TAG"), (std::vector<std::string>{"T1", "T1", "", ""})) << "the tags made stay";
    TTagAllRecords again(FTable, "T1");
    ASSERT_TRUE(again.Run());
    EXPECT_EQ(again.StatusLabel->text(), "Complete");
    EXPECT_EQ(AllValues("TAG"), (std::vector<std::string>{"T1", "T1", "T1", "T1"}));
}

} // namespace
} // namespace corvane
