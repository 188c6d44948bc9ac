#include "platform/xbase/Journal.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include <filesystem>
#include <map>
#include <random>

#include "platform/xbase/DbfFile.h"
#include "platform/xbase/MemoFile.h"
#include "support/ScratchFolder.h"

namespace xbase {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

bool Exists(const std::string& path)
{
    return std::filesystem::exists(path);
}

std::string Pattern(size_t size, char seed)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + static_cast<char>(i * 7 % 251));
    return bytes;
}

// A few files beside a table, open read-write the way the engine keeps them, and a journal.
class JournalTest : public ::testing::Test {
  protected:
    void TearDown() override
    {
        FJournal.reset();
        for (auto& [name, fd] : FFds)
            ::close(fd);
    }

    int AddFile(const std::string& name, const std::string& bytes)
    {
        WriteBytes(FFolder.File(name), bytes);
        const int fd = ::open(FFolder.File(name).c_str(), O_RDWR | O_CLOEXEC);
        EXPECT_GE(fd, 0);
        FFds[name] = fd;
        FOriginal[name] = bytes;
        return FJournal->Register(FFolder.File(name), fd);
    }

    // An overwrite done the way the files do it: saved, synced, written.
    void Overwrite(int id, const std::string& name, uint64_t offset, const std::string& bytes)
    {
        ASSERT_TRUE(FJournal->Save(id, offset, bytes.size()).Ok());
        if (FJournal->NeedsSync()) {
            ASSERT_TRUE(FJournal->Sync().Ok());
        }
        ASSERT_EQ(::pwrite(FFds[name], bytes.data(), bytes.size(), static_cast<off_t>(offset)),
                  static_cast<ssize_t>(bytes.size()));
    }

    void Shrink(int id, const std::string& name, uint64_t size)
    {
        struct stat info {};
        ASSERT_EQ(::fstat(FFds[name], &info), 0);
        ASSERT_TRUE(FJournal->Save(id, size, static_cast<uint64_t>(info.st_size) - size).Ok());
        ASSERT_TRUE(FJournal->Sync().Ok());
        ASSERT_EQ(::ftruncate(FFds[name], static_cast<off_t>(size)), 0);
    }

    void ExpectOriginal(const std::string& name)
    {
        const std::string now = ReadBytes(FFolder.File(name));
        EXPECT_EQ(now.size(), FOriginal[name].size()) << name;
        EXPECT_TRUE(now == FOriginal[name]) << name << " differs from its bytes at the transaction's start";
    }

    ScratchFolder FFolder;
    std::string FTable = FFolder.File("T.DBF");
    std::string FJournalPath = Journal::PathFor(FTable);
    std::unique_ptr<Journal> FJournal = std::make_unique<Journal>(FTable);
    std::map<std::string, int> FFds;
    std::map<std::string, std::string> FOriginal;
};

TEST_F(JournalTest, PathIsBesideTheTableInItsCase)
{
    EXPECT_EQ(FJournalPath, FFolder.File("T.JNL"));
    EXPECT_EQ(Journal::PathFor("/data/people.dbf"), "/data/people.jnl");
}

TEST_F(JournalTest, CommitEmptiesTheJournalAndKeepsTheNewBytes)
{
    EXPECT_TRUE(FJournal->Commit().Ok()) << "no transaction: nothing to do";
    EXPECT_FALSE(Exists(FJournalPath));
    EXPECT_TRUE(Journal::Recover(FTable).Ok()) << "no journal: nothing to do";

    const int id = AddFile("T.DBF", Pattern(3000, 'a'));
    EXPECT_FALSE(FJournal->Active());
    Overwrite(id, "T.DBF", 100, "changed");
    EXPECT_TRUE(FJournal->Active());
    EXPECT_TRUE(Exists(FJournalPath));
    EXPECT_FALSE(FJournal->NeedsSync());
    Overwrite(id, "T.DBF", 110, "again");
    EXPECT_FALSE(FJournal->NeedsSync()) << "the chunk was saved already";
    ASSERT_TRUE(FJournal->Commit().Ok());
    EXPECT_FALSE(FJournal->Active());
    EXPECT_FALSE(Journal::Pending(FTable)) << "the committed journal still holds a transaction";
    EXPECT_EQ(ReadBytes(FJournalPath), "") << "kept, emptied, for the next transaction";
    EXPECT_EQ(ReadBytes(FFolder.File("T.DBF")).substr(100, 7), "changed");
    EXPECT_EQ(ReadBytes(FFolder.File("T.DBF")).substr(110, 5), "again");

    // A second transaction starts from the committed bytes.
    Overwrite(id, "T.DBF", 100, "third");
    FJournal.reset();
    ASSERT_TRUE(Journal::Recover(FTable).Ok());
    EXPECT_EQ(ReadBytes(FFolder.File("T.DBF")).substr(100, 7), "changed");
    EXPECT_FALSE(Exists(FJournalPath));
}

TEST_F(JournalTest, RecoveryAfterACrashRestoresEveryFileAsItWas)
{
    const int table = AddFile("T.DBF", Pattern(5000, 'a'));
    const int memo = AddFile("T.FPT", Pattern(Journal::ChunkSize * 3, 'm'));
    const int empty = AddFile("T.CDX", "");
    Overwrite(table, "T.DBF", 4, "1234");                         // a header field
    Overwrite(table, "T.DBF", Journal::ChunkSize - 3, "across");  // over a chunk boundary
    Overwrite(table, "T.DBF", 4990, std::string(40, 'z'));        // the end, and beyond it
    Overwrite(memo, "T.FPT", Journal::ChunkSize * 3, "appended"); // growth only
    Overwrite(memo, "T.FPT", 0, std::string(Journal::ChunkSize * 2, 'x'));
    Overwrite(empty, "T.CDX", 0, std::string(2000, 'i'));
    Overwrite(table, "T.DBF", 4, "5678"); // a second write to a saved chunk
    // A file that joins the open transaction is rolled back to its size when it joined.
    const int late = AddFile("T.TMP", Pattern(700, 'l'));
    Overwrite(late, "T.TMP", 650, std::string(100, 'q'));
    Shrink(memo, "T.FPT", 10);

    FJournal.reset(); // the process dies: no commit
    ASSERT_TRUE(Exists(FJournalPath));
    const Status recovered = Journal::Recover(FTable);
    ASSERT_TRUE(recovered.Ok()) << recovered.Message();
    for (const char* name : {"T.DBF", "T.FPT", "T.CDX", "T.TMP"})
        ExpectOriginal(name);
    EXPECT_FALSE(Exists(FJournalPath));
}

TEST_F(JournalTest, ATornLastEntryIsIgnoredAndTheCompleteOnesApplied)
{
    const int id = AddFile("T.DBF", Pattern(3 * Journal::ChunkSize + 20, 'a'));
    Overwrite(id, "T.DBF", 10, "first");
    const uint64_t before = ReadBytes(FJournalPath).size();
    // The last entry's overwrite never reached the file: a crash tore the journal first.
    ASSERT_TRUE(FJournal->Save(id, 3 * Journal::ChunkSize, 5).Ok());
    ASSERT_TRUE(FJournal->Sync().Ok());
    ASSERT_EQ(::ftruncate(FFds["T.DBF"], 5 * Journal::ChunkSize), 0);
    FJournal.reset();
    const std::string journal = ReadBytes(FJournalPath);
    const std::string crashed = ReadBytes(FFolder.File("T.DBF"));
    ASSERT_EQ(journal.size(), before + (4 + 1 + 8) + (4 + 8) + 20)
        << "one entry holding the file's last 20 bytes";

    for (uint64_t cut = before; cut < journal.size(); ++cut) {
        WriteBytes(FJournalPath, journal.substr(0, cut));
        WriteBytes(FFolder.File("T.DBF"), crashed);
        const Status recovered = Journal::Recover(FTable);
        ASSERT_TRUE(recovered.Ok()) << "cut at " << cut << ": " << recovered.Message();
        const std::string now = ReadBytes(FFolder.File("T.DBF"));
        ASSERT_EQ(now.size(), FOriginal["T.DBF"].size()) << "cut at " << cut;
        ASSERT_EQ(now.substr(10, 5), FOriginal["T.DBF"].substr(10, 5)) << "cut at " << cut;
        ASSERT_FALSE(Exists(FJournalPath)) << "cut at " << cut;
    }
}

TEST_F(JournalTest, AJournalWithoutCompleteEntriesIsDeletedUntouched)
{
    const int id = AddFile("T.DBF", Pattern(1000, 'a'));
    Overwrite(id, "T.DBF", 0, "x");
    FJournal.reset();
    const std::string journal = ReadBytes(FJournalPath);
    const std::string current = ReadBytes(FFolder.File("T.DBF"));
    // Until the entry naming the file is complete, no file is rolled back.
    const size_t fileEntryEnd = 12 + (4 + 1 + 8) + (4 + 8 + std::string("T.DBF").size());
    for (size_t cut = 0; cut < fileEntryEnd; ++cut) {
        WriteBytes(FJournalPath, journal.substr(0, cut));
        ASSERT_TRUE(Journal::Recover(FTable).Ok()) << "cut at " << cut;
        EXPECT_FALSE(Exists(FJournalPath)) << "cut at " << cut;
        EXPECT_EQ(ReadBytes(FFolder.File("T.DBF")), current) << "cut at " << cut;
    }
}

struct DamageCase {
    const char* Name;
    size_t At;
    char Byte;
};

class DamagedJournal : public JournalTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedJournal, IsReportedAndLeftInPlace)
{
    const int id = AddFile("T.DBF", Pattern(1000, 'a'));
    Overwrite(id, "T.DBF", 0, "changed");
    FJournal.reset();
    std::string journal = ReadBytes(FJournalPath);
    journal[GetParam().At] = GetParam().Byte;
    WriteBytes(FJournalPath, journal);
    const std::string current = ReadBytes(FFolder.File("T.DBF"));

    const Status recovered = Journal::Recover(FTable);
    EXPECT_FALSE(recovered.Ok());
    EXPECT_NE(recovered.Message().find(FJournalPath), std::string::npos) << recovered.Message();
    EXPECT_TRUE(Exists(FJournalPath));
    EXPECT_EQ(ReadBytes(FFolder.File("T.DBF")), current);
}

INSTANTIATE_TEST_SUITE_P(Journal, DamagedJournal,
                         ::testing::Values(DamageCase{"BadMagic", 0, 'X'}, DamageCase{"LaterVersion", 8, 9}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(JournalTest, ARolledBackFileThatIsGoneIsAnError)
{
    const int id = AddFile("T.FPT", Pattern(1000, 'a'));
    Overwrite(id, "T.FPT", 0, "changed");
    FJournal.reset();
    ASSERT_EQ(::unlink(FFolder.File("T.FPT").c_str()), 0);
    const Status recovered = Journal::Recover(FTable);
    EXPECT_FALSE(recovered.Ok());
    EXPECT_NE(recovered.Message().find("T.FPT"), std::string::npos) << recovered.Message();
    EXPECT_TRUE(Exists(FJournalPath));
}

TEST_F(JournalTest, ReplaceRenamesAndLeavesNoJournal)
{
    WriteBytes(FFolder.File("T.DBF"), "old table");
    WriteBytes(FFolder.File("T.NEW"), "new table");
    ASSERT_TRUE(FJournal->Replace({{FFolder.File("T.NEW"), FFolder.File("T.DBF")}}).Ok());
    EXPECT_EQ(ReadBytes(FFolder.File("T.DBF")), "new table");
    EXPECT_FALSE(Exists(FFolder.File("T.NEW")));
    EXPECT_FALSE(Exists(FJournalPath));

    // With byte changes open, the replacement commits them along with the renames.
    const int id = AddFile("T.CDX", Pattern(100, 'c'));
    Overwrite(id, "T.CDX", 0, "x");
    WriteBytes(FFolder.File("T.NEW"), "newer");
    ASSERT_TRUE(FJournal->Replace({{FFolder.File("T.NEW"), FFolder.File("T.DBF")}}).Ok());
    EXPECT_EQ(ReadBytes(FFolder.File("T.DBF")), "newer");
    EXPECT_EQ(ReadBytes(FFolder.File("T.CDX")).substr(0, 1), "x");
    EXPECT_FALSE(Journal::Pending(FTable));
    FJournal.reset();
    EXPECT_FALSE(Exists(FJournalPath)) << "the emptied journal goes with its table";
}

// A replacement cut short: the second rename fails (its new file is missing), which leaves the
// journal exactly as a crash between the two renames would.
TEST_F(JournalTest, RecoveryFinishesAReplacementOnlyOnceItsGroupIsClosed)
{
    WriteBytes(FFolder.File("T.DBF"), "old table");
    WriteBytes(FFolder.File("T.CDX"), "old index");
    WriteBytes(FFolder.File("T.DBN"), "new table");
    const std::vector<std::pair<std::string, std::string>> renames = {
        {FFolder.File("T.DBN"), FFolder.File("T.DBF")}, {FFolder.File("T.CDN"), FFolder.File("T.CDX")}};
    ASSERT_FALSE(FJournal->Replace(renames).Ok());
    ASSERT_TRUE(Exists(FJournalPath));
    EXPECT_EQ(ReadBytes(FFolder.File("T.DBF")), "new table");
    const std::string journal = ReadBytes(FJournalPath);

    // Closed group: what is left to rename is renamed.
    WriteBytes(FFolder.File("T.CDN"), "new index");
    ASSERT_TRUE(Journal::Recover(FTable).Ok());
    EXPECT_EQ(ReadBytes(FFolder.File("T.DBF")), "new table");
    EXPECT_EQ(ReadBytes(FFolder.File("T.CDX")), "new index");
    EXPECT_FALSE(Exists(FFolder.File("T.CDN")));
    EXPECT_FALSE(Exists(FJournalPath));

    // The closing entry torn anywhere (or missing): nothing is renamed.
    const size_t closing = 4 + 1 + 8;
    for (size_t cut = journal.size() - closing; cut < journal.size(); ++cut) {
        WriteBytes(FFolder.File("T.DBF"), "old table");
        WriteBytes(FFolder.File("T.DBN"), "new table");
        WriteBytes(FJournalPath, journal.substr(0, cut));
        ASSERT_TRUE(Journal::Recover(FTable).Ok()) << "cut at " << cut;
        EXPECT_EQ(ReadBytes(FFolder.File("T.DBF")), "old table") << "cut at " << cut;
        EXPECT_TRUE(Exists(FFolder.File("T.DBN"))) << "cut at " << cut;
        EXPECT_FALSE(Exists(FJournalPath)) << "cut at " << cut;
    }
}

// Random overwrites, growth and shrinking of several files against their saved copies.
TEST_F(JournalTest, RandomChangesAreAllRolledBack)
{
    std::mt19937 random(23);
    const std::vector<std::string> names = {"T.DBF", "T.FPT", "T.CDX"};
    for (int round = 0; round < 10; ++round) {
        FJournal = std::make_unique<Journal>(FTable);
        std::vector<int> ids;
        for (const std::string& name : names) {
            if (FFds.count(name))
                ::close(FFds[name]);
            ids.push_back(AddFile(name, Pattern(random() % 6000, static_cast<char>('a' + round))));
        }
        for (int step = 0; step < 30; ++step) {
            const size_t which = random() % names.size();
            const auto size = static_cast<uint64_t>(ReadBytes(FFolder.File(names[which])).size());
            if (random() % 8 == 0) {
                Shrink(ids[which], names[which], size == 0 ? 0 : random() % size);
            } else {
                const uint64_t offset = random() % (size + 1000);
                Overwrite(ids[which], names[which], offset, std::string(1 + random() % 1500, 'w'));
            }
        }
        FJournal.reset();
        ASSERT_TRUE(Journal::Recover(FTable).Ok()) << "round " << round;
        for (const std::string& name : names)
            ExpectOriginal(name);
    }
}

// --- The table's files with a journal attached ----------------------------------------------

namespace files {

const std::vector<FieldSpec> kFields = {{"NAME", 'C', 89, 0}, {"NOTE", 'M', 0, 0}};
constexpr uint32_t kRecords = 50000; // 5 MB of records: a bulk edit passes the pending limit
constexpr uint32_t kMemos = 300;

std::string Name(uint32_t recno, const std::string& tag)
{
    return tag + " " + std::to_string(recno);
}

std::string Memo(uint32_t recno, const std::string& tag)
{
    return tag + std::string(recno % 150, 'n') + std::to_string(recno);
}

// Where a child process reports what went wrong before it dies.
#define CHILD_CHECK(condition)                                                                               \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "child: %s failed at line %d\n", #condition, __LINE__);                     \
            _exit(2);                                                                                        \
        }                                                                                                    \
    } while (false)

struct OpenFiles {
    std::unique_ptr<DbfFile> Table;
    std::unique_ptr<MemoFile> Memo;
};

OpenFiles OpenBoth(const std::string& table, const std::string& memo)
{
    auto dbf = DbfFile::Open(table, OpenMode::Exclusive);
    auto fpt = MemoFile::Open(memo, MemoFile::Kind::Fpt, OpenMode::Exclusive);
    if (!dbf || !fpt)
        return {};
    return {dbf.Take(), fpt.Take()};
}

// Sets the name and, for the first records, the memo of one record.
bool Rewrite(OpenFiles& files, uint32_t recno, const std::string& tag, bool append = false)
{
    const DbfFile& dbf = *files.Table;
    const char* current = append ? nullptr : dbf.Record(recno);
    std::string record =
        current != nullptr ? std::string(current, dbf.RecordLength()) : std::string(dbf.RecordLength(), ' ');
    if (!FieldCodec::Write(record.data(), dbf.Fields()[0], Name(recno, tag)))
        return false;
    if (recno <= kMemos || append) {
        const uint32_t old = current != nullptr ? FieldCodec::MemoBlock(current, dbf.Fields()[1], false) : 0;
        auto block = files.Memo->Write(Memo(recno, tag), old);
        if (!block)
            return false;
        FieldCodec::SetMemoBlock(record.data(), dbf.Fields()[1], false, *block);
    }
    if (append)
        return files.Table->AppendRecord(record.data()).Ok();
    return files.Table->WriteRecord(recno, record.data()).Ok();
}

struct CrashCase {
    const char* Name;
    bool CommitFirst; // a committed transaction, then one that dies
    void (*Changes)(OpenFiles& files);
};

void BulkEdit(OpenFiles& files)
{
    for (uint32_t recno = 1; recno <= kRecords; ++recno)
        CHILD_CHECK(Rewrite(files, recno, "bulk"));
}

void EditsAppendsAndMemos(OpenFiles& files)
{
    for (uint32_t recno = 1; recno <= kRecords; recno += 97)
        CHILD_CHECK(Rewrite(files, recno, recno % 2 ? "x" : "a much longer text that needs new blocks"));
    for (uint32_t n = 0; n < 50; ++n)
        CHILD_CHECK(Rewrite(files, kRecords + n + 1, "appended", true));
    CHILD_CHECK(files.Table->SetTableFlags(files.Table->TableFlags() | DbfFile::FlagStructuralIndex).Ok());
    CHILD_CHECK(files.Table->WriteHeader().Ok());
    CHILD_CHECK(files.Memo->Commit().Ok()); // the memo's header and a sync: still no journal commit
}

void TruncateAndZap(OpenFiles& files)
{
    CHILD_CHECK(Rewrite(files, kRecords, "pending before the cut"));
    CHILD_CHECK(files.Table->Truncate(kRecords / 3).Ok());
    CHILD_CHECK(files.Memo->Zap().Ok());
    CHILD_CHECK(Rewrite(files, 1, "after the cut"));
    CHILD_CHECK(files.Table->Commit().Ok());
}

class JournaledFiles : public ::testing::TestWithParam<CrashCase> {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(DbfFile::Create(FTable, kFields).Ok());
        ASSERT_TRUE(MemoFile::CreateFpt(FMemo).Ok());
        OpenFiles files = OpenBoth(FTable, FMemo);
        ASSERT_TRUE(files.Table && files.Memo);
        for (uint32_t recno = 1; recno <= kRecords; ++recno)
            ASSERT_TRUE(Rewrite(files, recno, "start", true));
        ASSERT_TRUE(files.Table->Commit().Ok());
        ASSERT_TRUE(files.Memo->Commit().Ok());
    }

    ScratchFolder FFolder;
    std::string FTable = FFolder.File("T.DBF");
    std::string FMemo = FFolder.File("T.FPT");
};

TEST_P(JournaledFiles, ACrashBeforeTheCommitLeavesTheCommittedBytes)
{
    const CrashCase& crash = GetParam();
    std::string committedTable = ReadBytes(FTable);
    std::string committedMemo = ReadBytes(FMemo);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        OpenFiles files = OpenBoth(FTable, FMemo);
        CHILD_CHECK(files.Table && files.Memo);
        Journal journal(FTable);
        files.Table->AttachJournal(&journal);
        files.Memo->AttachJournal(&journal);
        if (crash.CommitFirst) {
            for (uint32_t recno = 1; recno <= kMemos; recno += 3)
                CHILD_CHECK(Rewrite(files, recno, "committed"));
            CHILD_CHECK(Rewrite(files, kRecords + 1, "committed", true));
            CHILD_CHECK(files.Table->Commit().Ok());
            CHILD_CHECK(files.Memo->Commit().Ok());
            CHILD_CHECK(journal.Commit().Ok());
            WriteBytes(FTable + ".committed", ReadBytes(FTable));
            WriteBytes(FMemo + ".committed", ReadBytes(FMemo));
        }
        crash.Changes(files);
        _exit(0); // dies: no destructor writes what waits in memory, nothing is committed
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child's changes failed";
    if (crash.CommitFirst) {
        committedTable = ReadBytes(FTable + ".committed");
        committedMemo = ReadBytes(FMemo + ".committed");
        ASSERT_NE(committedMemo, ReadBytes(FMemo + "")) << "the commit changed nothing";
    }
    ASSERT_TRUE(ReadBytes(FTable) != committedTable || ReadBytes(FMemo) != committedMemo)
        << "the crashed changes never reached the files: nothing to roll back";
    ASSERT_TRUE(std::filesystem::exists(Journal::PathFor(FTable)));

    const Status recovered = Journal::Recover(FTable);
    ASSERT_TRUE(recovered.Ok()) << recovered.Message();
    EXPECT_TRUE(ReadBytes(FTable) == committedTable) << "the table differs from its committed bytes";
    EXPECT_TRUE(ReadBytes(FMemo) == committedMemo) << "the memo file differs from its committed bytes";
    EXPECT_FALSE(std::filesystem::exists(Journal::PathFor(FTable)));
}

INSTANTIATE_TEST_SUITE_P(Journal, JournaledFiles,
                         ::testing::Values(CrashCase{"BulkEdit", false, BulkEdit},
                                           CrashCase{"EditsAppendsAndMemos", false, EditsAppendsAndMemos},
                                           CrashCase{"TruncateAndZap", false, TruncateAndZap},
                                           CrashCase{"AfterACommit", true, EditsAppendsAndMemos}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(JournaledTable, RewrittenRecordsAreReadBeforeTheyReachTheFile)
{
    ScratchFolder folder;
    const std::string path = folder.File("T.DBF");
    ASSERT_TRUE(DbfFile::Create(path, {{"NAME", 'C', 10, 0}}).Ok());
    auto opened = DbfFile::Open(path, OpenMode::Exclusive);
    ASSERT_TRUE(opened.Ok());
    std::unique_ptr<DbfFile> dbf = opened.Take();
    for (const char* name : {" one       ", " two       ", " three     "})
        ASSERT_TRUE(dbf->AppendRecord(name).Ok());
    ASSERT_TRUE(dbf->Commit().Ok());
    const std::string committed = ReadBytes(path);
    const uint64_t second = dbf->HeaderLength() + 11;

    Journal journal(path);
    dbf->AttachJournal(&journal);
    ASSERT_TRUE(dbf->WriteRecord(2, "*TWO       ").Ok());
    EXPECT_EQ(std::string(dbf->Record(2), 11), "*TWO       ");
    EXPECT_TRUE(dbf->IsDeleted(2));
    EXPECT_EQ(std::string(dbf->Record(1), 11), " one       ") << "records not rewritten read from the file";
    EXPECT_EQ(ReadBytes(path).substr(second, 11), committed.substr(second, 11)) << "not yet in the file";
    // A pending record copied onto another, and onto itself.
    ASSERT_TRUE(dbf->WriteRecord(3, dbf->Record(2)).Ok());
    ASSERT_TRUE(dbf->WriteRecord(2, dbf->Record(2)).Ok());
    EXPECT_EQ(std::string(dbf->Record(3), 11), "*TWO       ");

    ASSERT_TRUE(dbf->Commit().Ok());
    ASSERT_TRUE(journal.Commit().Ok());
    const std::string written = ReadBytes(path);
    EXPECT_EQ(written.substr(second, 22), "*TWO       *TWO       ");
    EXPECT_EQ(std::string(dbf->Record(2), 11), "*TWO       ");

    // Detaching writes what waits; later writes go straight to the file, as without a journal.
    ASSERT_TRUE(dbf->WriteRecord(1, " uno       ").Ok());
    dbf->AttachJournal(nullptr);
    EXPECT_EQ(ReadBytes(path).substr(second - 11, 11), " uno       ");
    ASSERT_TRUE(dbf->WriteRecord(1, " eins      ").Ok());
    EXPECT_EQ(ReadBytes(path).substr(second - 11, 11), " eins      ");
    EXPECT_TRUE(journal.Active()) << "the detaching write began a transaction";
    ASSERT_TRUE(journal.Commit().Ok());
    EXPECT_FALSE(Journal::Pending(path)) << "a committed journal holds nothing to roll back";
}

} // namespace files

} // namespace
} // namespace xbase
