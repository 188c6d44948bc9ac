// The "Search" and "Address Browse" windows, driven through the main window on the offscreen
// platform: seeking in the sort orders, the grid's rows, columns, FIELDS.LST and tagging.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

#include "session/windows/AddressTableModel.h"
#include "app/FindingHarness.h"
#include "app/TAddressBrowseForm.h"
#include "app/TSearchBox.h"
#include "core/FieldOrderFile.h"
#include "session/SortOrders.h"
#include "support/AddressSessionProbe.h"

namespace corvane {
namespace {

using testing::AnswerModal;
using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "Smith"}, {"FNAME", "Ann"}, {"CITY", "Boston"}, {"EMAIL", "ann@example.com"}},
    {{"LNAME", "Jonson"}, {"FNAME", "Carl"}, {"CITY", "Albany"}},
    {{"LNAME", "Adams"}, {"FNAME", "John"}, {"CITY", "Denver"}},
    {{"LNAME", "Jones"}, {"FNAME", "Mary"}, {"CITY", "Chicago"}},
    {{"LNAME", "Jackson"}, {"FNAME", "Paul"}, {"CITY", "Austin"}},
};

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// ---- search ----

class SearchWindowTest : public testing::FindingTest {
  protected:
    // Opens "Search", picks `order` (when >= 0), types `text` and presses Ok or Cancel.
    void Search(const QString& text, int order = -1, bool ok = true)
    {
        ASSERT_TRUE(AnswerModal(
            [&](QWidget* modal) {
                auto* box = qobject_cast<TSearchBox*>(modal);
                ASSERT_NE(box, nullptr);
                if (order >= 0)
                    box->OrderCombo->setCurrentIndex(order);
                QTest::keyClicks(box->SearchEdit, text);
                QTest::mouseClick(ok ? box->OkButton : box->CancelButton, Qt::LeftButton);
            },
            [&] { FWindow->SearchButtonClick(); }));
    }
};

TEST_F(SearchWindowTest, OffersTheCheckedOrderAndNamesItInTheLabel)
{
    TAddressMain& window = Start(People);
    window.Session().SetOrderTo("City");
    ASSERT_TRUE(AnswerModal(
        [&](QWidget* modal) {
            auto* box = qobject_cast<TSearchBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Search");
            EXPECT_EQ(testing::Unexplained(*box).join(", ").toStdString(), "");
            EXPECT_EQ(box->OrderCombo->count(), 14);
            EXPECT_EQ(box->OrderCombo->currentText(), "City");
            EXPECT_EQ(box->SearchLabel->text(), "Search City starting with...");
            box->OrderCombo->setCurrentIndex(10);
            EXPECT_EQ(box->SearchLabel->text(), "Search E-mail starting with...");
            EXPECT_TRUE(box->OkButton->isDefault());
            box->reject();
        },
        [&] { window.SearchButtonClick(); }));
}

TEST_F(SearchWindowTest, LandsOnTheFirstMatchAndStaysPutWhenNothingFollows)
{
    TAddressMain& window = Start(People);
    EXPECT_EQ(Current("LNAME"), "Adams");
    Search("jon");
    EXPECT_EQ(Current("LNAME"), "Jones");
    EXPECT_EQ(window.LastEdit->text(), "Jones");

    // Between two names: the next one.
    Search("JONR");
    EXPECT_EQ(Current("LNAME"), "Jonson");

    // After every name: where it was.
    Search("ZZZ");
    EXPECT_EQ(Current("LNAME"), "Jonson");
    EXPECT_FALSE(AddressSessionProbe::Table(window.Session()).Eof());

    // Cancel and an empty text change nothing.
    Search("adams", -1, false);
    EXPECT_EQ(Current("LNAME"), "Jonson");
    Search("", 5);
    EXPECT_EQ(Current("LNAME"), "Jonson");
    EXPECT_EQ(window.SortStatus->text(), "Sorted by Last Name");
}

TEST_F(SearchWindowTest, SearchingInAnotherOrderSelectsIt)
{
    TAddressMain& window = Start(People);
    Search("ch", 5); // City
    EXPECT_EQ(Current("CITY"), "Chicago");
    EXPECT_EQ(window.SortStatus->text(), "Sorted by City");
    int checked = 0;
    for (QAction* item : window.SortMenu->actions())
        checked += item->isChecked() ? 1 : 0;
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(window.findChild<QAction*>("mnuSortCITY")->isChecked());
    // The order stays: the next record is the next city.
    window.RecordNextClick();
    EXPECT_EQ(Current("CITY"), "Denver");
}

// ---- browse ----

class BrowseWindowTest : public testing::FindingTest {
  protected:
    // Opens the browse window, lets `work` use it, then closes it with Ok.
    void Browse(const std::function<void(TAddressBrowseForm&)>& work)
    {
        ASSERT_TRUE(AnswerModal(
            [&](QWidget* modal) {
                auto* form = qobject_cast<TAddressBrowseForm*>(modal);
                ASSERT_NE(form, nullptr);
                work(*form);
                if (form->isVisible())
                    QTest::mouseClick(form->OkButton, Qt::LeftButton);
            },
            [&] { FWindow->BrowseButtonClick(); }));
    }
    static QString Cell(TAddressBrowseForm& form, int row, const char* field)
    {
        AddressTableModel& model = form.Model();
        for (int column = 0; column < model.columnCount(); ++column) {
            if (model.ColumnField(column) == field)
                return model.data(model.index(row, column)).toString();
        }
        return "?";
    }
    static QString FirstColumnTitle(TAddressBrowseForm& form)
    {
        const int logical = form.Grid->horizontalHeader()->logicalIndex(0);
        return form.Model().headerData(logical, Qt::Horizontal).toString();
    }
};

TEST_F(BrowseWindowTest, ShowsTheRecordsInOrderAndLeavesTheMainWindowOnTheGridsRow)
{
    TAddressMain& window = Start(People);
    window.RecordNextClick(); // Jackson
    Browse([&](TAddressBrowseForm& form) {
        EXPECT_EQ(form.windowTitle(), "Address Browse");
        EXPECT_EQ(testing::Unexplained(form).join(", ").toStdString(), "");
        EXPECT_EQ(form.font().family(), "Arial");
        EXPECT_EQ(form.Model().rowCount(), 5);
        EXPECT_EQ(form.CurrentRow(), 1);
        EXPECT_EQ(Cell(form, 0, "LNAME"), "Adams");
        EXPECT_EQ(Cell(form, 4, "LNAME"), "Smith");
        EXPECT_EQ(Cell(form, 4, "Tagged"), "No");
        // Titles are the display labels of the visible fields in catalogue order.
        std::vector<std::string> titles;
        for (int column = 0; column < form.Model().columnCount(); ++column)
            titles.push_back(form.Model().headerData(column, Qt::Horizontal).toString().toStdString());
        std::vector<std::string> expected = {"Tagged"};
        for (const std::string& label : window.Session().Catalogue().VisibleTextLabels())
            expected.push_back(label);
        EXPECT_EQ(titles, expected);
        EXPECT_EQ(form.Grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_TRUE(form.Grid->horizontalHeader()->sectionsMovable());

        QTest::mouseClick(form.LastButton, Qt::LeftButton);
        EXPECT_EQ(form.CurrentRow(), 4);
        QTest::mouseClick(form.NextButton, Qt::LeftButton); // beeps, stays
        EXPECT_EQ(form.CurrentRow(), 4);
        QTest::mouseClick(form.FirstButton, Qt::LeftButton);
        QTest::mouseClick(form.PriorButton, Qt::LeftButton); // beeps, stays
        EXPECT_EQ(form.CurrentRow(), 0);
        QTest::mouseClick(form.NextButton, Qt::LeftButton);
        QTest::mouseClick(form.NextButton, Qt::LeftButton);
        EXPECT_EQ(form.CurrentRow(), 2);
        // Reading rows leaves the table's cursor where it was.
        EXPECT_EQ(Current("LNAME"), "Jackson");
        // Enter closes, also from the grid.
        QTest::keyClick(form.Grid, Qt::Key_Return);
        EXPECT_FALSE(form.isVisible());
    });
    EXPECT_EQ(Current("LNAME"), "Jones");
    EXPECT_EQ(window.LastEdit->text(), "Jones");
}

TEST_F(BrowseWindowTest, ADraggedColumnOrderIsWrittenAndUsedNextTime)
{
    TAddressMain& window = Start(People);
    Browse([&](TAddressBrowseForm& form) {
        QHeaderView* header = form.Grid->horizontalHeader();
        int email = -1;
        for (int column = 0; column < form.Model().columnCount(); ++column) {
            if (form.Model().ColumnField(column) == "EMAIL")
                email = column;
        }
        ASSERT_GE(email, 0);
        header->moveSection(header->visualIndex(email), 0);
        EXPECT_EQ(FirstColumnTitle(form), "Email");
    });
    const std::string list = ReadBytes(FieldOrderFilePath());
    EXPECT_EQ(list.substr(0, 7), "EMAIL\r\n");
    EXPECT_EQ(ParseFieldOrder(list).size(), 28u);
    // Field pickers follow the new order.
    EXPECT_EQ(window.Session().Catalogue().VisibleTextLabels().front(), "Email");

    // A new start reads the file: the grid opens with E-mail first.
    FWindow.reset();
    TAddressMain& again = Start(People);
    EXPECT_NE(again.Session().Catalogue().VisibleTextLabels().front(), "Email");
    Browse([&](TAddressBrowseForm& form) {
        EXPECT_EQ(FirstColumnTitle(form), "Email");
        EXPECT_EQ(form.Model().ColumnField(0), "EMAIL");
    });
}

TEST_F(BrowseWindowTest, UnknownNamesInFieldsLstAreIgnored)
{
    TAddressMain& window = Start(People);
    std::ofstream(FieldOrderFilePath(), std::ios::binary) << "BOGUS\r\nZIP\r\n";
    Browse([&](TAddressBrowseForm& form) {
        EXPECT_EQ(form.Model().ColumnField(0), "Tagged");
        EXPECT_EQ(form.Model().ColumnField(1), "ZIP");
    });
    const std::vector<std::string> written = ParseFieldOrder(ReadBytes(FieldOrderFilePath()));
    EXPECT_EQ(written.size(), 28u);
    EXPECT_EQ(written[1], "ZIP");
    EXPECT_EQ(std::count(written.begin(), written.end(), "BOGUS"), 0);
    EXPECT_EQ(window.Session().Catalogue().Order(), written);
}

TEST_F(BrowseWindowTest, TagButtonAndDoubleClickToggleTheRowsTag)
{
    TAddressMain& window = Start(People);
    const std::string tagId = window.Session().TagId();
    Browse([&](TAddressBrowseForm& form) {
        form.NextButtonClick(); // Jackson
        QTest::mouseClick(form.TagButton, Qt::LeftButton);
        EXPECT_EQ(Cell(form, 1, "Tagged"), "Yes");
        EXPECT_EQ(form.CurrentRow(), 1);
        // The main window's record is not saved by the user: no aggressive-saving count.
        EXPECT_EQ(window.Session().SaveCounter(), 0);

        // Double-click on Smith's row.
        const QModelIndex smith = form.Model().index(4, 1);
        form.Grid->scrollTo(smith);
        const QPoint centre = form.Grid->visualRect(smith).center();
        // A double-click is a second press soon after a click.
        auto doubleClick = [&] {
            QTest::mouseClick(form.Grid->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(form.Grid->viewport(), Qt::LeftButton, {}, centre);
            QTest::qWait(QApplication::doubleClickInterval() + 50);
        };
        doubleClick();
        EXPECT_EQ(form.CurrentRow(), 4);
        EXPECT_EQ(Cell(form, 4, "Tagged"), "Yes");
        doubleClick();
        EXPECT_EQ(Cell(form, 4, "Tagged"), "No");
    });
    EXPECT_EQ(Current("LNAME"), "Smith");
    EXPECT_EQ(Current("TAG"), "");
    ASSERT_TRUE(AddressSessionProbe::Table(window.Session()).GoTo(5)); // Jackson
    EXPECT_EQ(Current("TAG"), tagId);
}

TEST_F(BrowseWindowTest, UntaggingTheOnlyRecordOfATaggedFilterDropsTheFilter)
{
    std::vector<Person> people = People;
    TAddressMain& window = Start(people);
    window.RecordNextClick(); // Jackson
    window.TaggedCheckClick();
    FilterCriteria tagged;
    tagged.Tagged = true;
    window.Session().SetCriteria(tagged);
    window.Session().ApplyCurrentFilter();
    ASSERT_TRUE(window.Session().FilterSet());
    window.ShowRecord();
    Browse([&](TAddressBrowseForm& form) {
        EXPECT_EQ(form.Model().rowCount(), 1);
        QTest::mouseClick(form.TagButton, Qt::LeftButton);
        EXPECT_EQ(form.Model().rowCount(), 5);
        EXPECT_EQ(Cell(form, form.CurrentRow(), "LNAME"), "Jackson");
    });
    EXPECT_FALSE(window.Session().FilterSet());
    EXPECT_EQ(Current("LNAME"), "Jackson");
    EXPECT_EQ(window.FilterStatus->text(), "5 records (no filter)");
}

TEST_F(BrowseWindowTest, DoesNotOpenWhileEditing)
{
    TAddressMain& window = Start(People);
    ASSERT_TRUE(window.Session().Edit());
    EXPECT_FALSE(AnswerModal([](QWidget* modal) { modal->close(); }, [&] { window.BrowseButtonClick(); }));
}

} // namespace
} // namespace corvane
