// The small windows of the main record window, driven through their controls (found by object
// name) on the offscreen platform: what goes in, what comes out, and what reaches the settings file.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include "app/NewFileFieldLengths.h"
#include "app/TCVWSearching.h"
#include "app/TCopyToClipBoard.h"
#include "app/TDateSelector.h"
#include "app/TGetFirstLastZip.h"
#include "app/TGettingStarted.h"
#include "app/TNewDataBaseName.h"
#include "app/TPreferences.h"
#include "app/TSpecifyFieldLengths.h"
#include "app/TSplashform.h"
#include "core/AddressFile.h"
#include "platform/Settings.h"
#include "platform/settings/IniFile.h"
#include "platform/windows/HelpViewer.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

using xbase::testing::ReadBytes;
using xbase::testing::ScratchFolder;

template <typename T> T* Control(const QWidget& window, const char* name)
{
    T* control = window.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

void Click(const QWidget& window, const char* buttonName)
{
    QTest::mouseClick(Control<QPushButton>(window, buttonName), Qt::LeftButton);
}

// Types `text` into an entry as a user would, replacing what it held.
void Retype(QLineEdit* entry, const QString& text)
{
    entry->selectAll();
    QTest::keyClick(entry, Qt::Key_Backspace);
    QTest::keyClicks(entry, text);
}

// Retypes and leaves the entry with Tab (its window must be the active one).
void TypeAndLeave(QLineEdit* entry, const QString& text)
{
    entry->setFocus(Qt::MouseFocusReason);
    Retype(entry, text);
    QTest::keyClick(entry, Qt::Key_Tab);
    EXPECT_FALSE(entry->hasFocus());
}

void ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

class DialogTest : public ::testing::Test {
  protected:
    ScratchFolder FFolder;
    Settings FSettings{FFolder.File("CORVAN.ini")};
};

// Preferences ------------------------------------------------------------------------------------

using PreferencesTest = DialogTest;

TEST_F(PreferencesTest, OkWritesEveryKeyAndANewWindowShowsThemAgain)
{
    const QStringList keys = TPreferences::CheckBoxKeys();
    ASSERT_EQ(keys.size(), 3 + 7 + 18);
    {
        TPreferences preferences(nullptr, FSettings);
        // Every other box ticked, so a key written under a neighbour's name shows.
        for (int i = 0; i < keys.size(); ++i) {
            QCheckBox* check = Control<QCheckBox>(preferences, keys[i].toUtf8().constData());
            if (i % 2 == 0)
                QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
        }
        Retype(Control<QLineEdit>(preferences, "DefaultCountry"), "Canada");
        Control<QComboBox>(preferences, "AggressiveSave")->setCurrentIndex(2);
        Click(preferences, "OkButton");
        EXPECT_EQ(preferences.result(), QDialog::Accepted);
    }
    const IniFile file = FSettings.Load();
    for (int i = 0; i < keys.size(); ++i) {
        ASSERT_TRUE(file.Value("Adding", keys[i].toStdString()).has_value()) << keys[i].toStdString();
        EXPECT_EQ(file.ReadBool("Adding", keys[i].toStdString(), false), i % 2 == 0) << keys[i].toStdString();
    }
    EXPECT_EQ(file.ReadString("Adding", "DefaultCountry", ""), "Canada");
    EXPECT_EQ(file.ReadInteger("Editing", "AggressiveSave", -1), 2);

    TPreferences reloaded(nullptr, FSettings);
    for (int i = 0; i < keys.size(); ++i)
        EXPECT_EQ(reloaded.CheckBoxFor(keys[i])->isChecked(), i % 2 == 0) << keys[i].toStdString();
    EXPECT_EQ(reloaded.DefaultCountryEdit->text(), "Canada");
    EXPECT_EQ(reloaded.AggressiveSaveList->currentText(), "High - Every Save");
}

TEST_F(PreferencesTest, CancelWritesNothing)
{
    ASSERT_TRUE(FSettings.WriteBool("Adding", "CarryCity", true));
    const std::string before = ReadBytes(FSettings.Path());
    TPreferences preferences(nullptr, FSettings);
    EXPECT_TRUE(preferences.CheckBoxFor("CarryCity")->isChecked());
    preferences.CheckBoxFor("CarryCity")->setChecked(false);
    preferences.CheckBoxFor("SkipFax")->setChecked(true);
    Retype(preferences.DefaultCountryEdit, "Mexico");
    Click(preferences, "CancelButton");
    EXPECT_EQ(preferences.result(), QDialog::Rejected);
    EXPECT_EQ(ReadBytes(FSettings.Path()), before);
}

TEST_F(PreferencesTest, MissingOrUnknownSavingLevelShowsNormalAndTheCountryTakesThirtyCharacters)
{
    {
        TPreferences preferences(nullptr, FSettings); // no settings file at all
        EXPECT_EQ(preferences.AggressiveSaveList->currentText(), "Normal - Every 5 Saves");
        EXPECT_FALSE(preferences.CheckBoxFor("PlugDate")->isChecked());
        Retype(preferences.DefaultCountryEdit, QString(40, 'x'));
        EXPECT_EQ(preferences.DefaultCountryEdit->text().size(), 30);
    }
    ASSERT_TRUE(FSettings.WriteInteger("Editing", "AggressiveSave", 7));
    TPreferences preferences(nullptr, FSettings);
    EXPECT_EQ(preferences.AggressiveSaveList->currentIndex(), 1);
    EXPECT_EQ(preferences.AggressiveSaveList->count(), 3);
}

// Getting Started ----------------------------------------------------------------------------------

struct LinkCase {
    const char* Text;
    int Context;
};

class GettingStartedLinkTest : public ::testing::TestWithParam<LinkCase> {};

// Clicks the words of a link where they are drawn.
void ClickLinkText(QTextBrowser* browser, const QString& text)
{
    QTextCursor found = browser->document()->find(text, 0, QTextDocument::FindCaseSensitively);
    ASSERT_FALSE(found.isNull()) << text.toStdString();
    QTextCursor middle(browser->document());
    middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
    browser->setTextCursor(middle);
    browser->ensureCursorVisible();
    const QPoint at = browser->cursorRect(middle).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
}

TEST_P(GettingStartedLinkTest, ClickingTheLinkOpensItsHelpTopic)
{
    ScratchFolder folder;
    std::vector<int> opened;
    TGettingStarted window(nullptr, Settings(folder.File("CORVAN.ini")),
                           [&](int context) { opened.push_back(context); });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ClickLinkText(Control<QTextBrowser>(window, "GettingStartedText"), GetParam().Text);
    EXPECT_EQ(opened, std::vector<int>{GetParam().Context});
}

INSTANTIATE_TEST_SUITE_P(Links, GettingStartedLinkTest,
                         ::testing::Values(LinkCase{"NEW", 1037}, LinkCase{"DBASE", 1021},
                                           LinkCase{"ASCII", 1023}, LinkCase{"ADD", 1030},
                                           LinkCase{"CHANGE", 1030}, LinkCase{"FIND", 1026},
                                           LinkCase{"DELETE", 2099}, LinkCase{"TECHNICAL SUPPORT", 1015},
                                           LinkCase{"FREQUENTLY ASKED QUESTIONS", 2098}),
                         [](const auto& info) {
                             return QString(info.param.Text).replace(' ', '_').toStdString();
                         });

TEST(GettingStartedLinks, LinkTextsAreComparedInUpperCase)
{
    EXPECT_EQ(TGettingStarted::HelpContextOfLink("Technical Support"), 1015);
    EXPECT_EQ(TGettingStarted::HelpContextOfLink("delete"), 2099);
    EXPECT_EQ(TGettingStarted::HelpContextOfLink("Contents"), 0);
}

using GettingStartedTest = DialogTest;

TEST_F(GettingStartedTest, CheckBoxStartsFromTheSettingAndIsWrittenOnOkOnly)
{
    {
        TGettingStarted window(nullptr, FSettings, [](int) {});
        EXPECT_FALSE(window.DontShowCheck->isChecked());
        EXPECT_EQ(window.DontShowCheck->text(), "Do not show this screen at start up");
        EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
        window.DontShowCheck->setChecked(true);
        window.reject(); // Escape
    }
    EXPECT_FALSE(FSettings.Load().Value("Misc", "GettingStarted").has_value());
    {
        TGettingStarted window(nullptr, FSettings, [](int) {});
        window.DontShowCheck->setChecked(true);
        Click(window, "OkButton");
    }
    EXPECT_TRUE(FSettings.ReadBool("Misc", "GettingStarted", false));
    TGettingStarted window(nullptr, FSettings, [](int) {});
    EXPECT_TRUE(window.DontShowCheck->isChecked());
    window.DontShowCheck->setChecked(false);
    Click(window, "OkButton");
    EXPECT_EQ(FSettings.ReadString("Misc", "GettingStarted"), "0");
}

// Create new database and Specify Field Lengths -----------------------------------------------------

struct NameCase {
    const char* Name;
    const char* Typed;
    const char* Kept; // the box holds at most 8 characters
    bool Valid;
};

class NewDataBaseNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(NewDataBaseNameTest, OkIsEnabledOnlyForAValidNameAndTheMessageShowsOtherwise)
{
    ScratchFolder folder;
    TNewDataBaseName window(nullptr, Settings(folder.File("CORVAN.ini")));
    window.SetSuggestedName("ADD0005");
    EXPECT_TRUE(window.OkButton->isEnabled());
    EXPECT_TRUE(window.InvalidNameLabel->isHidden());

    QLineEdit* name = Control<QLineEdit>(window, "NameEdit");
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClicks(name, GetParam().Typed);
    EXPECT_EQ(window.DataBaseName(), GetParam().Kept);
    EXPECT_EQ(window.OkButton->isEnabled(), GetParam().Valid);
    EXPECT_EQ(window.InvalidNameLabel->isHidden(), GetParam().Valid);
    EXPECT_EQ(window.InvalidNameLabel->text(), InvalidAddressFileNameMessage);
}

INSTANTIATE_TEST_SUITE_P(Names, NewDataBaseNameTest,
                         ::testing::Values(NameCase{"Suggestion", "ADD0005", "ADD0005", true},
                                           NameCase{"Underscore", "_list_1", "_list_1", true},
                                           NameCase{"LowerCase", "friends", "friends", true},
                                           NameCase{"NinthCharacterDropped", "ABCDEFGHI", "ABCDEFGH", true},
                                           NameCase{"Empty", "", "", false},
                                           NameCase{"DigitFirst", "1LIST", "1LIST", false},
                                           NameCase{"Hyphen", "MY-LIST", "MY-LIST", false},
                                           NameCase{"Blank", "MY LIST", "MY LIST", false},
                                           NameCase{"Extension", "LIST.DBF", "LIST.DBF", false}),
                         [](const auto& info) { return std::string(info.param.Name); });

using FieldLengthsTest = DialogTest;

TEST_F(FieldLengthsTest, OpeningReloadsTheWidthsFromTheSettingsFile)
{
    ASSERT_TRUE(FSettings.WriteInteger("NewFileFieldLengths", "FieldZIP", 5));
    ASSERT_TRUE(FSettings.WriteInteger("NewFileFieldLengths", "FieldCITY", 81));
    ASSERT_TRUE(FSettings.WriteInteger("NewFileFieldLengths", "FieldORG", 4));
    TNewDataBaseName window(nullptr, FSettings);
    EXPECT_EQ(window.FieldWidths().at("ZIP"), 5);
    EXPECT_EQ(window.FieldWidths().at("CITY"), 30);
    EXPECT_EQ(window.FieldWidths().at("ORG"), 30);
    EXPECT_EQ(window.FieldWidths().at("FAX"), 40);
    EXPECT_EQ(window.FieldWidths().size(), 18u);
    const std::vector<xbase::FieldSpec> fields = window.NewFileFields();
    ASSERT_EQ(fields.size(), 23u);
    EXPECT_EQ(fields[10].Name, "ZIP");
    EXPECT_EQ(fields[10].Width, 5);
    EXPECT_EQ(fields[2].Width, 1);   // MIDDLE is fixed
    EXPECT_EQ(fields[12].Width, 15); // DATE is fixed
}

struct TypedWidthCase {
    const char* Name;
    const char* Typed;
    int Kept;
};

class TypedWidthTest : public ::testing::TestWithParam<TypedWidthCase> {};

TEST_P(TypedWidthTest, AWidthOutsideTenToEightyGivesWayToThePreviousValue)
{
    AddressFieldWidths widths = LoadNewFileFieldLengths(Settings("/nonexistent/CORVAN.ini"));
    widths["ZIP"] = 12;
    ScratchFolder folder;
    TSpecifyFieldLengths window(widths, nullptr, Settings(folder.File("CORVAN.ini")));
    ShowActive(window);
    QLineEdit* zip = Control<QLineEdit>(window, "FieldZIP");
    EXPECT_EQ(zip->text(), "12");
    TypeAndLeave(zip, GetParam().Typed);
    EXPECT_EQ(zip->text(), QString::number(GetParam().Kept));
    EXPECT_EQ(window.FieldWidths().at("ZIP"), GetParam().Kept);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, TypedWidthTest,
    ::testing::Values(TypedWidthCase{"Nine", "9", 12}, TypedWidthCase{"Letters", "abc", 12},
                      TypedWidthCase{"Empty", "", 12}, TypedWidthCase{"EightyOne", "81", 12},
                      TypedWidthCase{"Negative", "-20", 12}, TypedWidthCase{"Fraction", "20.5", 12},
                      TypedWidthCase{"Ten", "10", 10}, TypedWidthCase{"Eighty", "80", 80},
                      TypedWidthCase{"TwentyFive", "25", 25}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(FieldLengthsTest, DefaultsGiveTheFieldDefaultsWithFaxThirty)
{
    AddressFieldWidths widths;
    for (const auto& field : SettableFields())
        widths[field.Name] = 50;
    TSpecifyFieldLengths window(widths, nullptr, FSettings);
    Click(window, "DefaultsButton");
    for (const auto& field : SettableFields()) {
        const int expected = field.Name == "FAX" ? 30 : field.DefaultWidth;
        EXPECT_EQ(window.EntryFor(field.Name)->text(), QString::number(expected)) << field.Name;
        EXPECT_EQ(window.FieldWidths().at(field.Name), expected) << field.Name;
    }
    EXPECT_EQ(window.FieldWidths().at("STREET"), 40);
}

TEST_F(FieldLengthsTest, TheCheckBoxDecidesWhetherOkWritesTheEighteenKeys)
{
    const AddressFieldWidths start = LoadNewFileFieldLengths(FSettings);
    {
        TSpecifyFieldLengths window(start, nullptr, FSettings);
        ShowActive(window);
        TypeAndLeave(window.EntryFor("LNAME"), "25");
        Click(window, "OkButton");
        EXPECT_EQ(window.FieldWidths().at("LNAME"), 25);
    }
    EXPECT_FALSE(std::filesystem::exists(FSettings.Path())); // this file only: nothing written

    TSpecifyFieldLengths window(start, nullptr, FSettings);
    ShowActive(window);
    TypeAndLeave(window.EntryFor("LNAME"), "25");
    window.UseForAllCheck->setChecked(true);
    Click(window, "OkButton");
    const IniFile file = FSettings.Load();
    for (const auto& field : SettableFields()) {
        ASSERT_TRUE(file.Value("NewFileFieldLengths", field.Key).has_value()) << field.Key;
        EXPECT_EQ(file.ReadInteger("NewFileFieldLengths", field.Key, 0),
                  field.Name == "LNAME" ? 25 : field.DefaultWidth)
            << field.Key;
    }
}

// Answers the modal window that `action` opens with `answer`, then runs `action`.
void WithModalAnswer(const std::function<void(QWidget*)>& answer, const std::function<void()>& action)
{
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        answer(modal);
    });
    action();
}

TEST_F(FieldLengthsTest, WidthsChangedForThisFileOnlyReachTheNewFileButNotTheSettings)
{
    TNewDataBaseName window(nullptr, FSettings);
    ShowActive(window);
    WithModalAnswer(
        [](QWidget* lengths) {
            EXPECT_EQ(lengths->windowTitle(), "Specify Field Lengths");
            ASSERT_TRUE(QTest::qWaitForWindowActive(lengths));
            TypeAndLeave(Control<QLineEdit>(*lengths, "FieldZIP"), "15");
            Click(*lengths, "OkButton");
        },
        [&] { Click(window, "FieldLengthsButton"); });
    EXPECT_EQ(window.FieldWidths().at("ZIP"), 15);
    EXPECT_EQ(window.NewFileFields()[10].Width, 15);
    EXPECT_FALSE(std::filesystem::exists(FSettings.Path()));

    // Cancel there keeps what the window had.
    WithModalAnswer(
        [](QWidget* lengths) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(lengths));
            TypeAndLeave(Control<QLineEdit>(*lengths, "FieldZIP"), "20");
            Click(*lengths, "CancelButton");
        },
        [&] { Click(window, "FieldLengthsButton"); });
    EXPECT_EQ(window.FieldWidths().at("ZIP"), 15);
}

// Select a Date ---------------------------------------------------------------------------------------

class DateSelectorTest : public ::testing::Test {
  protected:
    // Day before month, so 3 April read as month/day would be 4 March.
    DateSelectorTest() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~DateSelectorTest() override { QLocale::setDefault(FPrevious); }
    QLocale FPrevious;
};

struct DateCase {
    const char* Name;
    const char* Stored;
    const char* Button;
    DateChoice Choice;
    QString Result; // "today" for today's date
};

class DateSelectorCaseTest : public DateSelectorTest, public ::testing::WithParamInterface<DateCase> {};

TEST_P(DateSelectorCaseTest, GivesBackWhatTheButtonMeans)
{
    const DateCase& row = GetParam();
    TDateSelector window(row.Stored);
    Click(window, row.Button);
    EXPECT_EQ(window.Choice(), row.Choice);
    const QString expected = row.Result == "today" ? QDate::currentDate().toString("yyyyMMdd") : row.Result;
    EXPECT_EQ(window.StoredDate(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, DateSelectorCaseTest,
    ::testing::Values(
        DateCase{"OkKeepsTheStoredDay", "19970403", "OkButton", DateChoice::Date, "19970403"},
        DateCase{"OkOnAStoredValueWithTrailingBlanks", "20011231       ", "OkButton", DateChoice::Date,
                 "20011231"},
        DateCase{"OkWithoutDateGivesToday", "", "OkButton", DateChoice::Date, "today"},
        DateCase{"OkOnAnImpossibleDateGivesToday", "19970231", "OkButton", DateChoice::Date, "today"},
        DateCase{"TodayButton", "19970403", "TodayButton", DateChoice::Unchanged, "19970403"},
        DateCase{"NoDateGivesBlank", "19970403", "NoDateButton", DateChoice::NoDate, ""},
        DateCase{"CancelLeavesTheValue", "19970403", "CancelButton", DateChoice::Unchanged, "19970403"},
        DateCase{"CancelLeavesABadValue", "1997xx", "CancelButton", DateChoice::Unchanged, "1997xx"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(DateSelectorTest, TheChosenDateIsShownInTheLongFormatAndTheButtonsStepMonthsAndYears)
{
    TDateSelector window("19970403");
    EXPECT_EQ(window.DateLabel->text(), QLocale().toString(QDate(1997, 4, 3), QLocale::LongFormat));
    EXPECT_TRUE(window.DateLabel->text().contains("April")) << window.DateLabel->text().toStdString();
    EXPECT_EQ(window.Calendar->monthShown(), 4);

    Click(window, "MonthPlusButton");
    EXPECT_EQ(window.SelectedDate(), QDate(1997, 5, 3));
    EXPECT_EQ(window.Calendar->monthShown(), 5);
    Click(window, "YearMinusButton");
    EXPECT_EQ(window.SelectedDate(), QDate(1996, 5, 3));
    Click(window, "MonthMinusButton");
    Click(window, "MonthMinusButton");
    EXPECT_EQ(window.SelectedDate(), QDate(1996, 3, 3));
    Click(window, "YearPlusButton");
    EXPECT_EQ(window.DateLabel->text(), QLocale().toString(QDate(1997, 3, 3), QLocale::LongFormat));
    Click(window, "TodayButton");
    EXPECT_EQ(window.SelectedDate(), QDate::currentDate());
    Click(window, "OkButton");
    EXPECT_EQ(window.StoredDate(), QDate::currentDate().toString("yyyyMMdd"));

    EXPECT_EQ(Control<QPushButton>(window, "YearMinusButton")->toolTip(), "Show the previous year");
    EXPECT_EQ(Control<QPushButton>(window, "MonthPlusButton")->text(), "Month +");
}

// New Record ------------------------------------------------------------------------------------------

struct LayoutCase {
    const char* Name;
    bool AskZip;
    bool AskNames;
};

class NewRecordLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(NewRecordLayoutTest, ShowsTheBoxesThePreferencesAskForWithTheFieldWidths)
{
    const LayoutCase& row = GetParam();
    TGetFirstLastZip window({row.AskZip, row.AskNames, 9, 25, 20});
    ShowActive(window);
    EXPECT_EQ(window.ZipEdit->isVisible(), row.AskZip);
    EXPECT_EQ(window.ZipLabel->isVisible(), row.AskZip);
    EXPECT_EQ(window.LastNameEdit->isVisible(), row.AskNames);
    EXPECT_EQ(window.FirstNameEdit->isVisible(), row.AskNames);
    EXPECT_EQ(window.ZipEdit->maxLength(), 9);
    EXPECT_EQ(window.LastNameEdit->maxLength(), 25);
    EXPECT_EQ(window.FirstNameEdit->maxLength(), 20);
    QWidget* first = row.AskNames ? static_cast<QWidget*>(window.LastNameEdit) : window.ZipEdit;
    EXPECT_EQ(QApplication::focusWidget(), first);

    // Without the names the ZIP box sits where "Last Name" sits when everything is asked.
    TGetFirstLastZip full({true, true, 9, 25, 20});
    ShowActive(full);
    if (row.AskZip && !row.AskNames) {
        EXPECT_EQ(window.ZipEdit->y(), full.LastNameEdit->y());
    }
    if (row.AskZip && row.AskNames) {
        EXPECT_GT(window.ZipEdit->y(), window.FirstNameEdit->y());
    }

    // Hidden boxes give nothing back, whatever they hold.
    window.ZipEdit->setText("12345");
    window.LastNameEdit->setText("Lee");
    EXPECT_EQ(window.Zip(), row.AskZip ? "12345" : "");
    EXPECT_EQ(window.LastName(), row.AskNames ? "Lee" : "");
}

INSTANTIATE_TEST_SUITE_P(Preferences, NewRecordLayoutTest,
                         ::testing::Values(LayoutCase{"ZipOnly", true, false},
                                           LayoutCase{"NamesOnly", false, true},
                                           LayoutCase{"ZipAndNames", true, true}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct NewRecordKeyCase {
    const char* Name;
    bool AskZip;
    bool AskNames;
    const char* Box; // where the key is pressed
    Qt::Key Key;
    bool Finishes;
};

class NewRecordKeyTest : public ::testing::TestWithParam<NewRecordKeyCase> {};

TEST_P(NewRecordKeyTest, KeysThatActAsOk)
{
    const NewRecordKeyCase& row = GetParam();
    TGetFirstLastZip window({row.AskZip, row.AskNames, 10, 30, 30});
    ShowActive(window);
    if (row.AskNames) {
        QTest::keyClicks(window.LastNameEdit, "Lee");
        window.FirstNameEdit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(window.FirstNameEdit, "Ann");
    }
    if (row.AskZip) {
        window.ZipEdit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(window.ZipEdit, "02134");
    }
    QLineEdit* box = Control<QLineEdit>(window, row.Box);
    box->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(box, row.Key);
    QApplication::processEvents();
    EXPECT_EQ(window.result(), row.Finishes ? int(QDialog::Accepted) : 0);
    EXPECT_EQ(window.isVisible(), !row.Finishes);
    if (row.Finishes) {
        EXPECT_EQ(window.LastName(), row.AskNames ? "Lee" : "");
        EXPECT_EQ(window.FirstName(), row.AskNames ? "Ann" : "");
        EXPECT_EQ(window.Zip(), row.AskZip ? "02134" : "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, NewRecordKeyTest,
    ::testing::Values(
        NewRecordKeyCase{"PageDownInLastName", true, true, "LastNameEdit", Qt::Key_PageDown, true},
        NewRecordKeyCase{"PageDownInZip", true, false, "ZipEdit", Qt::Key_PageDown, true},
        NewRecordKeyCase{"EnterInZip", true, true, "ZipEdit", Qt::Key_Return, true},
        NewRecordKeyCase{"KeypadEnterInZip", true, false, "ZipEdit", Qt::Key_Enter, true},
        NewRecordKeyCase{"EnterInLastName", true, true, "LastNameEdit", Qt::Key_Return, false},
        NewRecordKeyCase{"TabFromFirstNameWithoutZip", false, true, "FirstNameEdit", Qt::Key_Tab, true},
        NewRecordKeyCase{"TabFromFirstNameToZip", true, true, "FirstNameEdit", Qt::Key_Tab, false},
        NewRecordKeyCase{"BacktabFromFirstNameWithoutZip", false, true, "FirstNameEdit", Qt::Key_Backtab,
                         false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(NewRecord, CancelAddsNothingAndTheButtonsReadAsThePreferencesSay)
{
    TGetFirstLastZip window({true, true, 10, 30, 30});
    EXPECT_EQ(window.windowTitle(), "New Record");
    EXPECT_EQ(window.OkButton->text(), "Ok [PgDn]");
    ShowActive(window);
    Click(window, "CancelButton");
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

// Copy Record To Clipboard -----------------------------------------------------------------------------

struct PartsCase {
    const char* Name;
    std::vector<const char*> Untick;
    RecordParts Expected;
};

class CopyToClipBoardTest : public ::testing::TestWithParam<PartsCase> {};

TEST_P(CopyToClipBoardTest, GivesTheTickedParts)
{
    TCopyToClipBoard window;
    for (const char* name : GetParam().Untick) {
        QCheckBox* check = Control<QCheckBox>(window, name);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
    }
    Click(window, "OkButton");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(window.Parts() == GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, CopyToClipBoardTest,
    ::testing::Values(
        PartsCase{"AllOnAtFirst", {}, {true, true, true, true, true}},
        PartsCase{"NoName", {"NameCheck"}, {false, true, true, true, true}},
        PartsCase{"OnlyAddress",
                  {"NameCheck", "PhonesCheck", "CodesCheck", "CommentsCheck"},
                  {false, true, false, false, false}},
        PartsCase{"NoPhonesNoComments", {"PhonesCheck", "CommentsCheck"}, {true, true, false, true, false}},
        PartsCase{"NoCodes", {"CodesCheck"}, {true, true, true, false, true}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CopyToClipBoard, CaptionsShowOneAmpersand)
{
    TCopyToClipBoard window;
    EXPECT_EQ(window.windowTitle(), "Copy Record To Clipboard");
    EXPECT_EQ(window.CommentsCheck->text(), "Comments 1 && 2");
    EXPECT_EQ(window.NameCheck->text(), "Name, Organization, Title");
}

// Searching and About ---------------------------------------------------------------------------------

TEST(Searching, CancelStopsTheCallersLoopAndFinishingDoesNotCount)
{
    TCVWSearching searching("smith");
    EXPECT_EQ(searching.windowTitle(), "Searching");
    EXPECT_EQ(searching.SearchingLabel->text(), "Searching for: smith");
    searching.Start();
    EXPECT_TRUE(searching.isVisible());
    EXPECT_TRUE(searching.ProcessUserInput());
    searching.Finish();
    EXPECT_FALSE(searching.isVisible());
    EXPECT_FALSE(searching.WasCancelled());

    TCVWSearching cancelled("<b>x</b>");
    cancelled.Start();
    int visited = 0;
    while (cancelled.ProcessUserInput() && visited < 1000) {
        if (++visited == 3) // the user presses Cancel while the third record is looked at
            QTimer::singleShot(0, cancelled.CancelButton, [&] { Click(cancelled, "CancelButton"); });
    }
    EXPECT_EQ(visited, 3);
    EXPECT_TRUE(cancelled.WasCancelled());
    EXPECT_EQ(cancelled.SearchingLabel->text(), "Searching for: <b>x</b>");
}

TEST(About, ShowsTheProgramNameAndVersion)
{
    TSplashform about;
    EXPECT_EQ(about.ProgramNameLabel->text(), "Corvane");
    EXPECT_EQ(about.PlatformLabel->text(), "32-bit version");
    EXPECT_TRUE(about.VersionLabel->text().startsWith("Version "));
    EXPECT_GT(about.VersionLabel->text().size(), 8);
}

// What every window has -----------------------------------------------------------------------------

struct WindowCase {
    const char* Name;
    std::function<std::unique_ptr<QDialog>(const Settings&)> Make;
    const char* Title;
    int HelpContext; // 0: no Help button
};

class EveryWindowTest : public ::testing::TestWithParam<WindowCase> {};

TEST_P(EveryWindowTest, TitleWhatsThisForEachControlAndHelpTopic)
{
    ScratchFolder folder;
    const std::unique_ptr<QDialog> window = GetParam().Make(Settings(folder.File("CORVAN.ini")));
    EXPECT_EQ(window->windowTitle(), GetParam().Title);
    EXPECT_EQ(window->objectName(), GetParam().Name);

    QStringList unexplained;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const bool isControl = qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control) ||
                               qobject_cast<QComboBox*>(control) || qobject_cast<QCalendarWidget*>(control) ||
                               qobject_cast<QTextBrowser*>(control);
        const QString name = control->objectName();
        if (!isControl || name.startsWith("qt_") || name == "MouseHelpButton")
            continue;
        // Controls inside a control (the calendar's own) are explained by it.
        bool inner = false;
        for (QWidget* parent = control->parentWidget(); parent && parent != window.get();
             parent = parent->parentWidget())
            inner = inner || qobject_cast<QCalendarWidget*>(parent) || qobject_cast<QComboBox*>(parent);
        if (inner)
            continue;
        if (name.isEmpty() || control->whatsThis().isEmpty())
            unexplained << (name.isEmpty() ? control->metaObject()->className() : name);
    }
    EXPECT_TRUE(unexplained.isEmpty()) << unexplained.join(", ").toStdString();

    if (GetParam().HelpContext != 0) {
        Click(*window, "HelpButton");
        EXPECT_TRUE(HelpViewer().isVisible());
        EXPECT_EQ(HelpViewer().HelpText->source().fileName(), QString("%1.html").arg(GetParam().HelpContext));
        HelpViewer().hide();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, EveryWindowTest,
    ::testing::Values(
        WindowCase{"TPreferences",
                   [](const Settings& s) { return std::make_unique<TPreferences>(nullptr, s); },
                   "Preferences", 1038},
        WindowCase{
            "TGettingStarted",
            [](const Settings& s) { return std::make_unique<TGettingStarted>(nullptr, s, [](int) {}); },
            "Getting Started", 0},
        WindowCase{"TSplashform", [](const Settings&) { return std::make_unique<TSplashform>(); }, "About",
                   0},
        WindowCase{"TNewDataBaseName",
                   [](const Settings& s) { return std::make_unique<TNewDataBaseName>(nullptr, s); },
                   "Create new database", 1037},
        WindowCase{"TSpecifyFieldLengths",
                   [](const Settings& s) {
                       return std::make_unique<TSpecifyFieldLengths>(LoadNewFileFieldLengths(s), nullptr, s);
                   },
                   "Specify Field Lengths", 1037},
        WindowCase{"TDateSelector",
                   [](const Settings&) { return std::make_unique<TDateSelector>("19970403"); },
                   "Select a Date", 1030},
        WindowCase{"TCopyToClipBoard", [](const Settings&) { return std::make_unique<TCopyToClipBoard>(); },
                   "Copy Record To Clipboard", 1030},
        WindowCase{"TGetFirstLastZip",
                   [](const Settings&) {
                       return std::make_unique<TGetFirstLastZip>(NewRecordQuestions{true, true, 10, 30, 30});
                   },
                   "New Record", 1091},
        WindowCase{"TCVWSearching", [](const Settings&) { return std::make_unique<TCVWSearching>("x"); },
                   "Searching", 0}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace corvane
