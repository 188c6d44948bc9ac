// The "Address Filter" window and the File menu's filter commands, driven through the main
// window on the offscreen platform.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/FindingHarness.h"
#include "app/TAddressQueryForm.h"

namespace corvane {
namespace {

using testing::AnswerModal;
using testing::Named;
using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "Martin"}, {"FNAME", "Anne"}, {"CITY", "Boston"}, {"STATE", "MA"}, {"CODES", "C"}},
    {{"LNAME", "Mason"}, {"FNAME", "Bill"}, {"CITY", "Boston"}, {"STATE", "NY"}},
    {{"LNAME", "Jones"}, {"FNAME", "Mary"}, {"CITY", "Albany"}, {"STATE", "NY"}, {"CODES", "VC"}},
    {{"LNAME", "Young"}, {"FNAME", "Tom"}, {"CITY", "Austin"}, {"STATE", "TX"}},
};

const std::string NoFilter = "!ISDEL";

class FilterWindowTest : public testing::FindingTest {
  protected:
    // Opens the filter window, lets `work` use it, and reports whether it opened.
    bool WithFilterWindow(const std::function<void(TAddressQueryForm&)>& work)
    {
        return AnswerModal(
            [&](QWidget* modal) {
                auto* form = qobject_cast<TAddressQueryForm*>(modal);
                ASSERT_NE(form, nullptr);
                work(*form);
                if (form->isVisible())
                    form->reject();
            },
            [&] { FWindow->FilterButtonClick(); });
    }
    std::string Query() { return AddressSessionProbe::Table(FWindow->Session()).Query(); }
    FilterCriteria Criteria() { return FWindow->Session().Criteria(); }

    static void Type(TAddressQueryForm& form, FilterField field, const QString& text)
    {
        form.Box(field)->setFocus();
        form.Box(field)->setText(text);
    }
};

TEST_F(FilterWindowTest, TestAppliesTheBoxesAndCancelPutsTheOldCriteriaBack)
{
    TAddressMain& window = Start(People);
    ASSERT_TRUE(WithFilterWindow([&](TAddressQueryForm& form) {
        EXPECT_EQ(form.windowTitle(), "Address Filter");
        EXPECT_EQ(testing::Unexplained(form).join(", ").toStdString(), "");
        Type(form, FilterField::Last, "MA");
        QTest::mouseClick(form.TestButton, Qt::LeftButton);
        EXPECT_EQ(form.MatchCount->text(), "2 matches");
        // The main window filters already, on its first match.
        EXPECT_EQ(Criteria()[FilterField::Last], "MA");
        EXPECT_EQ(Query(), "UPPER(LNAME)=\"MA\".and. !ISDEL");
        EXPECT_EQ(Current("LNAME"), "Martin");
        EXPECT_EQ(window.FilterStatus->text(), "2 filter matches");
        QTest::mouseClick(form.CancelButton, Qt::LeftButton);
    }));
    EXPECT_EQ(Criteria(), FilterCriteria{});
    EXPECT_EQ(Query(), NoFilter);
    EXPECT_EQ(window.FilterStatus->text(), "4 records (no filter)");
    EXPECT_TRUE(window.ClearfilterButton->isHidden());
}

TEST_F(FilterWindowTest, OkTakesTheBoxesAndFlagsAndTheWindowOpensWithThem)
{
    TAddressMain& window = Start(People);
    ASSERT_TRUE(WithFilterWindow([&](TAddressQueryForm& form) {
        Type(form, FilterField::Codes, "$C");
        form.ReverseCheck->setChecked(true);
        QTest::mouseClick(form.OkButton, Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
    }));
    EXPECT_EQ(Criteria()[FilterField::Codes], "$C");
    EXPECT_TRUE(Criteria().Reverse);
    EXPECT_EQ(window.FilterStatus->text(), "2 filter matches");
    EXPECT_FALSE(window.ClearfilterButton->isHidden());

    // Opened again: the current criteria; Cancel keeps them.
    ASSERT_TRUE(WithFilterWindow([&](TAddressQueryForm& form) {
        EXPECT_EQ(form.Box(FilterField::Codes)->text(), "$C");
        EXPECT_TRUE(form.ReverseCheck->isChecked());
        EXPECT_FALSE(form.TaggedCheck->isChecked());
        Type(form, FilterField::Codes, "$V");
        QTest::mouseClick(form.CancelButton, Qt::LeftButton);
    }));
    EXPECT_EQ(Criteria()[FilterField::Codes], "$C");
    EXPECT_EQ(window.FilterStatus->text(), "2 filter matches");

    // The "Clear Filter" button.
    QTest::mouseClick(window.ClearfilterButton, Qt::LeftButton);
    EXPECT_EQ(Criteria(), FilterCriteria{});
    EXPECT_EQ(Query(), NoFilter);
    EXPECT_EQ(Current("LNAME"), "Jones");
    EXPECT_TRUE(window.ClearfilterButton->isHidden());
}

TEST_F(FilterWindowTest, ClearEmptiesEveryBoxAndFlagAndTests)
{
    TAddressMain& window = Start(People);
    FilterCriteria criteria;
    criteria[FilterField::City] = "BOSTON";
    criteria.Tagged = true;
    criteria.Reverse = true;
    window.Session().SetCriteria(criteria);
    ASSERT_TRUE(WithFilterWindow([&](TAddressQueryForm& form) {
        EXPECT_EQ(form.Box(FilterField::City)->text(), "BOSTON");
        QTest::mouseClick(form.ClearButton, Qt::LeftButton);
        for (std::size_t i = 0; i < FilterFieldCount; ++i)
            EXPECT_TRUE(form.Box(static_cast<FilterField>(i))->text().isEmpty()) << i;
        EXPECT_FALSE(form.TaggedCheck->isChecked());
        EXPECT_FALSE(form.ReverseCheck->isChecked());
        EXPECT_EQ(form.MatchCount->text(), "No filter set");
        EXPECT_EQ(Query(), NoFilter);
        QTest::mouseClick(form.OkButton, Qt::LeftButton);
    }));
    EXPECT_EQ(Criteria(), FilterCriteria{});
}

TEST_F(FilterWindowTest, AFilterMatchingNothingIsDroppedSilently)
{
    TAddressMain& window = Start(People);
    ASSERT_TRUE(WithFilterWindow([&](TAddressQueryForm& form) {
        Type(form, FilterField::Last, "Zz");
        QTest::mouseClick(form.OkButton, Qt::LeftButton);
    }));
    EXPECT_EQ(Criteria(), FilterCriteria{});
    EXPECT_EQ(Query(), NoFilter);
    EXPECT_EQ(window.FilterStatus->text(), "4 records (no filter)");
    EXPECT_TRUE(FMessages.Messages.empty());
}

TEST_F(FilterWindowTest, DoesNotOpenWhileEditing)
{
    TAddressMain& window = Start(People);
    ASSERT_TRUE(window.Session().Edit());
    EXPECT_FALSE(WithFilterWindow([](TAddressQueryForm&) {}));
}

TEST_F(FilterWindowTest, BoxesSitWhereTheMainWindowHasItsFields)
{
    TAddressMain& window = Start(People);
    const std::pair<FilterField, QWidget*> pairs[] = {
        {FilterField::Last, window.LastEdit},        {FilterField::Org, window.OrgEdit},
        {FilterField::City, window.CityEdit},        {FilterField::Zip, window.ZipEdit},
        {FilterField::Phone2, window.Phone2Edit},    {FilterField::Date, window.DateDisplay},
        {FilterField::Comment2, window.Comment2Edit}};
    ASSERT_TRUE(WithFilterWindow([&](TAddressQueryForm& form) {
        for (const auto& [field, mainWidget] : pairs) {
            const QRect place(mainWidget->mapTo(window.RecordArea, QPoint(0, 0)), mainWidget->size());
            QLineEdit* box = form.Box(field);
            EXPECT_EQ(box->geometry(), place) << box->objectName().toStdString();
            EXPECT_EQ(box->parentWidget(), form.BoxArea);
            const QLabel* caption = nullptr;
            for (QLabel* label : form.BoxArea->findChildren<QLabel*>()) {
                if (label->buddy() == box)
                    caption = label;
            }
            ASSERT_NE(caption, nullptr);
            EXPECT_FALSE(caption->text().isEmpty());
        }
        // Captions are the main window's.
        EXPECT_EQ(Named<QLabel>(form, "ZipLabel")->text(), "Zip or Postal ");
        EXPECT_EQ(Named<QLabel>(form, "StateLabel")->text(), "State or Prov");
        EXPECT_EQ(Named<QLabel>(form, "DateLabel")->text(), "Date");

        // The date box shows its format while it has the focus.
        EXPECT_EQ(form.Box(FilterField::Date)->toolTip(), TAddressQueryForm::DateHintText);
        form.activateWindow();
        form.Box(FilterField::Date)->setFocus();
        QApplication::processEvents();
        EXPECT_FALSE(form.DateFormatLabel->isHidden());
        EXPECT_EQ(form.DateFormatLabel->text(), "(YYYYMMDD)");
        form.Box(FilterField::Last)->setFocus();
        QApplication::processEvents();
        EXPECT_TRUE(form.DateFormatLabel->isHidden());
        EXPECT_TRUE(form.HintLabel->text().startsWith("Hint: to look for only part of a value"));
        EXPECT_TRUE(form.MatchCount->isReadOnly());
    }));
}

// ---- .FLT files ----

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class FilterFileCommandTest : public FilterWindowTest {
  protected:
    // Runs a menu command whose file dialog is answered with `path`.
    bool ChooseFile(void (TAddressMain::*command)(), const std::string& path)
    {
        return AnswerModal(
            [&](QWidget* modal) {
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                ASSERT_NE(dialog, nullptr);
                dialog->selectFile(QString::fromStdString(path));
                static_cast<QDialog*>(dialog)->accept(); // QFileDialog keeps its own accept() protected
            },
            [&] { (FWindow.get()->*command)(); });
    }
    void SetLastFilter(const char* text)
    {
        FilterCriteria criteria;
        criteria[FilterField::Last] = text;
        FWindow->Session().SetCriteria(criteria);
        FWindow->Session().ApplyCurrentFilter();
        FWindow->ShowRecord();
    }
};

TEST_F(FilterFileCommandTest, SavingAppendsFltAndAsksBeforeReplacing)
{
    TAddressMain& window = Start(People);
    SetLastFilter("JONES");
    EXPECT_TRUE(window.findChild<QAction*>("mnuSaveFilter")->isEnabled());
    const std::string base = FHome.File("mine");
    ASSERT_TRUE(ChooseFile(&TAddressMain::mnuSaveFilterClick, base));
    const std::string saved = base + ".FLT";
    ASSERT_TRUE(std::filesystem::exists(saved));
    std::string expected = "JONES\r\n";
    for (int line = 2; line <= 18; ++line)
        expected += "\r\n";
    EXPECT_EQ(ReadBytes(saved), expected + "F\r\nF\r\n");

    // Saving over it: No keeps the file, Yes replaces it.
    SetLastFilter("MARTIN");
    FMessages.Answers = {false};
    ASSERT_TRUE(ChooseFile(&TAddressMain::mnuSaveFilterClick, saved));
    ASSERT_FALSE(FMessages.Messages.empty());
    EXPECT_EQ(FMessages.Messages.back().MessageKind, RecordingMessageService::Message::Kind::YesNoDefaultNo);
    EXPECT_EQ(FMessages.Messages.back().Caption, "Warning!");
    EXPECT_EQ(FMessages.Messages.back().Text, saved + " already exists.\r\nDo you want to overwrite it?");
    EXPECT_EQ(ReadBytes(saved).substr(0, 7), "JONES\r\n");
    FMessages.Answers = {true};
    ASSERT_TRUE(ChooseFile(&TAddressMain::mnuSaveFilterClick, saved));
    EXPECT_EQ(ReadBytes(saved).substr(0, 8), "MARTIN\r\n");

    // Another extension is refused.
    ASSERT_TRUE(ChooseFile(&TAddressMain::mnuSaveFilterClick, FHome.File("mine.txt")));
    EXPECT_EQ(FMessages.Texts().back(), "Must have a .FLT extension");
    EXPECT_FALSE(std::filesystem::exists(FHome.File("mine.txt")));
}

TEST_F(FilterFileCommandTest, RestoringAppliesTheFileAndRefusesOtherNames)
{
    TAddressMain& window = Start(People);
    const std::string path = FHome.File("boston.flt");
    std::ofstream(path, std::ios::binary)
        << "\r\n\r\n\r\n\r\n\r\n\r\n\r\nBOSTON\r\n"; // short: the rest empty
    ASSERT_TRUE(ChooseFile(&TAddressMain::mnuRestoreFilterClick, path));
    EXPECT_EQ(Criteria()[FilterField::City], "BOSTON");
    EXPECT_FALSE(Criteria().Tagged);
    EXPECT_EQ(window.FilterStatus->text(), "2 filter matches");
    EXPECT_FALSE(window.ClearfilterButton->isHidden());

    const std::string text = FHome.File("boston.txt");
    std::ofstream(text, std::ios::binary) << "JONES\r\n";
    ASSERT_TRUE(ChooseFile(&TAddressMain::mnuRestoreFilterClick, text));
    EXPECT_EQ(FMessages.Texts().back(), "Must be a Filter (.FLT) file");
    EXPECT_EQ(Criteria()[FilterField::City], "BOSTON");
}

} // namespace
} // namespace corvane
