#include "platform/xbase/Table.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"
#include "platform/xbase/CdxFile.h"
#include "platform/xbase/PageCache.h"

namespace xbase {
namespace {

using testing::ScratchFolder;

const std::vector<FieldSpec> PeopleFields = {
    {"LNAME", 'C', 12, 0}, {"FNAME", 'C', 10, 0}, {"ZIP", 'C', 5, 0},
    {"AGE", 'N', 3, 0},    {"ISDEL", 'L', 1, 0},  {"NOTES", 'M', 10, 0},
};

struct Person {
    const char* LastName;
    const char* FirstName;
    const char* Zip;
    const char* Age;
};

// Record numbers 1..6; in LNAME order: Adams(4) Baker(2) Baker(6) Clark(5) Evans(1) Moore(3).
const std::vector<Person> People = {
    {"Evans", "Eve", "30301", "41"}, {"Baker", "Bob", "10001", "35"}, {"Moore", "Mia", "60601", "29"},
    {"Adams", "Ann", "02108", "52"}, {"Clark", "Cy", "10001", "35"},  {"Baker", "Al", "94105", "18"},
};

void Check(const Status& status) { ASSERT_TRUE(status.Ok()) << status.Message(); }

std::string CreatePeople(const ScratchFolder& folder, bool withTags = true)
{
    std::string path = folder.File("people.dbf");
    EXPECT_TRUE(Table::Create(path, PeopleFields).Ok());
    Table table;
    EXPECT_TRUE(table.Open(path).Ok());
    for (const Person& person : People) {
        EXPECT_TRUE(table.AppendBlank().Ok());
        EXPECT_TRUE(table.PutField("LNAME", person.LastName).Ok());
        EXPECT_TRUE(table.PutField("FNAME", person.FirstName).Ok());
        EXPECT_TRUE(table.PutField("ZIP", person.Zip).Ok());
        EXPECT_TRUE(table.PutField("AGE", person.Age).Ok());
    }
    if (withTags) {
        EXPECT_TRUE(table.CreateTag("LNAME", "UPPER(LNAME)+UPPER(FNAME)").Ok());
        EXPECT_TRUE(table.CreateTag("ZIP", "ZIP").Ok());
        EXPECT_TRUE(table.CreateTag("AGE", "AGE").Ok());
        EXPECT_TRUE(table.CreateTag("DELETED", "DELETED()").Ok());
        EXPECT_TRUE(table.CreateTag("YOUNG", "UPPER(LNAME)", "AGE < 30").Ok());
    }
    EXPECT_TRUE(table.Close().Ok());
    return path;
}

std::vector<uint32_t> Walk(Table& table)
{
    std::vector<uint32_t> order;
    EXPECT_TRUE(table.GoTop().Ok());
    while (!table.Eof()) {
        order.push_back(table.RecNo());
        EXPECT_TRUE(table.Skip(1).Ok());
    }
    return order;
}

std::vector<uint32_t> WalkBackwards(Table& table)
{
    std::vector<uint32_t> order;
    EXPECT_TRUE(table.GoBottom().Ok());
    while (!table.Eof() && !table.Bof()) {
        order.push_back(table.RecNo());
        EXPECT_TRUE(table.Skip(-1).Ok());
    }
    return order;
}

// ---- cursor movement as a table of action -> expected state ----------------------------------

struct CursorState {
    uint32_t Recno;
    bool Bof;
    bool Eof;
    bool Found;
};

struct CursorCase {
    const char* Name;
    const char* Order;  // "" = record order
    const char* Query;
    std::function<void(Table&)> Action;
    CursorState Expected;
};

class CursorTest : public ::testing::TestWithParam<CursorCase> {};

TEST_P(CursorTest, LandsWhereExpected)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder);
    Table table;
    Check(table.Open(path));
    // Record 6 (Baker, Al) is deleted in every case, so hiding is part of each expectation.
    Check(table.GoTo(6));
    Check(table.Delete());
    const CursorCase& c = GetParam();
    if (*c.Order) Check(table.SetOrder(table.OrderNumber(c.Order)));
    Check(table.SetQuery(c.Query));
    c.Action(table);
    EXPECT_EQ(table.RecNo(), c.Expected.Recno);
    EXPECT_EQ(table.Bof(), c.Expected.Bof);
    EXPECT_EQ(table.Eof(), c.Expected.Eof);
    EXPECT_EQ(table.Found(), c.Expected.Found);
}

void Seek(Table& table, const char* key, bool soft = false)
{
    table.SetSoftSeek(soft);
    auto result = table.Seek(key);
    ASSERT_TRUE(result.Ok()) << result.Message();
}

INSTANTIATE_TEST_SUITE_P(
    Table, CursorTest,
    ::testing::Values(
        CursorCase{"TopInRecordOrder", "", "", [](Table& t) { Check(t.GoTop()); }, {1, false, false, false}},
        CursorCase{"BottomSkipsDeleted", "", "", [](Table& t) { Check(t.GoBottom()); }, {5, false, false, false}},
        CursorCase{"TopInTagOrder", "LNAME", "", [](Table& t) { Check(t.GoTop()); }, {4, false, false, false}},
        CursorCase{"SkipTwoInTagOrder", "LNAME", "", [](Table& t) { Check(t.GoTop()); Check(t.Skip(2)); },
                   {5, false, false, false}},
        CursorCase{"SkipBeforeFirstSetsBof", "LNAME", "", [](Table& t) { Check(t.GoTop()); Check(t.Skip(-1)); },
                   {4, true, false, false}},
        CursorCase{"SkipPastLastIsPhantom", "LNAME", "", [](Table& t) { Check(t.GoBottom()); Check(t.Skip(1)); },
                   {7, false, true, false}},
        CursorCase{"BackFromEndOfFile", "LNAME", "",
                   [](Table& t) { Check(t.GoBottom()); Check(t.Skip(1)); Check(t.Skip(-1)); },
                   {3, false, false, false}},
        CursorCase{"GoToOutOfRange", "", "", [](Table& t) { Check(t.GoTo(99)); }, {7, false, true, false}},
        CursorCase{"SeekExact", "LNAME", "", [](Table& t) { Seek(t, "CLARK       C"); }, {5, false, false, true}},
        CursorCase{"SeekPrefixFirstOfEqualKeys", "LNAME", "", [](Table& t) { Seek(t, "BAKER"); },
                   {2, false, false, true}},
        CursorCase{"SeekSkipsDeletedMatch", "LNAME", "", [](Table& t) { Seek(t, "BAKER       AL"); },
                   {7, false, true, false}},
        CursorCase{"SeekMissIsEof", "LNAME", "", [](Table& t) { Seek(t, "DAVIS"); }, {7, false, true, false}},
        CursorCase{"SoftSeekMissStaysOnNextKey", "LNAME", "", [](Table& t) { Seek(t, "DAVIS", true); },
                   {1, false, false, false}},
        CursorCase{"SoftSeekPastEnd", "LNAME", "", [](Table& t) { Seek(t, "ZZZ", true); }, {7, false, true, false}},
        CursorCase{"SeekNumericTag", "AGE", "", [](Table& t) { Seek(t, "35"); }, {2, false, false, true}},
        CursorCase{"QueryLimitsTop", "LNAME", "ZIP = \"1\"", [](Table& t) { Check(t.GoTop()); },
                   {2, false, false, false}},
        CursorCase{"QueryLimitsSkip", "LNAME", "ZIP = \"1\"", [](Table& t) { Check(t.GoTop()); Check(t.Skip(1)); },
                   {5, false, false, false}},
        CursorCase{"QueryMatchingNothing", "", "AGE > 100", [](Table& t) { Check(t.GoTop()); },
                   {7, true, true, false}},
        CursorCase{"SeekHonoursQuery", "LNAME", "AGE > 40", [](Table& t) { Seek(t, "BAKER"); },
                   {7, false, true, false}},
        CursorCase{"ForTagHoldsOnlyMatches", "YOUNG", "", [](Table& t) { Check(t.GoTop()); Check(t.Skip(1)); },
                   {7, false, true, false}}),
    [](const ::testing::TestParamInfo<CursorCase>& info) { return std::string(info.param.Name); });

// ---- keys stay in step with the data ----------------------------------------------------------

TEST(TableIndexes, EditsAppendsDeletesAndPackKeepEveryOrderRight)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder);
    Table table;
    Check(table.Open(path));
    ASSERT_EQ(table.ProductionIndexState(), IndexState::Valid);
    Check(table.SetOrder(table.OrderNumber("LNAME")));
    EXPECT_EQ(Walk(table), (std::vector<uint32_t>{4, 6, 2, 5, 1, 3}));

    Check(table.GoTo(3));
    Check(table.PutField("LNAME", "Able"));  // Moore becomes the first
    Check(table.AppendBlank());
    Check(table.PutField("LNAME", "Zorn"));  // record 7, the last
    Check(table.GoTo(2));
    Check(table.Delete());
    EXPECT_EQ(Walk(table), (std::vector<uint32_t>{3, 4, 6, 5, 1, 7}));
    EXPECT_EQ(WalkBackwards(table), (std::vector<uint32_t>{7, 1, 5, 6, 4, 3}));

    table.SetDeletedHidden(false);
    Check(table.SetOrder(table.OrderNumber("DELETED")));
    table.SetSoftSeek(false);
    auto found = table.Seek("T");
    ASSERT_TRUE(found.Ok());
    EXPECT_TRUE(*found);
    EXPECT_EQ(table.RecNo(), 2u);
    table.SetDeletedHidden(true);

    Check(table.Pack());
    EXPECT_EQ(table.RecordCount(), 6u);
    Check(table.SetOrder(table.OrderNumber("LNAME")));
    // After the pack records 3..7 moved down by one.
    EXPECT_EQ(Walk(table), (std::vector<uint32_t>{2, 3, 5, 4, 1, 6}));
    Check(table.Close());

    Table reopened;
    Check(reopened.Open(path));
    EXPECT_EQ(reopened.ProductionIndexState(), IndexState::Valid) << reopened.IndexProblem();
    Check(reopened.SetOrder(reopened.OrderNumber("LNAME")));
    EXPECT_EQ(Walk(reopened), (std::vector<uint32_t>{2, 3, 5, 4, 1, 6}));
    Check(reopened.SetOrder(reopened.OrderNumber("AGE")));
    EXPECT_EQ(Walk(reopened), (std::vector<uint32_t>{6, 5, 2, 4, 1, 3})) << "numeric keys, blank age 0 first";
}

// A pack carries most tags' entries over under the new record numbers, and makes from the
// records those it cannot: a unique tag (its entry for a key may be a deleted record's) and tags
// whose key or condition reads the record number. Each must come out as a reindex makes it.
TEST(TableIndexes, PackedTagsMatchTagsMadeFromThePackedRecords)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder, false);
    {
        // A unique tag as another program writes it: record 2 brought ZIP 10001 first, and
        // record 5 has it too.
        TagIndex keys(TagDefinition{"UZIP", "ZIP", "", 5, 'C', false, true});
        for (size_t i = 0; i < People.size(); ++i) keys.Insert(People[i].Zip, static_cast<uint32_t>(i + 1));
        CdxStamp stamp;
        stamp.Present = true;
        stamp.RecordCount = static_cast<uint32_t>(People.size());
        Check(CdxFile::Write(folder.File("people.cdx"), {&keys}, stamp));
    }
    Table table;
    Check(table.Open(path));
    ASSERT_EQ(table.ProductionIndexState(), IndexState::Valid) << table.IndexProblem();
    Check(table.CreateTag("LNAME", "UPPER(LNAME)+UPPER(FNAME)"));
    Check(table.CreateTag("YOUNG", "UPPER(LNAME)", "AGE < 40"));
    Check(table.CreateTag("BACKWARDS", "STR(1000 - RECNO(), 4)"));
    Check(table.CreateTag("LATE", "ZIP", "RECN() > 2"));
    for (uint32_t recno : {2u, 4u}) {
        Check(table.GoTo(recno));
        Check(table.Delete());
    }
    Check(table.Pack());
    const std::vector<std::string> tags{"UZIP", "LNAME", "YOUNG", "BACKWARDS", "LATE"};
    std::vector<std::vector<uint32_t>> packed;
    for (const std::string& tag : tags) {
        Check(table.SetOrder(table.OrderNumber(tag)));
        packed.push_back(Walk(table));
    }
    EXPECT_EQ(packed[1], (std::vector<uint32_t>{4, 3, 1, 2})) << "kept 1, 3, 5, 6 are now 1..4";
    Check(table.Reindex());
    for (size_t i = 0; i < tags.size(); ++i) {
        Check(table.SetOrder(table.OrderNumber(tags[i])));
        EXPECT_EQ(Walk(table), packed[i]) << tags[i];
    }
    Check(table.SetOrder(table.OrderNumber("UZIP")));
    auto found = table.Seek("10001");
    ASSERT_TRUE(found.Ok());
    EXPECT_TRUE(*found) << "the kept record with the deleted one's key";
    EXPECT_EQ(table.RecNo(), 3u);
}

TEST(TableIndexes, ZapEmptiesTableAndTags)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder);
    Table table;
    Check(table.Open(path));
    Check(table.Zap());
    EXPECT_EQ(table.RecordCount(), 0u);
    Check(table.SetOrder(table.OrderNumber("LNAME")));
    EXPECT_TRUE(Walk(table).empty());
    EXPECT_TRUE(table.Eof() && table.Bof());
    Check(table.Close());
    Check(table.Open(path));
    EXPECT_EQ(table.ProductionIndexState(), IndexState::Valid) << table.IndexProblem();
}

TEST(TableIndexes, OneTagIndexFileIsSelectedAndTakesAddedKeys)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder);
    Table table;
    Check(table.Open(path));
    std::string idx = folder.File("_chkdup.idx");
    Check(table.CreateIndexFile(idx, "ZIP"));
    EXPECT_EQ(table.OrderName(), "_CHKDUP");
    EXPECT_EQ(table.OrderIndexFileName(), idx);
    EXPECT_EQ(Walk(table), (std::vector<uint32_t>{4, 2, 5, 1, 3, 6}));
    Check(table.CloseIndexes());
    EXPECT_EQ(table.OrderNumber("_CHKDUP"), 0);
    Check(table.OpenIndex(idx));
    Check(table.SetOrder(table.OrderNumber("_CHKDUP")));
    EXPECT_EQ(Walk(table).size(), 6u);
}

// ---- an index that lists only the records the caller adds -------------------------------------

struct ListedCase {
    const char* Name;
    std::function<void(Table&)> Action; // runs with the list selected, holding records 2 and 5
    std::vector<uint32_t> Expected;     // the list's walk afterwards
};

class ListedIndexTest : public ::testing::TestWithParam<ListedCase> {};

TEST_P(ListedIndexTest, HoldsOnlyAddedRecords)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder);
    Table table;
    Check(table.Open(path));
    std::string idx = folder.File("_chksz.idx");
    Check(table.CreateEmptyIndexFile(idx, "upper(LNAME)+upper(FNAME)"));
    EXPECT_TRUE(std::filesystem::exists(idx)) << "the empty file is on disk at once";
    EXPECT_EQ(table.OrderIndexFileName(), idx);
    EXPECT_TRUE(Walk(table).empty());
    const int list = table.Order();
    for (uint32_t recno : {2u, 5u}) {
        Check(table.GoTo(recno));
        Check(table.AddCurrentKey());
    }
    GetParam().Action(table);
    Check(table.SetOrder(list));
    EXPECT_EQ(Walk(table), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ListedIndexTest,
                         ::testing::Values(ListedCase{"InKeyOrder", [](Table&) {}, {2, 5}},
                                           ListedCase{"AddedTwiceListedOnce",
                                                      [](Table& t) {
                                                          Check(t.GoTo(5));
                                                          Check(t.AddCurrentKey());
                                                          Check(t.AddCurrentKey());
                                                      },
                                                      {2, 5}},
                                           ListedCase{"EditMovesListedKey",
                                                      [](Table& t) {
                                                          Check(t.GoTo(5));
                                                          Check(t.PutField("LNAME", "Aaron"));
                                                          Check(t.GoTop());
                                                      },
                                                      {5, 2}},
                                           ListedCase{"EditAfterAddMovesTheAddedKey",
                                                      [](Table& t) {
                                                          Check(t.GoTo(3));
                                                          Check(t.PutField("LNAME", "Zed"));
                                                          Check(t.AddCurrentKey());
                                                          Check(t.PutField("LNAME", "Able"));
                                                          Check(t.Commit());
                                                      },
                                                      {3, 2, 5}},
                                           ListedCase{"EditNeverAddsUnlisted",
                                                      [](Table& t) {
                                                          Check(t.GoTo(4));
                                                          Check(t.PutField("LNAME", "Aaron"));
                                                          Check(t.Commit());
                                                      },
                                                      {2, 5}},
                                           ListedCase{"AppendNeverAdded",
                                                      [](Table& t) {
                                                          Check(t.AppendBlank());
                                                          Check(t.PutField("LNAME", "Able"));
                                                          Check(t.Commit());
                                                      },
                                                      {2, 5}},
                                           ListedCase{"EditInAnotherOrderMovesKey",
                                                      [](Table& t) {
                                                          Check(t.SetOrder(t.OrderNumber("ZIP")));
                                                          Check(t.GoTo(2));
                                                          Check(t.PutField("LNAME", "Zulu"));
                                                          Check(t.Commit());
                                                      },
                                                      {5, 2}},
                                           ListedCase{"AddedWhileWalkingAnotherOrder",
                   [](Table& t) {
                       Check(t.SetOrder(t.OrderNumber("ZIP")));
                       Check(t.GoTo(4));
                       Check(t.AddCurrentKey(t.OrderNumber("_CHKSZ")));
                       EXPECT_EQ(t.OrderName(), "ZIP");
                   },
                   {4, 2, 5}},
        ListedCase{"DeletedListedRecordHidden",
                                                      [](Table& t) {
                                                          Check(t.GoTo(2));
                                                          Check(t.Delete());
                                                      },
                                                      {5}}),
                         [](const ::testing::TestParamInfo<ListedCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST(TableIndexes, ClosingOneIndexFileKeepsTheOthers)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder);
    Table table;
    Check(table.Open(path));
    std::string idx = folder.File("_chkdup.idx");
    Check(table.CreateEmptyIndexFile(idx, "ZIP"));
    Check(table.GoTo(2));
    Check(table.AddCurrentKey());
    Check(table.DeleteIndexFile(idx));
    EXPECT_FALSE(std::filesystem::exists(idx));
    EXPECT_EQ(table.Order(), 0) << "record order after the selected list is gone";
    EXPECT_EQ(table.OrderNumber("_CHKDUP"), 0);
    Check(table.SetOrder(table.OrderNumber("LNAME")));
    EXPECT_EQ(Walk(table), (std::vector<uint32_t>{4, 6, 2, 5, 1, 3}));
    Check(table.DeleteIndexFile(idx)); // no longer open: nothing to do
    Check(table.Close());
    Check(table.Open(path));
    EXPECT_EQ(table.ProductionIndexState(), IndexState::Valid) << table.IndexProblem();
}

TEST(TableIndexes, EmptyIndexFileInAMissingFolderIsRefused)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder);
    Table table;
    Check(table.Open(path));
    const int before = table.Order();
    Status made = table.CreateEmptyIndexFile(folder.File("missing/_chkdup.idx"), "ZIP");
    EXPECT_FALSE(made.Ok());
    EXPECT_FALSE(made.Message().empty());
    EXPECT_EQ(table.Order(), before);
    EXPECT_EQ(table.OrderNumber("_CHKDUP"), 0);
}

// ---- the index on disk is trusted only when it matches -----------------------------------------

TEST(TableIndexes, MissingIndexIsReportedInvalid)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder);
    std::filesystem::remove(folder.File("people.cdx"));
    Table table;
    Check(table.Open(path));
    EXPECT_EQ(table.ProductionIndexState(), IndexState::Invalid);
    EXPECT_EQ(table.OrderNumber("LNAME"), 0);
}

TEST(TableIndexes, IndexOfAnotherRecordCountIsReportedInvalid)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder);
    std::string before = testing::ReadBytes(folder.File("people.cdx"));
    {
        Table table;
        Check(table.Open(path));
        Check(table.AppendBlank());
        Check(table.Close());
    }
    testing::WriteBytes(folder.File("people.cdx"), before);  // an index copied back from a backup
    Table table;
    Check(table.Open(path));
    EXPECT_EQ(table.ProductionIndexState(), IndexState::Invalid);
}

// A writer that dies after committing keeps what it committed, index included; what it changed
// after the commit is rolled back.
TEST(TableCrash, CommittedRecordsSurviveWithTheirIndex)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Table table;
        if (!table.Open(path).Ok()) _exit(2);
        if (!table.GoTo(1).Ok() || !table.PutField("LNAME", "Changed").Ok()) _exit(3);
        if (!table.AppendBlank().Ok() || !table.PutField("LNAME", "Newcomer").Ok()) _exit(4);
        if (!table.Commit().Ok()) _exit(5);
        if (!table.AppendBlank().Ok() || !table.PutField("LNAME", "Uncommitted").Ok()) _exit(6);
        _exit(0);  // dies without closing
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);

    Table table;
    Check(table.Open(path));
    EXPECT_EQ(table.ProductionIndexState(), IndexState::Valid);
    ASSERT_EQ(table.RecordCount(), 7u);
    Check(table.GoTo(1));
    EXPECT_EQ(*table.GetField("LNAME"), "Changed");
    Check(table.GoTo(7));
    EXPECT_EQ(*table.GetField("LNAME"), "Newcomer");
    Check(table.GoTo(6));
    EXPECT_EQ(*table.GetField("FNAME"), "Al");
    Check(table.SetOrder(table.OrderNumber("LNAME")));
    auto found = table.Seek("NEWCOMER");
    ASSERT_TRUE(found.Ok());
    EXPECT_TRUE(*found);
    EXPECT_EQ(table.RecNo(), 7u);
    EXPECT_FALSE(*table.Seek("UNCOMMITTED"));
}

// A batch append killed between two records and before any commit leaves the table as it was:
// no blank record, no half record.
TEST(TableCrash, KilledAppendLeavesTheLastCommit)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder, false);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Table table;
        if (!table.Open(path).Ok()) _exit(2);
        if (!table.AppendBlank().Ok() || !table.PutField("LNAME", "Written").Ok()) _exit(3);
        if (!table.AppendBlank().Ok() || !table.PutField("LNAME", "Half").Ok()) _exit(4);
        _exit(0);  // killed while the second record is being filled
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);

    Table table;
    Check(table.Open(path));
    ASSERT_EQ(table.RecordCount(), 6u);
    Check(table.GoTo(6));
    EXPECT_EQ(*table.GetField("FNAME"), "Al");
}

TEST(TableAppend, DiscardedAppendLeavesNothingAndAChangeReadsAsStored)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder, false);
    Table table;
    Check(table.Open(path));
    Check(table.AppendBlank());
    EXPECT_EQ(table.RecordCount(), 7u);
    Check(table.PutField("LNAME", "Dropped"));
    Check(table.DiscardChanges());
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.RecordCount(), 6u);
    Check(table.GoTo(1));
    Check(table.PutField("LNAME", "Changed"));
    Check(table.DiscardChanges());
    EXPECT_EQ(*table.GetField("LNAME"), "Evans");
    Check(table.Close());
    Check(table.Open(path));
    EXPECT_EQ(table.RecordCount(), 6u);
    EXPECT_EQ(*table.GetField("LNAME"), "Evans");
}

TEST(TableLocking, SecondExclusiveOpenIsRefused)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder, false);
    Table first;
    Check(first.Open(path));
    Table second;
    Status refused = second.Open(path);
    EXPECT_FALSE(refused.Ok());
    EXPECT_NE(refused.Message().find(path), std::string::npos) << refused.Message();
    Table reader;
    EXPECT_FALSE(reader.Open(path, OpenMode::SharedReadOnly).Ok());
    Check(first.Close());
    Check(reader.Open(path, OpenMode::SharedReadOnly));
    EXPECT_FALSE(reader.PutField("LNAME", "x").Ok());
}

// ---- values and errors -----------------------------------------------------------------------

TEST(TableFields, TextRoundTripsAsUtf8AndUnmappableTextIsRefused)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder, false);
    Table table;
    Check(table.Open(path));
    Check(table.GoTo(1));
    Check(table.PutField("LNAME", "Müller"));
    Check(table.PutMemo("NOTES", "Straße 5\r\nÉtage 2"));
    Status refused = table.PutField("FNAME", "Ωmega");
    EXPECT_FALSE(refused.Ok());
    EXPECT_NE(refused.Message().find("FNAME"), std::string::npos) << refused.Message();
    EXPECT_EQ(*table.GetField("FNAME"), "Eve");
    EXPECT_FALSE(table.PutField("ZIP", "123456").Ok()) << "too long for the field";
    EXPECT_FALSE(table.PutField("AGE", "abc").Ok());
    Check(table.Close());

    Check(table.Open(path));
    Check(table.GoTo(1));
    EXPECT_EQ(*table.GetField("LNAME"), "Müller");
    EXPECT_EQ(*table.GetMemo("NOTES"), "Straße 5\r\nÉtage 2");
    EXPECT_EQ(*table.GetField("ZIP"), "30301");
    EXPECT_EQ(*table.IsFieldEmpty("ISDEL"), true);
    EXPECT_EQ(*table.IsFieldEmpty("LNAME"), false);
    EXPECT_FALSE(table.GetField("NOSUCH").Ok());
}

TEST(TableQuery, CountsMatchesAndRefusesBadExpressions)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder);
    Table table;
    Check(table.Open(path));
    Check(table.SetQuery("AGE = 35 .and. !ISDEL"));
    EXPECT_EQ(*table.QueryCount(), 2u);
    EXPECT_EQ(table.Query(), "AGE = 35 .and. !ISDEL");
    for (const char* bad : {"AGE = ", "LNAME + 1", "NOSUCH = 1", "LNAME"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(table.SetQuery(bad).Ok());
        EXPECT_EQ(table.Query(), "AGE = 35 .and. !ISDEL") << "the previous query stays";
    }
    Check(table.SetQuery(""));
    EXPECT_EQ(*table.QueryCount(), 6u);
    Check(table.GoTo(2));
    EXPECT_EQ(*table.EvaluateCondition("ZIP = \"100\""), true);
    EXPECT_FALSE(table.EvaluateCondition("ZIP +").Ok());
}

TEST(TableStructure, CopyStructureMakesAnEmptyTwin)
{
    ScratchFolder folder;
    std::string path = CreatePeople(folder, false);
    Table table;
    Check(table.Open(path));
    std::string copy = folder.File("copy.dbf");
    Check(table.CopyStructure(copy));
    Table twin;
    Check(twin.Open(copy));
    EXPECT_EQ(twin.RecordCount(), 0u);
    ASSERT_EQ(twin.File().Fields().size(), PeopleFields.size());
    EXPECT_EQ(twin.File().Fields()[5].Type, 'M');
    Check(twin.AppendBlank());
    Check(twin.PutMemo("NOTES", "memo in the copy"));
}

}  // namespace
}  // namespace xbase

namespace xbase {
namespace {

// Every tag walked in its order as "key|recno" lines.
std::vector<std::string> TagWalks(Table& table)
{
    std::vector<std::string> lines;
    for (const auto& tag : table.Tags()) {
        Check(table.SetOrder(table.OrderNumber(tag.Name)));
        Check(table.GoTop());
        while (!table.Eof()) {
            auto key = table.EvaluateExpression(tag.KeyExpression);
            lines.push_back(tag.Name + "|" + (key.Ok() ? key->Text : "?") + "|" + std::to_string(table.RecNo()));
            Check(table.Skip(1));
        }
    }
    return lines;
}

// Keys that outgrow memory go to sorted runs on disk: appends, and many tags made in one pass,
// come out in the same order as tags made one at a time.
TEST(TableBatches, SpilledKeysMergeToTheOrderOfTagsMadeOneByOne)
{
    struct CacheLimit {
        size_t Saved = xbase::PageCache::Shared().Limit();
        ~CacheLimit() { xbase::PageCache::Shared().SetLimit(Saved); }
    } restore;
    xbase::PageCache::Shared().SetLimit(size_t{1} << 20);  // batches spill every few thousand records
    ScratchFolder folder;
    auto fill = [](Table& table, uint32_t from, uint32_t to) {
        for (uint32_t i = from; i < to; ++i) {
            Check(table.AppendBlank());
            Check(table.PutField("LNAME", "Name" + std::to_string((i * 7919) % 5003)));
            Check(table.PutField("FNAME", i % 3 ? "Ann" : ""));
            Check(table.PutField("AGE", std::to_string(i % 97)));
        }
    };
    const std::vector<std::pair<std::string, std::string>> tags = {
        {"LNAME", "UPPER(LNAME)+UPPER(FNAME)"}, {"AGE", "AGE"}, {"FNAME", "FNAME"}};
    auto make = [&](const std::string& name) {
        const std::string path = folder.File(name);
        Check(Table::Create(path, {{"LNAME", 'C', 30}, {"FNAME", 'C', 20}, {"AGE", 'N', 3}}));
        return path;
    };
    // One at a time, then 30,000 records appended and committed through the batches.
    Table byOne;
    Check(byOne.Open(make("one.dbf")));
    fill(byOne, 0, 10000);
    for (const auto& [name, key] : tags) Check(byOne.CreateTag(name, key));
    fill(byOne, 10000, 40000);
    Check(byOne.Commit());
    // All at once over the same records.
    Table atOnce;
    Check(atOnce.Open(make("all.dbf")));
    fill(atOnce, 0, 40000);
    std::vector<xbase::TagDefinition> definitions;
    for (const auto& [name, key] : tags) {
        xbase::TagDefinition definition;
        definition.Name = name;
        definition.KeyExpression = key;
        definitions.push_back(definition);
    }
    Check(atOnce.CreateTags(definitions));
    Check(atOnce.Commit());
    const auto expected = TagWalks(byOne);
    ASSERT_EQ(expected.size(), 3u * 40000u);
    EXPECT_EQ(TagWalks(atOnce), expected);
    // And both survive a reopen as they are.
    Check(atOnce.Close());
    Check(atOnce.Open(folder.File("all.dbf")));
    EXPECT_EQ(atOnce.ProductionIndexState(), IndexState::Valid);
    EXPECT_EQ(TagWalks(atOnce), expected);
}

}  // namespace
}  // namespace xbase
