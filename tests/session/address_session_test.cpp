// The main window's model on real address files in a scratch program directory: opening, button
// states, adding with carry-forward and fill-in, the duplicate warning, saving (aggressive saving,
// filters), deleting, cloning, navigation and memo search.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <QDate>

#include "core/DisplayDate.h"
#include "core/RecentFiles.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/Settings.h"
#include "platform/xbase/DbfFile.h"
#include "session/AddressSession.h"
#include "support/AddressSessionProbe.h"
#include "support/AddressTableFixture.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

using testing::MakeAddressFile;
using testing::Person;
using Kind = RecordingMessageService::Message::Kind;

const std::vector<Person> People = {
    {{"LNAME", "Adams"},
     {"FNAME", "John"},
     {"STREET", "1 Elm St"},
     {"CITY", "Springfield"},
     {"STATE", "IL"},
     {"ZIP", "62701"},
     {"COUNTRY", "USA"},
     {"ORG", "Acme"},
     {"STREET2", "Suite 4"}},
    {{"LNAME", "Baker"}, {"FNAME", "Mary"}, {"CITY", "Boston"}, {"STATE", "MA"}, {"ZIP", "02110"}},
    {{"LNAME", "Clark"}, {"FNAME", "Ann"}, {"CITY", "Albany"}, {"STATE", "NY"}, {"ZIP", "12207"}},
};

class SessionTest : public ::testing::Test {
  protected:
    // Makes people.DBF in the program directory and opens it.
    void OpenPeople(const std::vector<Person>& people = People)
    {
        FPath = FHome.File("people.DBF");
        MakeAddressFile(FPath, people);
        ASSERT_TRUE(FSession.OpenCVWDBF(FPath));
    }
    uint32_t Count() { return *AddressSessionProbe::Table(FSession).QueryCount(); }
    std::vector<std::string> LastNames()
    {
        std::vector<std::string> names;
        auto& table = AddressSessionProbe::Table(FSession);
        const uint32_t recno = table.RecNo();
        EXPECT_TRUE(table.GoTop());
        for (; !table.Eof(); (void)table.Skip(1))
            names.push_back(*table.GetField("LNAME"));
        EXPECT_TRUE(table.GoTo(recno));
        return names;
    }
    void Write(const char* section, const char* key, const std::string& value)
    {
        ASSERT_TRUE(Settings().WriteString(section, key, value));
    }

    testing::ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    AddressSession FSession;
    std::string FPath;
};

// ---- opening ----

TEST_F(SessionTest, OpeningSortsByLastNameShowsTheFirstRecordAndBecomesTheRecentFile)
{
    OpenPeople();
    EXPECT_EQ(FSession.Caption(), "Corvane - " + FPath);
    EXPECT_EQ(FSession.SortStatus(), "Sorted by Last Name");
    EXPECT_EQ(FSession.Record().LName, "Adams");
    EXPECT_EQ(GetMRUFile(Settings()), FPath);
    EXPECT_EQ(FSession.FilterStatus(), "3 records (no filter)");
    EXPECT_TRUE(FMessages.Messages.empty());
}

TEST_F(SessionTest, MissingFileSaysSoTwiceAndLeavesNothingOpen)
{
    EXPECT_FALSE(FSession.OpenCVWDBF(FHome.File("gone.DBF")));
    ASSERT_EQ(FMessages.Messages.size(), 2u);
    EXPECT_EQ(FMessages.Messages[0].Text, "File " + FHome.File("gone.DBF") + " not found");
    EXPECT_EQ(FMessages.Messages[1].Text.rfind(
                  "Unable to open " + FHome.File("gone.DBF") + "\r\n\r\n * May not be a Corvane file.", 0),
              0u);
    EXPECT_EQ(FSession.FilterStatus(), std::nullopt);
    EXPECT_TRUE(FSession.FileName().empty());
}

TEST_F(SessionTest, AFieldOfTheWrongTypeIsRefusedWithOneMessageNamingIt)
{
    auto fields = NewAddressFileFields(IniFile());
    for (auto& field : fields) {
        if (field.Name == "MEMO")
            field = {"MEMO", 'C', 10, 0};
    }
    const std::string path = FHome.File("typed.DBF");
    ASSERT_TRUE(xbase::Table::Create(path, fields));
    EXPECT_FALSE(FSession.OpenCVWDBF(path));
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_EQ(FMessages.Messages[0].Text.rfind("Unable to open " + path, 0), 0u);
    EXPECT_NE(FMessages.Messages[0].Text.find("Field \"MEMO\" in dataset \"typed.DBF\" is a character field"),
              std::string::npos)
        << FMessages.Messages[0].Text;
}

TEST_F(SessionTest, MissingIndexAsksToRebuild)
{
    for (bool rebuild : {false, true}) {
        SCOPED_TRACE(rebuild);
        const std::string path = FHome.File(rebuild ? "yes.DBF" : "no.DBF");
        MakeAddressFile(path, People);
        std::filesystem::remove(path.substr(0, path.size() - 4) + ".CDX");
        FMessages.Messages.clear();
        FMessages.Answers = {rebuild};
        EXPECT_EQ(FSession.OpenCVWDBF(path), rebuild);
        ASSERT_FALSE(FMessages.Messages.empty());
        EXPECT_EQ(FMessages.Messages[0].Caption, "Warning");
        EXPECT_EQ(FMessages.Messages[0].Text,
                  "The index file for " + path + "\r\nis missing or invalid. Rebuild now?");
        EXPECT_EQ(FSession.IndexesValid(), rebuild);
    }
    EXPECT_EQ(FSession.Record().LName, "Adams");
}

TEST_F(SessionTest, StartUpPrefersTheRecentFile)
{
    PutMRUList(Settings(), {"/somewhere/recent.DBF"});
    EXPECT_EQ(FSession.StartupFileName(), "/somewhere/recent.DBF");
    EXPECT_FALSE(std::filesystem::exists(DataDirectory() + "add0001.DBF"));
}

TEST_F(SessionTest, StartUpCreatesTheDefaultFileWithTheSettingsWidths)
{
    Write("NewFileFieldLengths", "FieldZIP", "12");
    const std::string path = FSession.StartupFileName();
    EXPECT_EQ(path, DataDirectory() + "add0001.DBF");
    ASSERT_TRUE(FSession.OpenCVWDBF(path));
    EXPECT_EQ(FSession.FieldWidth("ZIP"), 12);
    EXPECT_EQ(FSession.FieldWidth("FAX"), 40);
    EXPECT_EQ(FSession.FilterStatus(), "No records");
}

TEST_F(SessionTest, StartUpFindsTheDefaultFileInAnySpelling)
{
    const std::string upper = DataDirectory() + "ADD0001.DBF";
    testing::MakeAddressFile(upper, People);
    std::vector<std::string> before;
    for (const auto& entry : std::filesystem::directory_iterator(DataDirectory()))
        before.push_back(entry.path().filename().string());
    EXPECT_EQ(FSession.StartupFileName(), upper);
    ASSERT_TRUE(FSession.OpenCVWDBF(upper));
    EXPECT_TRUE(FSession.IndexesValid());
    FSession.Close();
    std::vector<std::string> after;
    for (const auto& entry : std::filesystem::directory_iterator(DataDirectory()))
        after.push_back(entry.path().filename().string());
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, before);
}

TEST_F(SessionTest, ARecentFileThatFailsGivesWayToTheFileOpenBefore)
{
    OpenPeople();
    EXPECT_TRUE(FSession.MRUItemClick(FHome.File("gone.DBF")));
    EXPECT_EQ(FSession.FileName(), FPath);
}

TEST_F(SessionTest, RecordStatesFollowOpeningAndEditing)
{
    OpenPeople();
    EXPECT_TRUE(FSession.HasRecord());
    EXPECT_TRUE(FSession.ButtonStates().at("EditButton").Enabled);
    ASSERT_TRUE(FSession.Edit());
    EXPECT_TRUE(FSession.ButtonStates().at("SaveButton").Visible);
    FSession.Cancel();
    FSession.Close();
    EXPECT_FALSE(FSession.ButtonStates().at("AddButton").Enabled);
}

// ---- adding ----

struct AddCase {
    const char* Name;
    std::vector<std::pair<const char*, const char*>> Preferences; // Adding key -> value
    NewRecordEntry Typed;
    std::vector<std::pair<const char*, std::string>> Expected; // field -> value of the new record
};

class AddPrecedence : public SessionTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(AddPrecedence, FillsTheNewRecord)
{
    const AddCase& c = GetParam();
    for (const auto& [key, value] : c.Preferences)
        Write("Adding", key, value);
    FSession.LoadPreferences();
    OpenPeople(); // Adams is shown
    ASSERT_TRUE(FSession.Add(c.Typed));
    EXPECT_EQ(FSession.Mode(), EditMode::Inserting);
    for (const auto& [field, value] : c.Expected)
        EXPECT_EQ(*FSession.Record().Text(field), value) << field;
    // Nothing is in the file until Save.
    EXPECT_EQ(Count(), 3u);
    EXPECT_TRUE(FSession.Save().Saved);
    EXPECT_EQ(Count(), 4u);
    for (const auto& [field, value] : c.Expected)
        EXPECT_EQ(*FSession.Record().Text(field), value) << field << " after saving";
}

const std::string Today = ToStoredDate(QDate::currentDate());

INSTANTIATE_TEST_SUITE_P(
    Session, AddPrecedence,
    ::testing::Values(
        AddCase{"NothingCarried", {}, {}, {{"CITY", ""}, {"ORG", ""}, {"COUNTRY", ""}, {"DATE", ""}}},
        AddCase{"CarryEverything",
                {{"CarryOrg", "1"},
                 {"CarrySA1", "1"},
                 {"CarrySA2", "1"},
                 {"CarryCity", "1"},
                 {"CarryState", "1"},
                 {"CarryZip", "1"},
                 {"CarryCountry", "1"}},
                {},
                {{"ORG", "Acme"},
                 {"STREET", "1 Elm St"},
                 {"STREET2", "Suite 4"},
                 {"CITY", "Springfield"},
                 {"STATE", "IL"},
                 {"ZIP", "62701"},
                 {"COUNTRY", "USA"},
                 {"LNAME", ""}}},
        AddCase{"FoundCityWinsOverCarriedCity",
                {{"CarryCity", "1"}, {"CarryState", "1"}, {"CarryZip", "1"}, {"PlugCityState", "1"}},
                {"", "", "021"},
                {{"CITY", "Boston"}, {"STATE", "MA"}, {"ZIP", "021"}}},
        AddCase{"ZipFoundInAnyCase",
                {{"PlugCityState", "1"}},
                {"", "", "1220"},
                {{"CITY", "Albany"}, {"STATE", "NY"}}},
        AddCase{"UnknownZipLeavesTheCarriedCity",
                {{"CarryCity", "1"}, {"PlugCityState", "1"}},
                {"", "", "99999"},
                {{"CITY", "Springfield"}, {"STATE", ""}, {"ZIP", "99999"}}},
        AddCase{"TypedNames",
                {{"AutoDupCheck", "1"}},
                {"Zoe", "Young", ""},
                {{"FNAME", "Zoe"}, {"LNAME", "Young"}}},
        AddCase{"DefaultCountryWhenNoneCarried", {{"DefaultCountry", "Canada"}}, {}, {{"COUNTRY", "Canada"}}},
        AddCase{"CarriedCountryWinsOverTheDefault",
                {{"DefaultCountry", "Canada"}, {"CarryCountry", "1"}},
                {},
                {{"COUNTRY", "USA"}}},
        AddCase{"TodaysDate", {{"PlugDate", "1"}}, {}, {{"DATE", Today}}}),
    [](const ::testing::TestParamInfo<AddCase>& info) { return std::string(info.param.Name); });

TEST_F(SessionTest, CancelAfterAddLeavesNoRecord)
{
    OpenPeople();
    ASSERT_TRUE(FSession.Add({}));
    FSession.EditBuffer().LName = "Temporary";
    FSession.Cancel();
    EXPECT_FALSE(FSession.IsEditing());
    EXPECT_EQ(AddressSessionProbe::Table(FSession).RecordCount(), 3u);
    EXPECT_EQ(FSession.Record().LName, "Adams");
}

TEST_F(SessionTest, DuplicateNameWarning)
{
    struct Case {
        const char* Name;
        NewRecordEntry Typed;
        std::vector<bool> Answers;
        bool Asked;
        bool Added;
        const char* ShownAfterwards;
    };
    const Case cases[] = {
        {"AnswerYes", {"mary", "BAKER", ""}, {true}, true, true, "Clark"},
        {"AnswerNo", {"Mary", "Baker", ""}, {false}, true, false, "Baker"},
        {"OtherFirstName", {"Maryanne", "Baker", ""}, {}, false, true, "Clark"},
        {"EmptyFirstNameNeverWarns", {"", "Baker", ""}, {}, false, true, "Clark"},
    };
    Write("Adding", "AutoDupCheck", "1");
    FSession.LoadPreferences();
    OpenPeople();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(FSession.Last());
        FMessages.Messages.clear();
        FMessages.Beeps.clear();
        FMessages.Answers = c.Answers;
        EXPECT_EQ(FSession.Add(c.Typed), c.Added);
        ASSERT_EQ(FMessages.Messages.size(), c.Asked ? 1u : 0u);
        // The warning sound comes right before the question.
        EXPECT_EQ(FMessages.Beeps, c.Asked ? std::vector<size_t>{0} : std::vector<size_t>{});
        if (c.Asked) {
            EXPECT_EQ(FMessages.Messages[0].MessageKind, Kind::YesNoDefaultNo);
            EXPECT_EQ(FMessages.Messages[0].Caption, "Possible Duplicate");
            EXPECT_EQ(
                FMessages.Messages[0].Text,
                "Possible duplicate: \r\n\r\nMary Baker\r\n\r\nBoston,MA 02110\r\n\r\nContinue adding?");
        }
        if (c.Added) {
            // The record that was shown is what a cancelled add goes back to.
            FSession.Cancel();
        }
        EXPECT_EQ(FSession.Record().LName, c.ShownAfterwards);
    }
}

TEST_F(SessionTest, PreferencesAreReadFromTheirKeys)
{
    Write("Adding", "SkipfirstName", "1");
    Write("Adding", "Skipcomments2", "1");
    Write("Editing", "AggressiveSave", "2");
    Write("Misc", "GettingStarted", "1");
    FSession.LoadPreferences();
    EXPECT_EQ(FSession.Preferences().Adding.Skip,
              (std::set<EntryField>{EntryField::FirstName, EntryField::Comment2}));
    EXPECT_EQ(FSession.Preferences().AggressiveSave, 2);
    EXPECT_TRUE(FSession.Preferences().GettingStartedOff);
    EXPECT_EQ(SkipKey(EntryField::City), nullptr);
    EXPECT_STREQ(SkipKey(EntryField::Date), "SkipDate");
}

// ---- saving ----

TEST_F(SessionTest, EditSaveWritesTheRecordAndPadsAMemoOfAMultipleOfFourCharacters)
{
    OpenPeople();
    const std::pair<std::string, std::string> memos[] = {{"", ""},
                                                         {"abc", "abc"},
                                                         {"abcdefgh", "abcdefgh "},
                                                         {"line\r\nmore", "line\r\nmore"},
                                                         {"abcdéfgh", "abcdéfgh "}};
    for (const auto& [typed, stored] : memos) {
        ASSERT_TRUE(FSession.Edit());
        FSession.EditBuffer().Memo = typed;
        FSession.EditBuffer().City = "Quincy";
        ASSERT_TRUE(FSession.Save().Saved);
        EXPECT_EQ(*AddressSessionProbe::Table(FSession).GetMemo("MEMO"), stored);
        EXPECT_EQ(FSession.Record().Memo, stored);
    }
    EXPECT_EQ(*AddressSessionProbe::Table(FSession).GetField("CITY"), "Quincy");
}

// Saving a record writes its memo only when the edit changed it: a memo stored with LF line
// ends, or of a length the padding rule would lengthen, stays byte for byte.
TEST_F(SessionTest, AMemoTheEditLeftAloneIsNotRewritten)
{
    for (const std::string memo : {"line1\nline2", "line1\r\nline2"}) {
        SCOPED_TRACE(memo);
        Person adams = People[0];
        adams["MEMO"] = memo;
        OpenPeople({adams});
        ASSERT_TRUE(FSession.Edit());
        FSession.EditBuffer().User1 = "x";
        ASSERT_TRUE(FSession.Save().Saved);
        EXPECT_EQ(*AddressSessionProbe::Table(FSession).GetMemo("MEMO"), memo);
        EXPECT_EQ(*AddressSessionProbe::Table(FSession).GetField("USER1"), "x");
        FSession.Close();
    }
}

// A record whose memo block number is damaged: it shows what could be read with its error, and
// nothing lets blanks be written over it.
TEST_F(SessionTest, ARecordThatCannotBeReadIsShownWithItsErrorAndNeverWritten)
{
    FPath = FHome.File("people.DBF");
    testing::MakeAddressFile(FPath, People);
    {
        xbase::Table table;
        ASSERT_TRUE(table.Open(FPath));
        const int memo = table.File().FieldIndex("MEMO");
        const xbase::FieldDescriptor field = table.File().Fields()[static_cast<size_t>(memo)];
        const uint64_t start = table.File().HeaderLength(); // record 1 is Adams
        ASSERT_TRUE(table.Close());
        std::string bytes = xbase::testing::ReadBytes(FPath);
        xbase::FieldCodec::SetMemoBlock(bytes.data() + start, field, false, 99999);
        xbase::testing::WriteBytes(FPath, bytes);
    }
    ASSERT_TRUE(FSession.OpenCVWDBF(FPath));
    ASSERT_EQ(AddressSessionProbe::Table(FSession).RecNo(), 1u);
    EXPECT_EQ(FSession.Record().LName, "Adams");
    EXPECT_EQ(FSession.Record().City, "Springfield");
    EXPECT_NE(FSession.RecordProblem().find("99999"), std::string::npos) << FSession.RecordProblem();
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_EQ(FMessages.Messages[0].Text, FSession.RecordProblem());
    for (const char* name : {"EditButton", "mnuEdit", "DeleteButton", "mnuClone"})
        EXPECT_FALSE(FSession.ButtonStates().at(name).Enabled) << name;
    EXPECT_FALSE(FSession.Edit());
    EXPECT_FALSE(FSession.SetDate("20240101"));
    FMessages.Answers = {true, true};
    EXPECT_FALSE(FSession.Delete());
    EXPECT_FALSE(FSession.Clone());
    ASSERT_TRUE(FSession.Next()); // a record that reads whole can be edited again
    EXPECT_TRUE(FSession.RecordProblem().empty());
    EXPECT_TRUE(FSession.Edit());
    FSession.Cancel();
    FSession.Close();

    xbase::Table table;
    ASSERT_TRUE(table.Open(FPath));
    ASSERT_TRUE(table.GoTo(1));
    EXPECT_EQ(*table.GetField("LNAME"), "Adams");
    EXPECT_EQ(*table.GetField("FNAME"), "John");
    EXPECT_EQ(*table.GetField("CITY"), "Springfield");
    EXPECT_EQ(table.RecordCount(), 3u);
}

TEST_F(SessionTest, AValueTooLongForTheFileIsRefusedAndTheEditStays)
{
    OpenPeople();
    ASSERT_TRUE(FSession.Add({}));
    FSession.EditBuffer().Zip = "12345678901"; // ZIP holds 10
    EXPECT_FALSE(FSession.Save().Saved);
    EXPECT_TRUE(FSession.IsEditing());
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_EQ(AddressSessionProbe::Table(FSession).RecordCount(), 3u);
}

TEST_F(SessionTest, SavingTheOnlyMatchOutOfTheFilterDropsIt)
{
    OpenPeople();
    FilterCriteria criteria;
    criteria[FilterField::Last] = "ADA";
    FSession.SetCriteria(criteria);
    FSession.ApplyCurrentFilter();
    ASSERT_TRUE(FSession.FilterSet());
    EXPECT_EQ(FSession.FilterStatus(), "1 filter matches");
    ASSERT_TRUE(FSession.Edit());
    FSession.EditBuffer().LName = "Zeller";
    const SaveOutcome saved = FSession.Save();
    EXPECT_TRUE(saved.FilterDropped);
    EXPECT_FALSE(FSession.FilterSet());
    EXPECT_EQ(FSession.FilterStatus(), "3 records (no filter)");
    EXPECT_EQ(FSession.Record().LName, "Zeller");
    EXPECT_TRUE(FMessages.Messages.empty());
}

struct AggressiveCase {
    const char* Name;
    int Level;
    bool Bulk;
    int Reopenings; // in 10 saves
};

class AggressiveSaving : public SessionTest, public ::testing::WithParamInterface<AggressiveCase> {};

TEST_P(AggressiveSaving, ReopensTheFileEveryFifthOrEverySave)
{
    Write("Editing", "AggressiveSave", std::to_string(GetParam().Level));
    FSession.LoadPreferences();
    OpenPeople();
    ASSERT_TRUE(FSession.Next()); // Baker
    FSession.SetBulkOperation(GetParam().Bulk);
    int reopenings = 0;
    for (int save = 1; save <= 10; ++save) {
        ASSERT_TRUE(FSession.Edit());
        FSession.EditBuffer().User1 = "save " + std::to_string(save);
        const SaveOutcome outcome = FSession.Save();
        ASSERT_TRUE(outcome.Saved);
        if (outcome.AfterSave == AggressiveSaveOutcome::Reopened)
            ++reopenings;
        // Order, record and data survive the reopening.
        EXPECT_EQ(FSession.Record().LName, "Baker");
        EXPECT_EQ(FSession.Record().User1, "save " + std::to_string(save));
    }
    EXPECT_EQ(reopenings, GetParam().Reopenings);
    EXPECT_TRUE(FMessages.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Session, AggressiveSaving,
                         ::testing::Values(AggressiveCase{"None", 0, false, 0},
                                           AggressiveCase{"EveryFifthSave", 1, false, 2},
                                           AggressiveCase{"EverySave", 2, false, 10},
                                           AggressiveCase{"BulkSavesNeverCount", 2, true, 0}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SessionTest, AFailedReopenTriesTenTimesWithThePathAndSaysSoOnce)
{
    Write("Editing", "AggressiveSave", "2");
    FSession.LoadPreferences();
    OpenPeople();
    ASSERT_TRUE(FSession.Edit());
    FSession.EditBuffer().User1 = "kept";
    // The open table keeps working on its renamed file; reopening by name fails.
    std::filesystem::rename(FPath, FHome.File("moved.DBF"));
    const SaveOutcome outcome = FSession.Save();
    EXPECT_TRUE(outcome.Saved);
    EXPECT_EQ(outcome.AfterSave, AggressiveSaveOutcome::ReopenFailed);
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_EQ(FMessages.Messages[0].Text, AggressiveSaveFailureMessage);
    EXPECT_FALSE(FSession.IsOpen());
    EXPECT_TRUE(FSession.FileName().empty());
    // The write reached the file before it was closed.
    std::filesystem::rename(FHome.File("moved.DBF"), FPath);
    ASSERT_TRUE(FSession.OpenCVWDBF(FPath));
    EXPECT_EQ(FSession.Record().User1, "kept");
}

// ---- delete, clone, tag, navigation ----

TEST_F(SessionTest, DeleteMarksTheRecordAndShowsThePreviousOne)
{
    OpenPeople();
    ASSERT_TRUE(FSession.Last()); // Clark
    FMessages.Answers = {false, true};
    EXPECT_FALSE(FSession.Delete());
    EXPECT_EQ(FMessages.Messages[0].Caption, "DELETE");
    EXPECT_EQ(FMessages.Messages[0].Text, "Delete this record?");
    EXPECT_TRUE(FSession.Delete());
    EXPECT_EQ(FSession.Record().LName, "Baker");
    EXPECT_EQ(LastNames(), (std::vector<std::string>{"Adams", "Baker"}));
    auto& table = AddressSessionProbe::Table(FSession);
    table.SetDeletedHidden(false);
    ASSERT_TRUE(table.GoTo(3));
    EXPECT_TRUE(table.IsDeleted());
    EXPECT_EQ(*table.GetField("ISDEL"), "T");
    table.SetDeletedHidden(true);
}

TEST_F(SessionTest, DeletingTheFirstRecordShowsTheNewFirst)
{
    OpenPeople();
    FMessages.Answers = {true};
    EXPECT_TRUE(FSession.Delete());
    EXPECT_EQ(FSession.Record().LName, "Baker");
}

TEST_F(SessionTest, CloneOfATaggedRecordIsAnUntaggedCopyWithTheMemo)
{
    OpenPeople();
    ASSERT_TRUE(FSession.Edit());
    FSession.EditBuffer().Memo = "remembered";
    ASSERT_TRUE(FSession.Save().Saved);
    ASSERT_TRUE(FSession.ToggleTag());
    ASSERT_TRUE(FSession.RecordTagged());
    FMessages.Answers = {true};
    ASSERT_TRUE(FSession.Clone());
    EXPECT_EQ(FMessages.Messages[0].Caption, "Clone");
    EXPECT_EQ(FMessages.Messages.back().Text, "Clone completed. Current record is an exact copy");
    EXPECT_EQ(AddressSessionProbe::Table(FSession).RecNo(), 4u);
    EXPECT_EQ(FSession.Record().LName, "Adams");
    EXPECT_EQ(FSession.Record().Street2, "Suite 4");
    EXPECT_EQ(FSession.Record().Memo, "remembered");
    EXPECT_FALSE(FSession.RecordTagged());
    EXPECT_TRUE(FSession.Record().Tag.empty());
}

TEST_F(SessionTest, TaggingWhileEditingWaitsForSave)
{
    OpenPeople();
    ASSERT_TRUE(FSession.Edit());
    ASSERT_TRUE(FSession.ToggleTag());
    EXPECT_TRUE(FSession.RecordTagged());
    EXPECT_TRUE(AddressSessionProbe::Table(FSession).GetField("TAG")->empty());
    FSession.Cancel();
    EXPECT_FALSE(FSession.RecordTagged());
}

TEST_F(SessionTest, ClearTagsUntagsEveryRecordWithoutWritingOne)
{
    OpenPeople();
    ASSERT_TRUE(FSession.ToggleTag());
    const std::string oldId = FSession.TagId();
    ASSERT_TRUE(FSession.ClearTags());
    EXPECT_NE(FSession.TagId(), oldId);
    EXPECT_FALSE(FSession.RecordTagged());
    EXPECT_EQ(*AddressSessionProbe::Table(FSession).GetField("TAG"), oldId);
}

TEST_F(SessionTest, NavigationStopsAtTheEndsWithoutMoving)
{
    OpenPeople();
    EXPECT_FALSE(FSession.Previous());
    EXPECT_EQ(FSession.Record().LName, "Adams");
    EXPECT_TRUE(FSession.Next());
    EXPECT_TRUE(FSession.Next());
    EXPECT_FALSE(FSession.Next());
    EXPECT_EQ(FSession.Record().LName, "Clark");
    EXPECT_TRUE(FSession.HasRecord());
    EXPECT_TRUE(FSession.First());
    EXPECT_EQ(FSession.Record().LName, "Adams");
    FSession.SetOrderTo("City");
    EXPECT_TRUE(FSession.First());
    EXPECT_EQ(FSession.Record().LName, "Clark"); // Albany
    EXPECT_EQ(FSession.SortStatus(), "Sorted by City");
}

// ---- memo search ----

TEST_F(SessionTest, MemoSearchFindsNextAndReturnsToTheStartWhenNothingMore)
{
    std::vector<Person> people = People;
    people[0]["MEMO"] = "Likes BLUE paper";
    people[2]["MEMO"] = std::string(32767, 'x') + "blue"; // beyond what is examined
    people.push_back({{"LNAME", "Dunn"}, {"MEMO", "blue\r\nand green"}});
    people.push_back({{"LNAME", "Evans"}});
    FPath = FHome.File("people.DBF");
    MakeAddressFile(FPath, people);
    ASSERT_TRUE(FSession.OpenCVWDBF(FPath));
    ASSERT_TRUE(FSession.Last()); // Evans

    EXPECT_EQ(FSession.FindTextInMemo("Blue", true), MemoSearchOutcome::Found);
    EXPECT_EQ(FSession.Record().LName, "Adams");
    EXPECT_TRUE(FSession.MemoHit());
    EXPECT_EQ(FSession.FindTextInMemo("Blue", false), MemoSearchOutcome::Found);
    EXPECT_EQ(FSession.Record().LName, "Dunn");
    EXPECT_EQ(FSession.FindTextInMemo("Blue", false), MemoSearchOutcome::NotFound);
    EXPECT_EQ(FSession.Record().LName, "Dunn");
    EXPECT_FALSE(FSession.MemoHit());

    // Cancelling goes back to where the search started.
    ASSERT_TRUE(FSession.First());
    EXPECT_EQ(FSession.FindTextInMemo("green", false, [](uint32_t visited) { return visited < 1; }),
              MemoSearchOutcome::Cancelled);
    EXPECT_EQ(FSession.Record().LName, "Adams");
    EXPECT_EQ(FSession.FindTextInMemo("green", false), MemoSearchOutcome::Found);
}

TEST(MemoContains, IgnoresCaseAndEmptyMemos)
{
    EXPECT_TRUE(MemoContains("Grüße aus BERLIN", "berlin"));
    EXPECT_TRUE(MemoContains("GRÜSSE", "grüsse"));
    EXPECT_FALSE(MemoContains("", ""));
    EXPECT_FALSE(MemoContains("text", ""));
    EXPECT_FALSE(MemoContains(std::string(32766, 'a') + "bc", "abc"));
    EXPECT_TRUE(MemoContains(std::string(32764, 'a') + "abc", "abc"));
}

} // namespace
} // namespace corvane
