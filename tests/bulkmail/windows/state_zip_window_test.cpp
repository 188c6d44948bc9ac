// "Check State and Zip  Codes" over a small address file and a small CSZ.DBF in a scratch program
// directory: its panels, the check, "Edit State/Province File" / "Stop Editing", and the list
// file's lifetime.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <filesystem>

#include "bulkmail/windows/TStateZipCheck.h"
#include "core/FieldCatalogue.h"
#include "core/SystemTables.h"
#include "platform/MessageService.h"
#include "session/FilterQuery.h"
#include "session/ToolWindowView.h"
#include "session/windows/AddressTableModel.h"
#include "session/windows/RecordGrid.h"
#include "support/AddressTableFixture.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

class StateZipWindowTest : public testing::AddressTableTest {
  protected:
    void SetUp() override
    {
        std::filesystem::create_directories(FHome.File("sysdata"));
        const std::string csz = FHome.File("sysdata/CSZ.DBF");
        ASSERT_TRUE(xbase::Table::Create(csz, SystemTableInfo(SystemTable::CityStateZip).Fields));
        xbase::Table table;
        ASSERT_TRUE(table.Open(csz));
        for (auto [name, state, low, high] : {std::tuple{"New York", "NY", "00500", "14999"},
                                              std::tuple{"Ontario", "ON", "K0A 0A0", "P9Z 9Z9"}}) {
            ASSERT_TRUE(table.AppendBlank());
            ASSERT_TRUE(table.PutField("NAME", name));
            ASSERT_TRUE(table.PutField("STATE", state));
            ASSERT_TRUE(table.PutField("LOW_ZIP", low));
            ASSERT_TRUE(table.PutField("HIGH_ZIP", high));
        }
        ASSERT_TRUE(table.CreateTag("STATE", "UPPER(state)"));
        ASSERT_TRUE(table.Close());
        Open({{{"LNAME", "Zed"}, {"STATE", "NY"}, {"ZIP", "15000"}},
              {{"LNAME", "Able"}, {"STATE", "ny"}, {"ZIP", "14999-1234"}},
              {{"LNAME", "Moe"}, {"STATE", "CA"}, {"ZIP", "90001"}},
              {{"LNAME", "Lee"}, {"STATE", ""}, {"ZIP", ""}}});
        ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    }
    std::string ListPath() const { return FScratch.File("_chksz.idx"); }

    testing::ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    FieldCatalogue FCatalogue;
    AddressRecord FRecord;
    ToolWindowView FView{FTable, FCatalogue, "TAG1", [this]() -> const AddressRecord& { return FRecord; },
                         [](RecordStep) { return false; }};
};

TEST_F(StateZipWindowTest, SetupPanelAtStart)
{
    TStateZipCheck window(FView);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Check State and Zip  Codes");
    EXPECT_TRUE(window.SetupPanel->isVisible());
    EXPECT_FALSE(window.ResultPanel->isVisible());
    EXPECT_FALSE(window.StatePanel->isVisible());
    EXPECT_FALSE(window.BlanksCheck->isChecked());
    EXPECT_FALSE(window.CancelButton->isVisible());
    EXPECT_EQ(window.EditStateFileButton->text(), "Edit State/Province File");
}

TEST_F(StateZipWindowTest, CheckListsTheQuestionableAndClosingDeletesTheList)
{
    {
        TStateZipCheck window(FView);
        window.show();
        window.BlanksCheck->setChecked(true);
        window.PerformButton->click();
        EXPECT_EQ(window.Outcome().Found, 3u) << "Zed above, Moe without a row, Lee blank";
        EXPECT_TRUE(window.ResultPanel->isVisible());
        EXPECT_FALSE(window.SetupPanel->isVisible());
        EXPECT_TRUE(window.CloseButton->isVisible());
        EXPECT_FALSE(window.CancelButton->isVisible());
        EXPECT_EQ(window.Results->Model()->rowCount(), 3);
        EXPECT_TRUE(std::filesystem::exists(ListPath()));

        FMessages.Answers = {true};
        window.TagAllButton->click();
        EXPECT_EQ(FMessages.Texts(),
                  (std::vector<std::string>{"Tag all records with questionable state or zipcodes?"}));
        window.CloseButton->click();
    }
    EXPECT_FALSE(std::filesystem::exists(ListPath()));
    ASSERT_TRUE(FTable.SetOrder(0));
    EXPECT_EQ(testing::Column(FTable, "TAG"), (std::vector<std::string>{"TAG1", "", "TAG1", "TAG1"}));
}

TEST_F(StateZipWindowTest, EditingTheStateFileSwapsPanelsAndSavesRows)
{
    TStateZipCheck window(FView);
    window.show();
    window.EditStateFileButton->click();
    EXPECT_TRUE(window.StatePanel->isVisible());
    EXPECT_FALSE(window.SetupPanel->isVisible());
    EXPECT_EQ(window.EditStateFileButton->text(), "Stop Editing");
    EXPECT_FALSE(window.CancelButton->isEnabled());
    AddressTableModel* model = window.States->Model();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "State or Province");
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), "Ending Zip/Post");

    window.StateAddButton->click();
    ASSERT_EQ(model->rowCount(), 3);
    const int row = window.States->CurrentRow();
    ASSERT_TRUE(model->setData(model->index(row, 0), "California"));
    ASSERT_TRUE(model->setData(model->index(row, 1), "CA"));
    ASSERT_TRUE(model->setData(model->index(row, 2), "90000"));
    ASSERT_TRUE(model->setData(model->index(row, 3), "96199"));
    window.StateSaveButton->click();

    window.EditStateFileButton->click();
    EXPECT_TRUE(window.SetupPanel->isVisible());
    EXPECT_FALSE(window.StatePanel->isVisible());
    EXPECT_EQ(window.EditStateFileButton->text(), "Edit State/Province File");

    // The check uses the row just added: Moe in CA is fine now.
    window.PerformButton->click();
    EXPECT_EQ(window.Outcome().Found, 1u);
}

TEST_F(StateZipWindowTest, MissingTableLeavesTheWindowAtItsStart)
{
    std::filesystem::remove(FHome.File("sysdata/CSZ.DBF"));
    TStateZipCheck window(FView);
    window.show();
    window.PerformButton->click();
    EXPECT_FALSE(window.CheckDone());
    EXPECT_TRUE(window.SetupPanel->isVisible());
    EXPECT_TRUE(window.CloseButton->isVisible());
    EXPECT_FALSE(FMessages.Texts().empty());
    EXPECT_FALSE(std::filesystem::exists(ListPath()));
}

} // namespace
} // namespace corvane
