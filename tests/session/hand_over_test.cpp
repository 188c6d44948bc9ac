// Lending the address table to a tool window: each command's before steps (checks, flags, query,
// scope choices, extra fields) and its after steps, which put the query, the order and the record
// back whether the tool finished, failed or its caller returned early.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/Settings.h"
#include "session/AddressSession.h"
#include "session/ToolWindowHandOver.h"
#include "session/ToolWindowView.h"
#include "support/AddressSessionProbe.h"
#include "support/AddressTableFixture.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

using testing::MakeAddressFile;
using testing::Person;

const std::vector<Person> People = {
    {{"LNAME", "Adams"}, {"CITY", "Springfield"}, {"STATE", "IL"}},
    {{"LNAME", "Baker"}, {"CITY", "Boston"}, {"STATE", "MA"}},
    {{"LNAME", "Clark"}, {"CITY", "Albany"}, {"STATE", "NY"}},
    {{"LNAME", "Davis"}, {"CITY", "Cambridge"}, {"STATE", "MA"}},
    {{"LNAME", "Evans"}, {"CITY", "Denver"}, {"STATE", "CO"}},
};
constexpr uint32_t Davis = 4;

// What the window's hooks saw.
struct HookLog {
    int Suspended = 0;
    int Resumed = 0;
    int PrinterChecks = 0;
    int PrinterRemembered = 0;
    int PrinterRestored = 0;
    int ButtonRefreshes = 0;
    bool PrinterReady = true;

    HandOverHooks Hooks()
    {
        HandOverHooks hooks;
        hooks.PrinterCheck = [this] {
            ++PrinterChecks;
            return PrinterReady;
        };
        hooks.RememberPrinter = [this] { ++PrinterRemembered; };
        hooks.RestorePrinter = [this] { ++PrinterRestored; };
        hooks.SuspendDisplay = [this](bool suspended) { ++(suspended ? Suspended : Resumed); };
        hooks.RefreshButtons = [this] { ++ButtonRefreshes; };
        return hooks;
    }
};

class HandOverTest : public ::testing::Test {
  protected:
    // People open, sorted by City, filtered to Massachusetts, on Davis.
    void OpenPeople(bool filtered = true)
    {
        FPath = DataDirectory() + "people.DBF";
        MakeAddressFile(FPath, People);
        ASSERT_TRUE(FSession.OpenCVWDBF(FPath));
        FSession.SetOrderTo("City");
        if (filtered) {
            FilterCriteria criteria;
            criteria[FilterField::State] = "MA";
            FSession.SetCriteria(criteria);
            FSession.ApplyCurrentFilter();
            ASSERT_TRUE(FSession.FilterSet());
        }
        ASSERT_TRUE(FSession.GoToRecord(Davis));
    }
    void MakeCityStateZipTable() { std::ofstream(SystemDataDirectory() + "CSZ.DBF") << ""; }
    bool ExtraFieldsShown() const { return FSession.Catalogue().FindByName("FullName")->Visible; }

    testing::ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    AddressSession FSession;
    HookLog FLog;
    std::string FPath;
};

// ---- every row: during the tool, and afterwards however the tool ended ----

enum class Ending { Finished, ToolFailed };
// The query while the tool works.
enum class During { FilterQuery, NotDeleted, FilterExpressionAlone, NoQuery };

struct RowCase {
    const char* Name;
    ToolCommand Command;
    // During the tool:
    bool RefreshOff;
    bool Bulk;
    bool Suspended;
    bool TableClosed;
    During Query;
    bool ExtraFields;
    // Afterwards: the record ("" when the row leaves it where the tool left it) and whether the
    // query is the filter's again.
    const char* RecordAfter;
    bool FilterQueryAfter;
};

class HandOverRows : public HandOverTest,
                     public ::testing::WithParamInterface<std::tuple<RowCase, Ending>> {};

// What a tool window does to the table: moves to another record and another order, and changes
// the query when the row takes it back.
Status RunTool(AddressSession& session, const RowCase& row, Ending ending)
{
    xbase::Table& table = AddressSessionProbe::Table(session);
    if (table.IsOpen()) {
        if (row.FilterQueryAfter) {
            EXPECT_TRUE(table.SetQuery(""));
        }
        EXPECT_TRUE(table.SetOrder(table.OrderNumber("LNAME")));
        EXPECT_TRUE(table.GoTo(1));
    }
    return ending == Ending::ToolFailed ? Status::Error("the tool failed") : Status::Success();
}

TEST_P(HandOverRows, TheToolGetsItsRowAndTheMainWindowGetsQueryOrderAndRecordBack)
{
    const auto& [row, ending] = GetParam();
    MakeCityStateZipTable();
    OpenPeople();
    const std::string filterQuery = AddressSessionProbe::Table(FSession).Query();
    FMessages.Answers = {true}; // "Tag all records matching filter?"
    FSession.SetRefreshAfterSave(true);
    FSession.SetBulkOperation(false);

    // The caller's shape: it returns as soon as the tool fails, leaving the rest to the destructor.
    auto command = [&] {
        ToolWindowHandOver handOver(FSession, row.Command, FLog.Hooks());
        ASSERT_TRUE(handOver.Begin());
        EXPECT_EQ(handOver.RememberedRecord(), Davis);
        EXPECT_EQ(FSession.RefreshAfterSave(), !row.RefreshOff);
        EXPECT_EQ(FSession.BulkOperation(), row.Bulk);
        EXPECT_EQ(FLog.Suspended, row.Suspended ? 1 : 0);
        EXPECT_EQ(FSession.IsOpen(), !row.TableClosed);
        EXPECT_EQ(ExtraFieldsShown(), row.ExtraFields);
        if (!row.TableClosed) {
            const std::string expected[] = {filterQuery, "!ISDEL", FSession.FilterExpression(), ""};
            EXPECT_EQ(AddressSessionProbe::Table(FSession).Query(), expected[static_cast<int>(row.Query)]);
        }
        if (!RunTool(FSession, row, ending))
            return;
        handOver.Finish();
        EXPECT_FALSE(handOver.Active());
    };
    command();

    EXPECT_TRUE(FSession.IsOpen());
    EXPECT_EQ(AddressSessionProbe::Table(FSession).OrderName(), "CITY");
    EXPECT_EQ(FSession.SortStatus(), "Sorted by City");
    if (*row.RecordAfter) {
        EXPECT_EQ(FSession.Record().LName, row.RecordAfter);
    }
    EXPECT_EQ(FSession.Record().LName,
              *AddressSessionProbe::Table(FSession).GetField("LNAME")); // the shown record is current
    if (row.FilterQueryAfter) {
        EXPECT_EQ(AddressSessionProbe::Table(FSession).Query(), filterQuery);
    }
    EXPECT_TRUE(FSession.RefreshAfterSave());
    EXPECT_FALSE(FSession.BulkOperation());
    EXPECT_EQ(FLog.Resumed, FLog.Suspended);
    EXPECT_FALSE(ExtraFieldsShown());
    EXPECT_EQ(FLog.PrinterRestored, FLog.PrinterRemembered);
}

INSTANTIATE_TEST_SUITE_P(
    HandOver, HandOverRows,
    ::testing::Combine(::testing::Values(RowCase{"Labels", ToolCommand::PrintLabelsOrReports, true, false,
                                                 true, false, During::FilterQuery, true, "Davis", true},
                                         RowCase{"Envelopes", ToolCommand::PrintEnvelopes, true, false, false,
                                                 false, During::FilterQuery, true, "", false},
                                         RowCase{"CountZip", ToolCommand::CountZipCodes, false, false, true,
                                                 false, During::FilterQuery, false, "", false},
                                         RowCase{"StateZip", ToolCommand::CheckStateZip, true, true, true,
                                                 false, During::NotDeleted, false, "", true},
                                         RowCase{"Duplicates", ToolCommand::CheckDuplicates, true, true, true,
                                                 false, During::NotDeleted, false, "", true},
                                         RowCase{"ConvertCase", ToolCommand::ConvertCase, true, true, true,
                                                 false, During::FilterQuery, false, "Davis", false},
                                         RowCase{"DeleteRecords", ToolCommand::DeleteOrReplace, true, true,
                                                 true, false, During::FilterExpressionAlone, false, "Baker",
                                                 true},
                                         RowCase{"TagAll", ToolCommand::TagAll, true, true, true, false,
                                                 During::FilterQuery, false, "Baker", false},
                                         RowCase{"Export", ToolCommand::Export, true, false, true, false,
                                                 During::FilterQuery, false, "Davis", false},
                                         RowCase{"ImportAscii", ToolCommand::ImportAsciiOrDbf, false, true,
                                                 false, true, During::FilterQuery, false, "Baker", true},
                                         RowCase{"ImportOldVersion", ToolCommand::ImportOldVersion, true,
                                                 true, true, false, During::NoQuery, false, "", true}),
                       ::testing::Values(Ending::Finished, Ending::ToolFailed)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).Name) +
               (std::get<1>(info.param) == Ending::Finished ? "Finished" : "ToolFailed");
    });

TEST_F(HandOverTest, TheAfterStepsRunOnceAndTheFlagsGoBackToWhatTheyWere)
{
    OpenPeople();
    FSession.SetBulkOperation(true); // set by an outer operation
    {
        ToolWindowHandOver handOver(FSession, ToolCommand::ConvertCase, FLog.Hooks());
        ASSERT_TRUE(handOver.Begin());
        EXPECT_FALSE(handOver.Begin()); // already lent
        handOver.Finish();
        handOver.Finish();
    }
    EXPECT_EQ(FLog.Suspended, 1);
    EXPECT_EQ(FLog.Resumed, 1);
    EXPECT_TRUE(FSession.BulkOperation());
    EXPECT_TRUE(FSession.RefreshAfterSave());
}

// ---- checks that stop a command before anything changes ----

struct CheckCase {
    const char* Name;
    ToolCommand Command;
    bool OpenFile;
    bool PrinterReady;
    bool Answer;           // to a question, when one is asked
    bool CityStateZip;     // sysdata holds CSZ.DBF
    const char* NoMatches; // a query that lets nothing through, or nullptr
    const char* Message;   // what the user is told ("" for nothing)
};

class HandOverChecks : public HandOverTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(HandOverChecks, StopTheCommandAndChangeNothing)
{
    const CheckCase& c = GetParam();
    if (c.CityStateZip)
        MakeCityStateZipTable();
    if (c.OpenFile)
        OpenPeople(false);
    if (c.NoMatches) {
        ASSERT_TRUE(AddressSessionProbe::Table(FSession).SetQuery(c.NoMatches));
    }
    const std::string query =
        FSession.IsOpen() ? AddressSessionProbe::Table(FSession).Query() : std::string();
    const uint32_t recno = FSession.IsOpen() ? AddressSessionProbe::Table(FSession).RecNo() : 0;
    FLog.PrinterReady = c.PrinterReady;
    FMessages.Answers = {c.Answer};
    {
        ToolWindowHandOver handOver(FSession, c.Command, FLog.Hooks());
        EXPECT_FALSE(handOver.Begin());
        EXPECT_FALSE(handOver.Active());
    }
    const bool told = *c.Message != '\0';
    const bool asked = c.Command == ToolCommand::TagAll;
    ASSERT_EQ(FMessages.Messages.size(), told || asked ? 1u : 0u);
    if (told) {
        EXPECT_EQ(FMessages.Messages[0].Text, c.Message);
    }
    if (asked) {
        EXPECT_EQ(FMessages.Messages[0].Caption, "TAG ALL");
        EXPECT_EQ(FMessages.Messages[0].Text, "Tag all records matching filter?");
    }
    EXPECT_EQ(FLog.Suspended + FLog.Resumed + FLog.PrinterRemembered + FLog.PrinterRestored, 0);
    EXPECT_TRUE(FSession.RefreshAfterSave());
    EXPECT_FALSE(FSession.BulkOperation());
    EXPECT_EQ(FSession.IsOpen(), c.OpenFile);
    if (c.OpenFile) {
        EXPECT_EQ(AddressSessionProbe::Table(FSession).Query(), query);
        EXPECT_EQ(AddressSessionProbe::Table(FSession).RecNo(), recno);
    }
}

INSTANTIATE_TEST_SUITE_P(
    HandOver, HandOverChecks,
    ::testing::Values(
        CheckCase{"NoPrinter", ToolCommand::PrintLabelsOrReports, true, false, true, false, nullptr, ""},
        CheckCase{"LabelsWithNothingToPrint", ToolCommand::PrintLabelsOrReports, true, true, true, false,
                  "LNAME='Zed'", ""},
        CheckCase{"LettersWithNoFile", ToolCommand::PrintLetters, false, true, true, false, nullptr, ""},
        CheckCase{"TagAllAnsweredNo", ToolCommand::TagAll, true, true, false, false, nullptr, ""},
        CheckCase{"StateZipWithoutItsTable", ToolCommand::CheckStateZip, true, true, true, false, nullptr,
                  "The file CSZ.DBF has been removed from the SYSDATA directory. Unable to continue."},
        CheckCase{"ExportWithNothingToCopy", ToolCommand::Export, true, true, true, false, "LNAME='Zed'",
                  "No active records for current filter. Nothing to copy"},
        CheckCase{"ImportWithNoFile", ToolCommand::ImportAsciiOrDbf, false, true, true, false, nullptr,
                  "You need to have a database file open first"},
        CheckCase{"OldImportWithNoFile", ToolCommand::ImportOldVersion, false, true, true, false, nullptr,
                  "You need to have a database file open first"}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---- a check's list of finds ----

TEST_F(HandOverTest, ACheckListLeftOpenIsClosedAndDeleted)
{
    MakeCityStateZipTable();
    OpenPeople();
    xbase::Table& table = AddressSessionProbe::Table(FSession);
    const std::string lists[] = {ProgramDirectory() + "_chkdup.idx",
                                 (std::filesystem::path(table.Path()).parent_path() / "_chksz.idx").string()};
    const ToolCommand commands[] = {ToolCommand::CheckDuplicates, ToolCommand::CheckStateZip};
    for (int i = 0; i < 2; ++i) {
        {
            ToolWindowHandOver handOver(FSession, commands[i], FLog.Hooks());
            ASSERT_TRUE(handOver.Begin());
            ASSERT_TRUE(table.CreateEmptyIndexFile(lists[i], "LNAME"));
        }
        EXPECT_FALSE(std::filesystem::exists(lists[i])) << lists[i];
        EXPECT_EQ(table.OrderIndexFileName().find(".idx"), std::string::npos);
        EXPECT_EQ(table.OrderName(), "CITY");
    }
}

// ---- scope choices, working directory ----

TEST_F(HandOverTest, TheFilterChoiceIsOfferedOnlyWithAFilter)
{
    struct Expected {
        ToolCommand Command;
        bool Filtered;
        ScopeChoices Scope;
    };
    const Expected rows[] = {
        {ToolCommand::PrintLabelsOrReports, false, {false, true}},
        {ToolCommand::PrintLabelsOrReports, true, {true, false}},
        {ToolCommand::PrintLetters, false, {false, false}},
        {ToolCommand::PrintLetters, true, {true, false}},
        {ToolCommand::DeleteOrReplace, false, {false, false}},
        {ToolCommand::DeleteOrReplace, true, {true, false}},
    };
    OpenPeople(false);
    for (const Expected& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.Command) * 2 + row.Filtered);
        FilterCriteria criteria;
        if (row.Filtered)
            criteria[FilterField::State] = "MA";
        FSession.SetCriteria(criteria);
        FSession.ApplyCurrentFilter();
        ToolWindowHandOver handOver(FSession, row.Command);
        ASSERT_TRUE(handOver.Begin());
        EXPECT_EQ(handOver.Scope().FilterChoiceEnabled, row.Scope.FilterChoiceEnabled);
        EXPECT_EQ(handOver.Scope().SelectAllRecords, row.Scope.SelectAllRecords);
    }
}

TEST_F(HandOverTest, ExportGetsTheWorkingDirectoryBack)
{
    OpenPeople();
    const std::filesystem::path before = std::filesystem::current_path();
    {
        ToolWindowHandOver handOver(FSession, ToolCommand::Export);
        ASSERT_TRUE(handOver.Begin());
        std::filesystem::current_path(FHome.Path()); // the export's file dialog went elsewhere
    }
    EXPECT_EQ(std::filesystem::current_path(), before);
}

// ---- the view a tool window borrows ----

// A tool window gets the view and nothing else: no way from it to the session, whose edit buffer,
// filter and files stay out of a tool's reach.
template <typename T>
concept ReachesSession = requires(T& view)
{
    view.Session();
}
|| requires(T& view)
{
    view.Addresses();
}
|| std::is_constructible_v<AddressSession&, T&> || std::is_convertible_v<T&, const AddressSession&>;
static_assert(!ReachesSession<const ToolWindowView>);
static_assert(!std::is_constructible_v<ToolWindowView, AddressSession&>);

TEST_F(HandOverTest, WhatAToolDoesThroughTheViewIsUndoneAfterwards)
{
    OpenPeople();
    const std::string filterQuery = AddressSessionProbe::Table(FSession).Query();
    {
        ToolWindowHandOver handOver(FSession, ToolCommand::PrintLabelsOrReports, FLog.Hooks());
        ASSERT_TRUE(handOver.Begin());
        const ToolWindowView& view = handOver.View();
        EXPECT_TRUE(view.IsOpen());
        EXPECT_EQ(view.TagId(), FSession.TagId());
        EXPECT_EQ(&view.Catalogue(), &FSession.Catalogue());
        EXPECT_EQ(view.Scope().FilterChoiceEnabled, handOver.Scope().FilterChoiceEnabled);
        EXPECT_EQ(view.CurrentRecord().LName, "Davis");

        // The stepper moves the record on show, as the designer's record buttons do.
        ASSERT_TRUE(view.Step(RecordStep::First));
        EXPECT_EQ(view.CurrentRecord().LName, "Baker");
        EXPECT_EQ(FSession.Record().LName, "Baker");
        EXPECT_FALSE(view.Step(RecordStep::Previous));
        ASSERT_TRUE(view.Step(RecordStep::Last));
        EXPECT_EQ(view.CurrentRecord().LName, "Davis");

        // The table: another query, order and record, as a label run leaves them when it fails.
        xbase::Table& table = view.Table();
        ASSERT_TRUE(table.SetQuery("STATE = \"CO\""));
        ASSERT_TRUE(table.SetOrder(table.OrderNumber("LNAME")));
        ASSERT_TRUE(table.GoTop());
        ASSERT_TRUE(view.Step(RecordStep::First));
        EXPECT_EQ(view.CurrentRecord().LName, "Evans");
    }
    xbase::Table& table = AddressSessionProbe::Table(FSession);
    EXPECT_EQ(table.Query(), filterQuery);
    EXPECT_EQ(table.OrderName(), "CITY");
    EXPECT_EQ(table.RecNo(), Davis);
    EXPECT_EQ(FSession.Record().LName, "Davis");
    EXPECT_EQ(FLog.Suspended, FLog.Resumed);
}

// ---- tagging inside a tool window ----

TEST_F(HandOverTest, TagAllTagsTheFilterMatchesAndShowsTheFirstRecord)
{
    OpenPeople();
    FMessages.Answers = {true};
    {
        ToolWindowHandOver handOver(FSession, ToolCommand::TagAll, FLog.Hooks());
        ASSERT_TRUE(handOver.Begin());
        auto tagged = FSession.TagAllMatches();
        ASSERT_TRUE(tagged) << tagged.Message();
        EXPECT_EQ(tagged->Visited, 2u);
    }
    EXPECT_EQ(FSession.Record().LName, "Baker");
    EXPECT_TRUE(FSession.RecordTagged());
    FSession.ClearFilter();
    std::vector<std::string> tagged;
    for (bool more = FSession.First(); more; more = FSession.Next()) {
        if (FSession.RecordTagged())
            tagged.push_back(FSession.Record().LName);
    }
    EXPECT_EQ(tagged, (std::vector<std::string>{"Baker", "Davis"}));
}

// A tool that toggles tags while it works (the duplicate check) keeps its bulk flag: its own
// saves afterwards still do not count for aggressive saving.
TEST_F(HandOverTest, TogglingATagInsideAToolKeepsTheToolsFlags)
{
    ASSERT_TRUE(Settings().WriteString("Editing", "AggressiveSave", "1"));
    FSession.LoadPreferences();
    OpenPeople(false);
    ToolWindowHandOver handOver(FSession, ToolCommand::ConvertCase);
    ASSERT_TRUE(handOver.Begin());
    ASSERT_TRUE(FSession.ToggleTag());
    EXPECT_TRUE(FSession.RecordTagged());
    EXPECT_TRUE(FSession.BulkOperation());
    EXPECT_FALSE(FSession.RefreshAfterSave());
    ASSERT_TRUE(FSession.Edit());
    FSession.EditBuffer().User1 = "by the tool";
    ASSERT_TRUE(FSession.Save().Saved);
    EXPECT_EQ(FSession.SaveCounter(), 0);
    handOver.Finish();

    // Outside a tool the toggle does not count either, and the user's own save does.
    EXPECT_FALSE(FSession.BulkOperation());
    ASSERT_TRUE(FSession.ToggleTag());
    EXPECT_FALSE(FSession.RecordTagged());
    EXPECT_EQ(FSession.SaveCounter(), 0);
    EXPECT_TRUE(FSession.RefreshAfterSave());
    ASSERT_TRUE(FSession.Edit());
    FSession.EditBuffer().User1 = "by the user";
    ASSERT_TRUE(FSession.Save().Saved);
    EXPECT_EQ(FSession.SaveCounter(), 1);
}

} // namespace
} // namespace corvane
