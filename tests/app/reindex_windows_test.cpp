// The rebuild windows driven through their buttons over the main window (offscreen, in a scratch
// program directory): the address file's rebuild from the File menu and from the open sequence's
// question, its gauge, the system rebuild with a table missing, "Cancel" before the start, and
// "Tag All Filter Matches".
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include "app/FindingHarness.h"
#include "app/TAddressMain.h"
#include "app/TCVReindex.h"
#include "app/TRebuildWindow.h"
#include "app/TSystemReindex.h"
#include "core/RecentFiles.h"
#include "core/SystemTables.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/Settings.h"
#include "platform/windows/HelpViewer.h"
#include "platform/xbase/CompanionFiles.h"
#include "support/AddressSessionProbe.h"
#include "support/AddressTableFixture.h"
#include "support/ScratchHome.h"
#include "utilities/windows/TTagAllRecords.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::MakeAddressFile;
using testing::Person;

constexpr int PeopleCount = 100;
constexpr int DeletedCount = 10;

// P001 ... P100, every other one in Massachusetts; the ten of P001 ... P020 with odd numbers are
// deleted, so they sit before the record the menu test keeps.
void MakePeople(const std::string& path)
{
    std::vector<Person> people;
    for (int i = 1; i <= PeopleCount; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "P%03d", i);
        people.push_back({{"LNAME", name}, {"STATE", i % 2 == 0 ? "MA" : "NY"}});
    }
    MakeAddressFile(path, people);
    xbase::Table table;
    ASSERT_TRUE(table.Open(path));
    for (uint32_t recno = 1; recno <= 2 * DeletedCount; recno += 2) {
        ASSERT_TRUE(table.GoTo(recno));
        ASSERT_TRUE(table.PutField("ISDEL", "T"));
        ASSERT_TRUE(table.Delete());
    }
    ASSERT_TRUE(table.Close());
}

// What the rebuild window showed at each step of its work.
struct Step {
    int Gauge;
    QString Status;
    bool ReindexEnabled;
    bool OtherButtonsShown; // "Cancel", "Help" or mouse help
};

// Watches `window`'s gauge while it works.
void Watch(TRebuildWindow& window, std::vector<Step>& steps)
{
    QObject::connect(window.Gauge, &QProgressBar::valueChanged, &window, [&window, &steps](int value) {
        if (!window.Running())
            return;
        steps.push_back({value, window.StatusLabel->text(), window.ReindexButton->isEnabled(),
                         !window.CancelButton->isHidden() || !window.HelpButton->isHidden() ||
                             !window.MouseHelpButton->isHidden()});
    });
}

enum class Press { Reindex, Cancel };

class ReindexWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(Settings().WriteString("Misc", "GettingStarted", "1"));
        FPath = DataDirectory() + "people.DBF";
        MakePeople(FPath);
        PutMRUList(Settings(), {FPath});
    }

    // Starts the main window (it opens its file when it is first shown).
    TAddressMain& Start()
    {
        FWindow = std::make_unique<TAddressMain>();
        FWindow->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
        FWindow->FormActivate();
        return *FWindow;
    }

    // Runs `action`; the rebuild window it opens is checked as it comes up, watched, and closed
    // with `press`. (The window may come up in a nested event loop, so it is looked for until it
    // is there.)
    void OnRebuildWindow(Press press, const std::function<void()>& action)
    {
        FShown = false;
        QTimer lookout;
        lookout.setInterval(5);
        QObject::connect(&lookout, &QTimer::timeout, [&] {
            auto* window = qobject_cast<TRebuildWindow*>(QApplication::activeModalWidget());
            if (!window || !window->isVisible())
                return;
            lookout.stop();
            FShown = true;
            FTitle = window->windowTitle();
            EXPECT_TRUE(window->Gauge->isHidden()) << "hidden until the work starts";
            EXPECT_TRUE(window->ReindexButton->isDefault());
            Watch(*window, FSteps);
            QTest::mouseClick(press == Press::Reindex ? window->ReindexButton : window->CancelButton,
                              Qt::LeftButton);
            EXPECT_FALSE(window->isVisible());
            EXPECT_TRUE(window->Gauge->isHidden());
        });
        lookout.start();
        action();
        EXPECT_TRUE(FShown);
    }

    void Trigger(const char* action)
    {
        QAction* item = FWindow->findChild<QAction*>(action);
        ASSERT_NE(item, nullptr) << action;
        ASSERT_TRUE(item->isEnabled()) << action;
        item->trigger();
    }

    uint32_t RecordsInFile()
    {
        xbase::Table table;
        EXPECT_TRUE(table.Open(FPath, xbase::OpenMode::SharedReadOnly));
        return table.RecordCount();
    }

    testing::ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    std::unique_ptr<TAddressMain> FWindow;
    std::string FPath;
    bool FShown = false;
    QString FTitle;
    std::vector<Step> FSteps;
};

void ExpectTagPhaseEndsAtHundred(const std::vector<Step>& steps)
{
    std::vector<int> tagPhase;
    for (const Step& step : steps) {
        EXPECT_FALSE(step.ReindexEnabled);
        EXPECT_FALSE(step.OtherButtonsShown);
        if (step.Status == "Rebuilding indexes")
            tagPhase.push_back(step.Gauge);
    }
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front().Status, "Cleaning out old deleted records");
    ASSERT_GE(tagPhase.size(), 2u);
    EXPECT_EQ(tagPhase.back(), 100);
    for (size_t i = 0; i + 1 < tagPhase.size(); ++i) {
        EXPECT_LT(tagPhase[i], 100) << "at report " << i << " of " << tagPhase.size();
        EXPECT_LE(tagPhase[i], tagPhase[i + 1]);
    }
}

// ---- the address file ----

TEST_F(ReindexWindowsTest, FromTheMenuDeletedRecordsGoAndTheRecordStays)
{
    TAddressMain& window = Start();
    EXPECT_EQ(AddressSessionProbe::Table(window.Session()).RecordCount(), static_cast<uint32_t>(PeopleCount));
    // P050 sits behind the ten deleted records: the pack renumbers it from 50 to 40.
    window.Session().SetOrderTo("Last Name");
    while (window.Session().Record().LName != "P050")
        ASSERT_TRUE(window.Session().Next());
    window.ShowRecord();

    OnRebuildWindow(Press::Reindex, [&] { Trigger("mnuRebuildIndexes"); });
    EXPECT_EQ(FTitle, "Rebuild indexes for people.DBF");
    ExpectTagPhaseEndsAtHundred(FSteps);

    xbase::Table& table = AddressSessionProbe::Table(window.Session());
    EXPECT_EQ(table.RecordCount(), static_cast<uint32_t>(PeopleCount - DeletedCount));
    EXPECT_EQ(table.Tags().size(), 26u);
    EXPECT_TRUE(window.Session().IndexesValid());
    EXPECT_EQ(window.LastEdit->text(), "P050");
    EXPECT_EQ(window.SortStatus->text(), "Sorted by Last Name");
    EXPECT_TRUE(FMessages.Messages.empty());
}

TEST_F(ReindexWindowsTest, AnIndexFileDeletedByHandIsRebuiltWhenTheFileOpens)
{
    fs::remove(xbase::FindCompanion(FPath, ".CDX"));
    FMessages.Answers = {true};
    OnRebuildWindow(Press::Reindex, [&] { Start(); });
    TAddressMain& window = *FWindow;
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_EQ(FMessages.Messages[0].Caption, "Warning");
    EXPECT_EQ(FMessages.Messages[0].Text,
              "The index file for " + FPath + "\r\nis missing or invalid. Rebuild now?");
    EXPECT_EQ(FTitle, "Rebuild indexes for people.DBF");
    ExpectTagPhaseEndsAtHundred(FSteps);

    ASSERT_TRUE(window.Session().IsOpen());
    EXPECT_EQ(AddressSessionProbe::Table(window.Session()).RecordCount(),
              static_cast<uint32_t>(PeopleCount - DeletedCount));
    EXPECT_EQ(AddressSessionProbe::Table(window.Session()).Tags().size(), 26u);
    EXPECT_EQ(window.LastEdit->text(), "P002");
    EXPECT_TRUE(fs::exists(xbase::FindCompanion(FPath, ".CDX")));
}

TEST_F(ReindexWindowsTest, CancelBeforeTheStartChangesNothing)
{
    // From the menu: the file, its deleted records and the current record stay.
    {
        TAddressMain& window = Start();
        ASSERT_TRUE(window.Session().Last());
        window.ShowRecord();
        OnRebuildWindow(Press::Cancel, [&] { Trigger("mnuRebuildIndexes"); });
        EXPECT_TRUE(FSteps.empty());
        EXPECT_EQ(window.LastEdit->text(), "P100");
        EXPECT_EQ(AddressSessionProbe::Table(window.Session()).RecordCount(),
                  static_cast<uint32_t>(PeopleCount));
        FWindow.reset();
    }
    // From the open sequence: without the rebuild the file is not opened.
    fs::remove(xbase::FindCompanion(FPath, ".CDX"));
    FMessages.Answers = {true};
    OnRebuildWindow(Press::Cancel, [&] { Start(); });
    EXPECT_FALSE(FWindow->Session().IsOpen());
    EXPECT_EQ(RecordsInFile(), static_cast<uint32_t>(PeopleCount));
    EXPECT_FALSE(fs::exists(xbase::FindCompanion(FPath, ".CDX")));
}

// ---- the system tables ----

// The six tables with two entries each, the first deleted.
void MakeSystemTables()
{
    const std::string sysdata = SystemDataDirectory();
    for (SystemTable kind : {SystemTable::LabelTemplate, SystemTable::CityStateZip}) {
        ASSERT_TRUE(
            xbase::Table::Create(sysdata + SystemTableInfo(kind).FileName, SystemTableInfo(kind).Fields));
    }
    for (auto open : {OpenLetterTable, OpenLabelTable, OpenCityStateZipTable, OpenLabelTemplateTable,
                      OpenEnvelopeTable, OpenReportTable}) {
        xbase::Table table;
        ASSERT_TRUE(open(table));
        const char* field = table.FieldIndex("DESCRIPT") >= 0 ? "DESCRIPT" : "STATE";
        for (const char* value : {"zz", "aa"}) {
            ASSERT_TRUE(table.AppendBlank());
            ASSERT_TRUE(table.PutField(field, value));
        }
        ASSERT_TRUE(table.GoTo(1));
        ASSERT_TRUE(table.Delete());
        ASSERT_TRUE(table.Close());
    }
}

uint32_t SystemRecords(const std::string& fileName, bool* indexValid = nullptr)
{
    xbase::Table table;
    EXPECT_TRUE(table.Open(SystemDataDirectory() + fileName));
    if (indexValid)
        *indexValid = table.ProductionIndexState() == xbase::IndexState::Valid && table.Tags().size() == 1;
    return table.RecordCount();
}

const char* const OtherSystemTables[] = {"LETTER.DBF", "LABEL.DBF", "CSZ.DBF", "ENVELOPE.DBF", "REPORT.DBF"};

TEST_F(ReindexWindowsTest, TheSystemRebuildDoesTheOthersWhenTheLabelSetupsAreMissing)
{
    MakeSystemTables();
    FMessages.Messages.clear();
    const std::string sysdata = SystemDataDirectory();
    fs::remove(sysdata + "LBLTPL.DBF");
    fs::remove(sysdata + "LBLTPL.CDX");
    Start();

    OnRebuildWindow(Press::Cancel, [&] { Trigger("mnuRebuildSystem"); });
    EXPECT_EQ(FTitle, "Rebuild System Indexes");
    EXPECT_EQ(SystemRecords("LETTER.DBF"), 2u) << "Cancel before the start changes nothing";

    OnRebuildWindow(Press::Reindex, [&] { Trigger("mnuRebuildSystem"); });
    std::vector<QString> statuses;
    for (const Step& step : FSteps) {
        EXPECT_FALSE(step.ReindexEnabled);
        EXPECT_FALSE(step.OtherButtonsShown);
        if (statuses.empty() || statuses.back() != step.Status)
            statuses.push_back(step.Status);
    }
    EXPECT_EQ(statuses.front(), "Rebuilding Letters File indexes");
    EXPECT_EQ(statuses.back(), "Rebuilding Report File indexes");
    for (const char* fileName : OtherSystemTables) {
        bool indexValid = false;
        EXPECT_EQ(SystemRecords(fileName, &indexValid), 1u) << fileName;
        EXPECT_TRUE(indexValid) << fileName;
    }
    EXPECT_FALSE(fs::exists(sysdata + "LBLTPL.DBF"));
    EXPECT_TRUE(FMessages.Messages.empty()) << "the system rebuild shows no message";
}

// ---- what both windows have ----

TEST(RebuildWindows, EveryControlIsExplainedAndHelpShowsTheTopic)
{
    TCVReindex file("/somewhere/people.DBF", [](const RebuildProgress&) { return Status::Success(); });
    TSystemReindex system;
    for (TRebuildWindow* window : std::vector<TRebuildWindow*>{&file, &system}) {
        SCOPED_TRACE(window->objectName().toStdString());
        for (QWidget* control :
             {static_cast<QWidget*>(window->StatusLabel), static_cast<QWidget*>(window->Gauge),
              static_cast<QWidget*>(window->ReindexButton), static_cast<QWidget*>(window->HelpButton),
              static_cast<QWidget*>(window->CancelButton), static_cast<QWidget*>(window->MouseHelpButton)}) {
            EXPECT_FALSE(control->whatsThis().isEmpty()) << control->objectName().toStdString();
        }
        QTest::mouseClick(window->HelpButton, Qt::LeftButton);
        EXPECT_TRUE(HelpViewer().isVisible());
        EXPECT_EQ(
            HelpViewer().HelpText->source().fileName(),
            QString("%1.html").arg(window == &file ? TCVReindex::HelpContext : TSystemReindex::HelpContext));
        HelpViewer().hide();
    }
    EXPECT_EQ(file.windowTitle(), "Rebuild indexes for people.DBF");
    EXPECT_EQ(system.windowTitle(), "Rebuild System Indexes");
}

// ---- tag all ----

TEST_F(ReindexWindowsTest, TagAllFilterMatchesTagsThemAndShowsTheFirst)
{
    TAddressMain& window = Start();
    EXPECT_FALSE(window.findChild<QAction*>("mnuTagAll")->isEnabled()) << "no filter is set";
    FilterCriteria criteria;
    criteria[FilterField::State] = "MA";
    window.Session().SetCriteria(criteria);
    window.Session().ApplyCurrentFilter();
    ASSERT_TRUE(window.Session().Last());
    window.ShowRecord();

    FMessages.Answers = {false};
    Trigger("mnuTagAll");
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_EQ(FMessages.Messages[0].Caption, "TAG ALL");
    EXPECT_EQ(FMessages.Messages[0].Text, "Tag all records matching filter?");
    EXPECT_FALSE(window.TaggedCheck->isChecked());
    EXPECT_EQ(window.LastEdit->text(), "P100") << "No changes nothing";

    FMessages.Answers = {true};
    EXPECT_TRUE(testing::AnswerModal(
        [](QWidget* modal) {
            auto* tagging = qobject_cast<TTagAllRecords*>(modal);
            ASSERT_NE(tagging, nullptr);
            EXPECT_TRUE(tagging->Run());
            EXPECT_EQ(tagging->StatusLabel->text(), "Complete");
            tagging->OkButton->click();
        },
        [&] { Trigger("mnuTagAll"); }));
    EXPECT_EQ(window.LastEdit->text(), "P002") << "the first match";
    EXPECT_TRUE(window.TaggedCheck->isChecked());
    EXPECT_FALSE(window.Session().BulkOperation());
    EXPECT_TRUE(window.Session().RefreshAfterSave());

    // Every match is tagged, nothing else.
    criteria[FilterField::State].clear();
    criteria.Tagged = true;
    window.Session().SetCriteria(criteria);
    window.Session().ApplyCurrentFilter();
    EXPECT_EQ(*AddressSessionProbe::Table(window.Session()).QueryCount(),
              static_cast<uint32_t>(PeopleCount / 2));
}

} // namespace
} // namespace corvane
