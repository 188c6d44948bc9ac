// "Delete Records" over a small address file: the choices a filter allows, "Delete Now" and
// what it says afterwards.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

#include "utilities/BulkEditFixture.h"
#include "utilities/windows/TDeleteRecords.h"

namespace corvane {
namespace {

using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "Adams"}, {"STATE", "MA"}},
    {{"LNAME", "Baker"}, {"STATE", "NY"}},
    {{"LNAME", "Clark"}, {"STATE", "MA"}},
};

class DeleteRecordsWindowTest : public testing::BulkEditTest {
  protected:
    void SetUp() override
    {
        Open(People);
        ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    }
};

TEST_F(DeleteRecordsWindowTest, WithoutAFilterOnlyAllRecordsCanBeChosenAndDeleteNowEmptiesTheFile)
{
    TDeleteRecords window(FTable, "");
    EXPECT_EQ(window.windowTitle(), "Delete Records");
    EXPECT_TRUE(window.AllRecordsRadio->isChecked());
    EXPECT_FALSE(window.MatchingRadio->isEnabled());
    EXPECT_FALSE(window.NotMatchingRadio->isEnabled());

    window.DeleteNowButton->click(); // answered No
    EXPECT_EQ(FTable.RecordCount(), 3u);

    FMessages.Answers = {true};
    window.show();
    window.DeleteNowButton->click();
    EXPECT_EQ(FTable.RecordCount(), 0u);
    EXPECT_EQ(window.Deleted(), 3u);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(window.CancelButton->isHidden()) << "deleting cannot be cancelled";
    EXPECT_EQ(FMessages.Texts(), (std::vector<std::string>{
                                     "Are you sure?", "Are you sure?", "Deleted 3 records",
                                     "For optimum space usage, please select\r\n[Rebuild Indexes] from the "
                                     "File menu"}));
    EXPECT_EQ(FMessages.Messages[0].Caption, "DELETE");
}

TEST_F(DeleteRecordsWindowTest, NotMatchingKeepsTheFiltersRecords)
{
    const std::string filter = FilterOnState("MA");
    ASSERT_TRUE(FTable.SetQuery(filter));
    FMessages.Answers = {true};
    TDeleteRecords window(FTable, filter);
    ASSERT_TRUE(window.NotMatchingRadio->isEnabled());
    window.NotMatchingRadio->setChecked(true);
    window.DeleteNowButton->click();
    EXPECT_EQ(window.Deleted(), 1u);
    ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    EXPECT_EQ(testing::Column(FTable, "LNAME"), (std::vector<std::string>{"Adams", "Clark"}));
}

} // namespace
} // namespace corvane
