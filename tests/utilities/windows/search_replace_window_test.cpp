// "Search and Replace" over a small address file: the field list and the value boxes' width, the
// question, the run and what it says afterwards.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "utilities/BulkEditFixture.h"
#include "utilities/windows/TSearchAndReplace.h"

namespace corvane {
namespace {

using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "Smith"}, {"MIDDLE", "Q"}, {"USER1", std::string(39, 'a')}},
    {{"LNAME", "Smithers"}, {"USER1", "a"}},
    {{"LNAME", "Jones"}},
};

class SearchReplaceWindowTest : public testing::BulkEditTest {
  protected:
    void SetUp() override
    {
        Open(People);
        ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    }
};

TEST_F(SearchReplaceWindowTest, TheValueBoxesTakeTheChosenFieldsWidth)
{
    TSearchAndReplace window(FTable, "");
    EXPECT_EQ(window.windowTitle(), "Search and Replace");
    ASSERT_EQ(window.FieldList->count(), 18);
    EXPECT_EQ(window.FieldList->currentText(), "Last Name");
    EXPECT_TRUE(window.ExactlyRadio->isChecked());
    EXPECT_TRUE(window.CaseSensitiveCheck->isChecked());
    EXPECT_TRUE(window.WholeFieldRadio->isChecked());
    EXPECT_TRUE(window.AllRecordsRadio->isChecked());
    EXPECT_FALSE(window.FilterRecordsRadio->isEnabled());
    EXPECT_EQ(window.ReplaceButton->text(), "Replace ");
    EXPECT_EQ(window.SearchEdit->maxLength(), 30);

    window.SearchEdit->setText("Smithers");
    window.ReplaceEdit->setText("Jones");
    window.FieldList->setCurrentIndex(window.FieldList->findText("Middle Initial"));
    EXPECT_EQ(window.SearchEdit->maxLength(), 1);
    EXPECT_EQ(window.SearchEdit->text(), "S");
    EXPECT_EQ(window.ReplaceEdit->text(), "J");
    QTest::keyClicks(window.SearchEdit, "xyz");
    EXPECT_EQ(window.SearchEdit->text(), "S");
    EXPECT_EQ(window.Settings().FieldName, "MIDDLE");
}

TEST_F(SearchReplaceWindowTest, ReplaceAsksThenReplacesAndSaysWhatItDid)
{
    TSearchAndReplace window(FTable, "");
    window.FieldList->setCurrentIndex(window.FieldList->findText("Comment 1"));
    window.ContainsRadio->setChecked(true);
    window.SearchEdit->setText("a");
    window.MatchingTextRadio->setChecked(true);
    window.ReplaceEdit->setText("aa");
    window.ReplaceButton->click(); // answered No
    EXPECT_EQ(AllValues("USER1"), (std::vector<std::string>{std::string(39, 'a'), "a", ""}));

    FMessages.Answers = {true};
    window.show();
    window.ReplaceButton->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(AllValues("USER1"), (std::vector<std::string>{std::string(39, 'a'), "aa", ""}));
    const std::string question = "Find records where field Comment 1\rcontains: \"a\"  (case sensitive)\r"
                                 "and replace only the matching text with \"aa\"";
    EXPECT_EQ(FMessages.Texts(),
              (std::vector<std::string>{question, question, "Replaced 1 records",
                                        "1 records were not changed: the result would not fit the field",
                                        "Replacement done"}));
    EXPECT_EQ(FMessages.Messages[0].Caption, "Replace");
    EXPECT_TRUE(window.CancelButton->isHidden()) << "replacing cannot be cancelled";
}

} // namespace
} // namespace corvane
