// The main record window driven through its controls (found by object name) on the offscreen
// platform, in a scratch program directory: start-up, adding, editing, the keyboard, the button
// states, memo search, the clipboard, preferences, placement and the single-instance hand-over.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcutEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "app/ProgramNames.h"
#include "app/TAddressMain.h"
#include "app/TDateSelector.h"
#include "app/TPreferences.h"
#include "core/RecentFiles.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/Settings.h"
#include "platform/windows/SingleInstance.h"
#include "platform/windows/WindowPlacement.h"
#include "support/AddressSessionProbe.h"
#include "support/AddressTableFixture.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

using testing::MakeAddressFile;
using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "Adams"},
     {"FNAME", "John"},
     {"CITY", "Springfield"},
     {"STATE", "IL"},
     {"ZIP", "62701"},
     {"ORG", "Acme"},
     {"PHONE", "555-0101"},
     {"DATE", "19970428"}},
    {{"LNAME", "Baker"},
     {"FNAME", "Mary"},
     {"STREET", "4 Harbor Rd"},
     {"CITY", "Boston"},
     {"STATE", "MA"},
     {"ZIP", "02110"},
     {"MEMO", "Wants the BLUE catalogue"}},
    {{"LNAME", "Clark"},
     {"FNAME", "Ann"},
     {"CITY", "Albany"},
     {"STATE", "NY"},
     {"ZIP", "12207"},
     {"MEMO", "blue and green"}},
};

template <typename T> T* Find(const QWidget& window, const char* name)
{
    T* control = window.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

void Click(QPushButton* button)
{
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

// Answers the modal window that `action` opens with `answer`.
void WithModal(const std::function<void(QWidget*)>& answer, const std::function<void()>& action)
{
    bool answered = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        answered = true;
        answer(modal);
    });
    action();
    EXPECT_TRUE(answered);
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { Write("Misc", "GettingStarted", "1"); }

    void Write(const char* section, const char* key, const std::string& value)
    {
        ASSERT_TRUE(Settings().WriteString(section, key, value));
    }
    // people.DBF in DATA as the most recent file.
    void MakePeople()
    {
        FPath = DataDirectory() + "people.DBF";
        MakeAddressFile(FPath, People);
        PutMRUList(Settings(), {FPath});
    }
    TAddressMain& Start()
    {
        FWindow = std::make_unique<TAddressMain>();
        FWindow->show();
        FWindow->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(FWindow.get()));
        FWindow->FormActivate();
        return *FWindow;
    }
    // Hidden or shown as the window shows it (independent of whether the window itself is on screen).
    bool Shown(const char* name) { return !Find<QWidget>(*FWindow, name)->isHidden(); }
    bool Enabled(const char* name) { return Find<QWidget>(*FWindow, name)->isEnabled(); }
    QString Text(const char* name) { return Find<QLineEdit>(*FWindow, name)->text(); }
    void Type(const char* name, const QString& text)
    {
        QLineEdit* edit = Find<QLineEdit>(*FWindow, name);
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }
    std::string Stored(const char* field)
    {
        return *AddressSessionProbe::Table(FWindow->Session()).GetField(field);
    }

    testing::ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    std::unique_ptr<TAddressMain> FWindow;
    std::string FPath;
};

TEST_F(MainWindowTest, FirstStartCreatesTheDefaultFileWithTheSettingsWidths)
{
    Write("NewFileFieldLengths", "FieldZIP", "12");
    TAddressMain& window = Start();
    const std::string path = DataDirectory() + "add0001.DBF";
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_TRUE(window.Session().IsOpen());
    EXPECT_EQ(window.windowTitle().toStdString(), "Corvane - " + path);
    EXPECT_EQ(window.ZipEdit->maxLength(), 12);
    EXPECT_EQ(window.RecordStack->currentWidget(), window.RecordArea);
    EXPECT_EQ(window.FilterStatus->text(), "No records");
    EXPECT_EQ(window.SortStatus->text(), "Sorted by Last Name");
    EXPECT_EQ(GetMRUList(Settings()), std::vector<std::string>{path});
    EXPECT_TRUE(FMessages.Messages.empty());
}

TEST_F(MainWindowTest, ARecentFileThatFailsStaysInTheListAndTheNoDataPanelShows)
{
    const std::string missing = FHome.File("gone.DBF");
    PutMRUList(Settings(), {missing, "/elsewhere/other.DBF"});
    TAddressMain& window = Start();
    EXPECT_FALSE(window.Session().IsOpen());
    EXPECT_EQ(window.RecordStack->currentWidget(), window.NoDataPanel);
    EXPECT_EQ(window.NoDataPanel->text(), "Please Open or Create a Corvane Address file");
    EXPECT_FALSE(std::filesystem::exists(DataDirectory() + "add0001.DBF"));
    EXPECT_EQ(GetMRUList(Settings()), (std::vector<std::string>{missing, "/elsewhere/other.DBF"}));
    ASSERT_EQ(FMessages.Messages.size(), 2u);
    EXPECT_EQ(FMessages.Messages[0].Text, "File " + missing + " not found");
    // The recent files follow the separator, full paths as captions.
    QAction* first = Find<QAction>(window, "mnuRecent1");
    EXPECT_EQ(first->text().toStdString(), missing);
    EXPECT_TRUE(Find<QAction>(window, "mnuRecent2"));
    EXPECT_FALSE(Enabled("AddButton"));
    EXPECT_FALSE(Shown("FilterStatus"));
}

TEST_F(MainWindowTest, ButtonsFollowTheRecordState)
{
    MakePeople();
    TAddressMain& window = Start();
    // Ready.
    for (const char* name :
         {"AddButton", "EditButton", "DeleteButton", "ExitButton", "RecordNext", "SearchMemoButton"})
        EXPECT_TRUE(Shown(name) && Enabled(name)) << name;
    for (const char* name : {"SaveButton", "CancelButton", "ClearfilterButton", "SearchMemoNextButton"})
        EXPECT_FALSE(Shown(name)) << name;
    // Later work: in place, disabled.
    EXPECT_FALSE(Enabled("EnvelopesButton"));
    EXPECT_FALSE(Find<QAction>(window, "mnuPrintEnvelopes")->isEnabled());
    EXPECT_TRUE(Find<QAction>(window, "mnuClone")->isEnabled());

    // Editing starts by typing.
    Type("FirstEdit", "ny");
    EXPECT_TRUE(window.Session().IsEditing());
    for (const char* name : {"SaveButton", "CancelButton"})
        EXPECT_TRUE(Shown(name) && Enabled(name)) << name;
    for (const char* name : {"AddButton", "EditButton", "DeleteButton", "ExitButton", "RecordNext"})
        EXPECT_FALSE(Shown(name)) << name;
    EXPECT_FALSE(window.FileMenu->menuAction()->isEnabled());
    EXPECT_FALSE(window.RecordMenu->menuAction()->isEnabled());

    Click(window.CancelButton);
    EXPECT_EQ(Text("FirstEdit"), "John");
    EXPECT_TRUE(Shown("AddButton"));
    EXPECT_EQ(Stored("FNAME"), "John");
}

TEST_F(MainWindowTest, EveryControlHasAWhatsThisText)
{
    TAddressMain& window = Start();
    int controls = 0;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const bool named = !control->objectName().isEmpty() && !control->objectName().startsWith("qt_");
        const bool interactive = qobject_cast<QLineEdit*>(control) ||
                                 qobject_cast<QAbstractButton*>(control) ||
                                 qobject_cast<QPlainTextEdit*>(control);
        const bool tabBarPart = qobject_cast<QTabBar*>(control->parentWidget()) != nullptr;
        if (!named || !interactive || tabBarPart || control->window() != &window)
            continue;
        ++controls;
        EXPECT_FALSE(control->whatsThis().isEmpty()) << control->objectName().toStdString();
    }
    EXPECT_GT(controls, 40);
}

TEST_F(MainWindowTest, EditSaveCancelDeleteAndClone)
{
    MakePeople();
    TAddressMain& window = Start();
    // Edit and save.
    Click(window.EditButton);
    window.CityEdit->selectAll();
    Type("CityEdit", "Quincy");
    Click(window.SaveButton);
    EXPECT_FALSE(window.Session().IsEditing());
    EXPECT_EQ(Stored("CITY"), "Quincy");

    // Double-click starts an edit; "MI" takes upper case.
    QTest::mouseDClick(window.MIEdit, Qt::LeftButton);
    EXPECT_TRUE(window.Session().IsEditing());
    QTest::keyClicks(window.MIEdit, "q");
    EXPECT_EQ(Text("MIEdit"), "Q");
    Click(window.SaveButton);
    EXPECT_EQ(Stored("MIDDLE"), "Q");

    // Clone: a copy is the current record.
    FMessages.Answers = {true};
    window.findChild<QAction*>("mnuClone")->trigger();
    EXPECT_EQ(AddressSessionProbe::Table(window.Session()).RecordCount(), 4u);
    EXPECT_EQ(AddressSessionProbe::Table(window.Session()).RecNo(), 4u);
    EXPECT_EQ(Text("LastEdit"), "Adams");
    EXPECT_EQ(FMessages.Messages.back().Text, "Clone completed. Current record is an exact copy");

    // Delete the clone: the previous record (in name order) is shown.
    FMessages.Answers = {true};
    Click(window.DeleteButton);
    EXPECT_EQ(window.FilterStatus->text(), "3 records (no filter)");
    EXPECT_EQ(Text("LastEdit"), "Adams");
}

TEST_F(MainWindowTest, AddCarriesForwardAndFillsCityAndStateFromTheZip)
{
    Write("Adding", "PlugCityState", "1");
    Write("Adding", "CarryOrg", "1");
    Write("Adding", "CarryCity", "1");
    Write("Adding", "SkipLastName", "1");
    MakePeople();
    TAddressMain& window = Start(); // Adams, Acme, Springfield
    WithModal(
        [](QWidget* newRecord) {
            EXPECT_EQ(newRecord->windowTitle(), "New Record");
            QTest::keyClicks(Find<QLineEdit>(*newRecord, "ZipEdit"), "021");
            Click(Find<QPushButton>(*newRecord, "OkButton"));
        },
        [&] { Click(window.AddButton); });
    ASSERT_EQ(window.Session().Mode(), EditMode::Inserting);
    EXPECT_EQ(Text("CityEdit"), "Boston"); // found, wins over the carried city
    EXPECT_EQ(Text("StateEdit"), "MA");
    EXPECT_EQ(Text("ZipEdit"), "021");
    EXPECT_EQ(Text("OrgEdit"), "Acme");
    EXPECT_EQ(Text("LastEdit"), "");
    // "Last" is skipped, so the cursor starts in "First", and Tab leaves "Last" out.
    // (The offscreen platform does not give the window back its activation after the modal
    // window; the focus child is where the cursor will be.)
    EXPECT_EQ(window.focusWidget(), window.FirstEdit);
    EXPECT_EQ(window.LastEdit->focusPolicy(), Qt::ClickFocus);
    Type("LastEdit", "Newman");
    QTest::keyClick(window.LastEdit, Qt::Key_Return, Qt::ControlModifier); // Ctrl+Enter saves
    EXPECT_FALSE(window.Session().IsEditing());
    EXPECT_EQ(window.LastEdit->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(AddressSessionProbe::Table(window.Session()).RecordCount(), 4u);
    EXPECT_EQ(Stored("LNAME"), "Newman");
    EXPECT_EQ(Stored("CITY"), "Boston");
}

TEST_F(MainWindowTest, TheDuplicateWarningAnsweredNoShowsTheDuplicate)
{
    Write("Adding", "AutoDupCheck", "1");
    MakePeople();
    TAddressMain& window = Start();
    FMessages.Answers = {false};
    WithModal(
        [](QWidget* newRecord) {
            QTest::keyClicks(Find<QLineEdit>(*newRecord, "LastNameEdit"), "clark");
            QTest::keyClicks(Find<QLineEdit>(*newRecord, "FirstNameEdit"), "ann");
            Click(Find<QPushButton>(*newRecord, "OkButton"));
        },
        [&] { Click(window.AddButton); });
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_EQ(FMessages.Messages[0].Caption, "Possible Duplicate");
    EXPECT_FALSE(window.Session().IsEditing());
    EXPECT_EQ(Text("LastEdit"), "Clark");
    EXPECT_EQ(AddressSessionProbe::Table(window.Session()).RecordCount(), 3u);
}

TEST_F(MainWindowTest, KeyboardTable)
{
    MakePeople();
    TAddressMain& window = Start();
    QTest::keyClick(window.LastEdit, Qt::Key_PageDown);
    EXPECT_EQ(Text("LastEdit"), "Baker");
    QTest::keyClick(window.LastEdit, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(Text("LastEdit"), "Clark");
    QTest::keyClick(window.LastEdit, Qt::Key_PageDown); // past the last: stays
    EXPECT_EQ(Text("LastEdit"), "Clark");
    QTest::keyClick(window.LastEdit, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(Text("LastEdit"), "Adams");
    QTest::keyClick(window.LastEdit, Qt::Key_PageUp); // before the first: stays
    EXPECT_EQ(Text("LastEdit"), "Adams");

    // While editing: Page Down asks to save, Escape to cancel; No keeps the edit.
    Type("Comment1Edit", "hello");
    FMessages.Answers = {false};
    QTest::keyClick(window.Comment1Edit, Qt::Key_PageDown);
    EXPECT_EQ(FMessages.Messages.back().Caption, "Save");
    EXPECT_TRUE(window.Session().IsEditing());
    FMessages.Answers = {false};
    QTest::keyClick(window.Comment1Edit, Qt::Key_Escape);
    EXPECT_EQ(FMessages.Messages.back().Caption, "Cancel");
    EXPECT_EQ(FMessages.Messages.back().Text, "Cancel changes?");
    EXPECT_TRUE(window.Session().IsEditing());
    FMessages.Answers = {true};
    QTest::keyClick(window.Comment1Edit, Qt::Key_PageDown);
    EXPECT_FALSE(window.Session().IsEditing());
    EXPECT_EQ(Stored("USER1"), "hello");

    // Alt+Enter saves, then offers another record.
    Type("Comment2Edit", "x");
    FMessages.Answers = {true};
    QTest::keyClick(window.Comment2Edit, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(FMessages.Messages.back().Text, "Add another record?");
    EXPECT_EQ(window.Session().Mode(), EditMode::Inserting);
}

// Which control an Alt+letter reaches: the shortcut event is caught before it acts (a menu is
// let through to see which one opens). Two owners of one letter arrive as "ambiguous".
class MnemonicProbe : public QObject {
  public:
    explicit MnemonicProbe(QWidget& window) : FWindow(window) { qApp->installEventFilter(this); }
    ~MnemonicProbe() override { qApp->removeEventFilter(this); }

    std::string Press(QChar letter)
    {
        FOwner.clear();
        QTest::keyClick(&FWindow, letter.toLatin1(), Qt::AltModifier);
        QApplication::processEvents();
        if (QWidget* popup = QApplication::activePopupWidget()) {
            FOwner = popup->objectName().toStdString();
            popup->close();
        }
        return FOwner;
    }

  protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() != QEvent::Shortcut ||
            static_cast<QShortcutEvent*>(event)->key().toString().left(4) != "Alt+")
            return false;
        if (static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            FOwner = "ambiguous";
            return true;
        }
        if (qobject_cast<QMenuBar*>(receiver)) {
            FOwner = "a menu that does not open";
            return false;
        }
        FOwner = qobject_cast<QTabBar*>(receiver) ? "TabSet" : receiver->objectName().toStdString();
        return true;
    }

  private:
    QWidget& FWindow;
    std::string FOwner;
};

// Every Alt+letter and digit of the main window, ready and editing: each reaches the one usable
// control that shows it, and a disabled or hidden one never takes it.
TEST_F(MainWindowTest, EveryMnemonicReachesItsOneUsableControl)
{
    MakePeople();
    TAddressMain& window = Start();
    const std::map<QChar, std::string> ready = {
        {'A', "AddButton"},  {'D', "DeleteButton"},  {'E', "EditButton"}, {'F', "FileMenu"},
        {'H', "HelpMenu"},   {'I', "TabSet"},        {'M', "TabSet"},     {'P', "PrintMenu"},
        {'R', "RecordMenu"}, {'S', "SortMenu"},      {'U', "UtilitiesMenu"}, {'X', "ExitButton"},
        {'1', "DialPhone1Button"}, {'2', "DialPhone2Button"},
    };
    const std::map<QChar, std::string> editing = {
        {'C', "CancelButton"}, {'H', "HelpMenu"}, {'I', "TabSet"}, {'M', "TabSet"}, {'S', "SaveButton"},
    };
    {
        MnemonicProbe probe(window);
        for (bool edit : {false, true}) {
            if (edit)
                Type("Comment1Edit", "x");
            ASSERT_EQ(window.Session().IsEditing(), edit);
            const auto& expected = edit ? editing : ready;
            for (QChar letter : QString("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789")) {
                const auto found = expected.find(letter);
                EXPECT_EQ(probe.Press(letter), found == expected.end() ? std::string() : found->second)
                    << (edit ? "editing, Alt+" : "ready, Alt+") << letter.toLatin1();
            }
        }
    }
    // Alt+S saves while editing.
    QTest::keyClick(&window, 's', Qt::AltModifier);
    QTest::qWait(300); // a button's mnemonic clicks it after its short animation
    EXPECT_FALSE(window.Session().IsEditing());
    EXPECT_EQ(Stored("USER1"), "x");
}

// A start-up question is asked over a window already laid out: the record area shown, the
// buttons below it.
TEST_F(MainWindowTest, TheStartUpQuestionComesOverALaidOutWindow)
{
    MakePeople();
    std::filesystem::remove(DataDirectory() + "people.CDX");
    struct Watcher : RecordingMessageService {
        std::function<void()> OnAsk;
        bool AskYesNo(const std::string& text, const std::string& caption) override
        {
            OnAsk();
            return RecordingMessageService::AskYesNo(text, caption);
        }
    } watcher;
    ScopedMessageService installed(watcher);
    bool asked = false;
    watcher.OnAsk = [&] {
        asked = true;
        QWidget* stack = Find<QWidget>(*FWindow, "RecordStack");
        QWidget* bar = Find<QWidget>(*FWindow, "BottomBar");
        EXPECT_TRUE(stack->isVisible());
        EXPECT_EQ(static_cast<QStackedWidget*>(stack)->currentWidget(), FWindow->RecordArea);
        EXPECT_GE(bar->geometry().top(), stack->geometry().bottom());
        EXPECT_GT(stack->height(), bar->height());
    };
    // No: the question is what is checked here; the rebuild's own window has tests of its own.
    watcher.Answers = {false};
    Start();
    EXPECT_TRUE(asked);
}

TEST_F(MainWindowTest, EscapeInTheMemoAnsweredNoKeepsTheEdit)
{
    MakePeople();
    TAddressMain& window = Start();
    window.TabSet->setCurrentIndex(1);
    window.MemoEdit->setFocus();
    QTest::keyClicks(window.MemoEdit, "note");
    ASSERT_TRUE(window.Session().IsEditing());
    FMessages.Answers = {false};
    QTest::keyClick(window.MemoEdit, Qt::Key_Escape);
    EXPECT_TRUE(window.Session().IsEditing());
    EXPECT_EQ(window.MemoEdit->toPlainText(), "note");
    FMessages.Answers = {true};
    QTest::keyClick(window.MemoEdit, Qt::Key_Escape);
    EXPECT_FALSE(window.Session().IsEditing());
    EXPECT_EQ(window.MemoEdit->toPlainText(), "");
}

TEST_F(MainWindowTest, TheDatePickerStartsFromTheStoredDate)
{
    MakePeople();
    TAddressMain& window = Start(); // Adams, 19970428
    WithModal(
        [](QWidget* modal) {
            auto* selector = qobject_cast<TDateSelector*>(modal);
            ASSERT_NE(selector, nullptr);
            EXPECT_EQ(selector->SelectedDate(), QDate(1997, 4, 28));
            Click(selector->MonthPlusButton);
            Click(selector->OkButton);
        },
        [&] { Click(window.DateLabel); });
    EXPECT_TRUE(window.Session().IsEditing());
    Click(window.SaveButton);
    EXPECT_EQ(Stored("DATE"), "19970528");
}

TEST_F(MainWindowTest, MemoSearchFindsNextAndHidesFindNextWhenNothingMore)
{
    MakePeople();
    TAddressMain& window = Start();
    window.TabSet->setCurrentIndex(1);
    WithModal(
        [](QWidget* modal) {
            auto* input = qobject_cast<QInputDialog*>(modal);
            ASSERT_NE(input, nullptr);
            EXPECT_EQ(input->windowTitle(), "Memo Search");
            EXPECT_EQ(input->labelText(), "Search For");
            input->setTextValue("blue");
            input->accept();
        },
        [&] { Click(window.SearchMemoButton); });
    EXPECT_EQ(Text("LastEdit"), "Baker");
    EXPECT_TRUE(Shown("SearchMemoNextButton"));
    Click(window.SearchMemoNextButton);
    EXPECT_EQ(Text("LastEdit"), "Clark");
    Click(window.SearchMemoNextButton);
    EXPECT_EQ(Text("LastEdit"), "Clark");
    EXPECT_FALSE(Shown("SearchMemoNextButton"));
}

TEST_F(MainWindowTest, CopyToClipboardPutsTheChosenPartsThere)
{
    MakePeople();
    TAddressMain& window = Start();
    WithModal(
        [](QWidget* modal) {
            Find<QCheckBox>(*modal, "AddressCheck")->setChecked(false);
            Click(Find<QPushButton>(*modal, "OkButton"));
        },
        [&] { window.findChild<QAction*>("mnuCopyToClipboard")->trigger(); });
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "John Adams \r\nAcme\r\nPhone  :555-0101\r\n");
    EXPECT_EQ(FMessages.Messages.back().Text, "Record copied to Windows Clipboard");
}

TEST_F(MainWindowTest, PreferencesAreWrittenAndReloaded)
{
    MakePeople();
    TAddressMain& window = Start();
    EXPECT_FALSE(window.Session().Preferences().Adding.PlugDate);
    WithModal(
        [](QWidget* modal) {
            auto* preferences = qobject_cast<TPreferences*>(modal);
            ASSERT_NE(preferences, nullptr);
            preferences->CheckBoxFor("PlugDate")->setChecked(true);
            Click(preferences->OkButton);
        },
        [&] { window.findChild<QAction*>("mnuPreferences")->trigger(); });
    EXPECT_TRUE(Settings().ReadBool("Adding", "PlugDate", false));
    EXPECT_TRUE(window.Session().Preferences().Adding.PlugDate);
}

TEST_F(MainWindowTest, AggressiveSavingReopensTheFileAndKeepsTheRecord)
{
    for (int level : {0, 1, 2}) {
        SCOPED_TRACE(level);
        Write("Editing", "AggressiveSave", std::to_string(level));
        MakePeople();
        TAddressMain& window = Start();
        QTest::keyClick(window.LastEdit, Qt::Key_PageDown); // Baker
        Type("CodesEdit", "V");
        Click(window.SaveButton);
        EXPECT_EQ(window.Session().SaveCounter(), level == 1 ? 1 : 0);
        EXPECT_TRUE(window.Session().IsOpen());
        EXPECT_EQ(Text("LastEdit"), "Baker");
        EXPECT_EQ(Text("CodesEdit"), "V");
        EXPECT_TRUE(FMessages.Messages.empty());
        FWindow.reset();
    }
}

TEST_F(MainWindowTest, RebuildIndexesPacksAndKeepsOrderAndRecord)
{
    MakePeople();
    TAddressMain& window = Start();
    FMessages.Answers = {true};
    Click(window.DeleteButton); // Adams goes
    Find<QAction>(window, "mnuSortCITY")->trigger();
    QTest::keyClick(window.LastEdit, Qt::Key_PageDown, Qt::ControlModifier); // Boston: Baker
    WithModal([](QWidget* reindex) { Click(Find<QPushButton>(*reindex, "ReindexButton")); },
              [&] { Find<QAction>(window, "mnuRebuildIndexes")->trigger(); });
    EXPECT_EQ(AddressSessionProbe::Table(window.Session()).RecordCount(), 2u);
    EXPECT_TRUE(window.Session().IndexesValid());
    EXPECT_EQ(window.SortStatus->text(), "Sorted by City");
    EXPECT_EQ(Text("LastEdit"), "Baker");
    EXPECT_EQ(FMessages.Messages.size(), 1u);
}

TEST_F(MainWindowTest, SortMenuSelectsTheOrderAndMovesTheCheckMark)
{
    MakePeople();
    TAddressMain& window = Start();
    QAction* city = Find<QAction>(window, "mnuSortCITY");
    city->trigger();
    EXPECT_EQ(window.SortStatus->text(), "Sorted by City");
    EXPECT_TRUE(city->isChecked());
    EXPECT_FALSE(Find<QAction>(window, "mnuSortLNAME")->isChecked());
    Click(window.RecordFirst);
    EXPECT_EQ(Text("LastEdit"), "Clark"); // Albany
}

TEST_F(MainWindowTest, AnOversizedSavedPlacementIsPulledBackOnScreen)
{
    MakePeople();
    auto probe = std::make_unique<TAddressMain>();
    const QRect screen = probe->screen()->geometry();
    const QString section = PlacementSectionName("TAddressMain", probe->logicalDpiY());
    probe.reset();
    // Saved on a larger screen: 600 x 560, reaching 300 and 200 pixels past this one's edges.
    Settings settings;
    const std::string name = section.toStdString();
    const int left = screen.right() + 1 + 300 - 600;
    const int top = screen.bottom() + 1 + 200 - 560;
    ASSERT_TRUE(settings.WriteInteger(name, "Left", left));
    ASSERT_TRUE(settings.WriteInteger(name, "Top", top));
    ASSERT_TRUE(settings.WriteInteger(name, "Right", left + 600));
    ASSERT_TRUE(settings.WriteInteger(name, "Bottom", top + 560));
    ASSERT_TRUE(settings.WriteBool(name, "Maximized", false));
    TAddressMain& window = Start();
    EXPECT_EQ(window.geometry(), QRect(left - 300, top - 200, 600, 560));
    EXPECT_EQ(window.geometry().bottomRight(), screen.bottomRight());
}

TEST_F(MainWindowTest, ClosingDiscardsAnUnsavedEditAndSavesThePlacement)
{
    MakePeople();
    TAddressMain& window = Start();
    Type("FirstEdit", "athan");
    window.close();
    EXPECT_FALSE(window.Session().IsOpen());
    xbase::Table table;
    ASSERT_TRUE(table.Open(FPath));
    EXPECT_EQ(*table.GetField("FNAME"), "John");
    const QString section = PlacementSectionName("TAddressMain", window.logicalDpiY());
    EXPECT_NE(Settings().ReadInteger(section.toStdString(), "Bottom", 0), 0);
}

// The platform appends a display name that was set to every window title; the caption carries
// the name already, so none is set (the display name then follows the application name).
TEST(ProgramNames, TheTitleCarriesTheNameOnce)
{
    NameProgram();
    EXPECT_EQ(QApplication::applicationName(), "Corvane");
    QApplication::setApplicationName("Probe");
    EXPECT_EQ(QApplication::applicationDisplayName(), "Probe");
    NameProgram();
}

TEST(SingleInstanceHandOver, ASecondStartCallsTheFirstWindowForwardAndEnds)
{
    const QString name = QString("corvane-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(name);
    ASSERT_TRUE(first.Start());
    QWidget window;
    window.show();
    window.showMinimized();
    bool called = false;
    QObject::connect(&first, &SingleInstance::ActivateRequested, &window, [&] {
        called = true;
        BringToFront(&window);
    });
    SingleInstance second(name);
    EXPECT_FALSE(second.Start());
    EXPECT_TRUE(QTest::qWaitFor([&] { return called; }, 5000));
    EXPECT_FALSE(window.isMinimized());
}

} // namespace
} // namespace corvane
