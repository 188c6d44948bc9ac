// Writers killed with SIGKILL at random moments. A forked child runs a seeded workload on a table
// and reports each completed Commit() through a pipe; the parent kills it after a random delay,
// reopens the table and demands the state of the last reported commit (or of the next one, when
// the child died between Commit() returning and its report): records and memo texts, every tag in
// step with them, and the production index usable as it is.
//
// CORVANE_CRASH_RUNS sets the number of runs (20 by default); CORVANE_CRASH_SEED the seed of the
// first run (run n uses seed + n), to replay a failure.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "TableModel.h"
#include "platform/xbase/Table.h"
#include "support/ScratchFolder.h"

namespace xbase {
namespace {

using model::Pad;
using model::Random;
using model::Record;
using model::Records;
using model::Upper;
using testing::ScratchFolder;

enum FieldNumber { LName, FName, Street, City, Zip, Age, Tagged, Notes };

const std::vector<FieldSpec> Fields = {
    {"LNAME", 'C', 20, 0}, {"FNAME", 'C', 12, 0}, {"STREET", 'C', 30, 0}, {"CITY", 'C', 16, 0},
    {"ZIP", 'C', 10, 0},   {"AGE", 'N', 3, 0},    {"TAGGED", 'L', 1, 0},  {"NOTES", 'M', 10, 0},
};

bool Old(const Record& r)
{
    return std::strtod(r.Values[Age].c_str(), nullptr) > 50;
}

const std::vector<model::Tag>& Tags()
{
    static const std::vector<model::Tag> tags = {
        {"NAME", "UPPER(LNAME)+UPPER(FNAME)", "",
         [](const Record& r) { return Upper(Pad(r.Values[LName], 20)) + Upper(Pad(r.Values[FName], 12)); },
         nullptr},
        {"ZIP", "ZIP", "", [](const Record& r) { return Pad(r.Values[Zip], 10); }, nullptr},
        {"CITY", "UPPER(CITY)+ZIP", "",
         [](const Record& r) { return Upper(Pad(r.Values[City], 16)) + Pad(r.Values[Zip], 10); }, nullptr},
        {"AGE", "AGE", "", [](const Record& r) { return model::NumberKey(r.Values[Age]); }, nullptr},
        {"OLDNAME", "UPPER(LNAME)", "AGE > 50",
         [](const Record& r) { return Upper(Pad(r.Values[LName], 20)); }, Old},
        {"TAGGED", "TAGGED", "",
         [](const Record& r) { return std::string(r.Values[Tagged] == "T" ? "T" : "F"); }, nullptr},
        {"DELETED", "DELETED()", "", [](const Record& r) { return std::string(r.Deleted ? "T" : "F"); },
         nullptr},
    };
    return tags;
}

std::string FieldValue(Random& random, int field)
{
    static const std::vector<std::string> lastNames = {"SMITH",    "Smith", "SMITHERS", "JOHNSON",
                                                       "JOHNSONS", "",      "O'BRIEN",  "MACDONALDSONWORTHY"};
    static const std::vector<std::string> cities = {"SPRINGFIELD", "SPRINGFIELDS", "SHELBYVILLE", "",
                                                    "CAPITAL CITY"};
    switch (field) {
    case LName:
        return random.Chance(60) ? random.Pick(lastNames) : random.Letters(1 + random.Below(20), true);
    case FName:
        return random.Letters(random.Below(13), true);
    case Street:
        return std::to_string(1 + random.Below(9999)) + " " + random.Letters(3 + random.Below(20)) + " ST";
    case City:
        return random.Chance(70) ? random.Pick(cities) : random.Letters(1 + random.Below(16));
    case Zip: {
        char zip[8];
        std::snprintf(zip, sizeof zip, "%05u", random.Below(random.Chance(50) ? 100 : 100000));
        return zip;
    }
    case Age:
        return std::to_string(random.Below(100));
    case Tagged:
        return random.Chance(50) ? "T" : "F";
    default: // memo text from empty to several blocks
        return random.Chance(40) ? std::string() : random.Letters(1 + random.Below(400), true);
    }
}

Record NewRecord(Random& random)
{
    Record record;
    for (size_t f = 0; f < Fields.size(); ++f)
        record.Values.push_back(FieldValue(random, static_cast<int>(f)));
    return record;
}

// ---- workloads -------------------------------------------------------------------------------

enum class Workload { Append, Edit, TagAll, TagQuery, Pack, Reindex };
constexpr int WorkloadCount = 6;

const char* WorkloadName(Workload workload)
{
    static const char* const names[] = {"append", "edit",   "tag-all", "tag-all with a query",
                                        "pack",   "reindex"};
    return names[static_cast<int>(workload)];
}

enum class OpKind { Append, Edit, Delete, SetAll, Pack, Reindex, Commit };

struct Op {
    OpKind Kind = OpKind::Commit;
    Record NewRecord;     // Append
    uint32_t Recno = 0;   // Edit, Delete
    int Field = 0;        // Edit, SetAll
    std::string Value;    // Edit, SetAll
    bool OldOnly = false; // SetAll: only the records the query AGE > 50 admits
};

void Apply(const Op& op, Records& records)
{
    switch (op.Kind) {
    case OpKind::Append:
        records.push_back(op.NewRecord);
        break;
    case OpKind::Edit:
        records[op.Recno - 1].Values[op.Field] = op.Value;
        break;
    case OpKind::Delete:
        records[op.Recno - 1].Deleted = true;
        break;
    case OpKind::SetAll:
        for (Record& record : records) {
            if (!op.OldOnly || Old(record))
                record.Values[op.Field] = op.Value;
        }
        break;
    case OpKind::Pack:
        std::erase_if(records, [](const Record& r) { return r.Deleted; });
        break;
    case OpKind::Reindex:
    case OpKind::Commit:
        break;
    }
}

// The endless run of a workload, one round (ending in a commit) at a time, decided by the seed:
// the child and the parent draw the same rounds, the child to run them, the parent to know the
// state after any commit.
class WorkloadRounds {
  public:
    WorkloadRounds(Workload workload, uint64_t seed, Records records)
        : FWorkload(workload), FRandom(seed), FRecords(std::move(records))
    {
    }

    std::vector<Op> Next()
    {
        FOps.clear();
        switch (FWorkload) {
        case Workload::Append:
            for (uint32_t n = 20 + FRandom.Below(30); n > 0; --n)
                Append();
            Commit();
            break;
        case Workload::Edit:
            for (uint32_t n = 1 + FRandom.Below(5); n > 0; --n)
                Edit();
            Commit();
            break;
        case Workload::TagAll:
        case Workload::TagQuery: {
            Op op;
            op.Kind = OpKind::SetAll;
            op.Field = FRound % 2 ? Tagged : City;
            op.Value = op.Field == Tagged ? (FRound % 4 == 1 ? "T" : "F") : FieldValue(FRandom, City);
            op.OldOnly = FWorkload == Workload::TagQuery;
            Add(op);
            Commit();
            break;
        }
        case Workload::Pack: {
            uint32_t deleted = 0;
            for (uint32_t n = 10 + FRandom.Below(60); n > 0; --n) {
                Op op;
                op.Kind = OpKind::Delete;
                op.Recno = 1 + FRandom.Below(static_cast<uint32_t>(FRecords.size()));
                deleted += FRecords[op.Recno - 1].Deleted ? 0 : 1;
                Add(op);
            }
            Commit();
            Add(Simple(OpKind::Pack));
            Commit();
            for (; deleted > 0; --deleted)
                Append();
            Commit();
            break;
        }
        case Workload::Reindex:
            for (uint32_t n = 1 + FRandom.Below(5); n > 0; --n)
                Edit();
            Commit();
            Add(Simple(OpKind::Reindex));
            Commit();
            break;
        }
        ++FRound;
        return FOps;
    }

  private:
    static Op Simple(OpKind kind)
    {
        Op op;
        op.Kind = kind;
        return op;
    }
    void Add(const Op& op)
    {
        Apply(op, FRecords);
        FOps.push_back(op);
    }
    void Commit() { Add(Simple(OpKind::Commit)); }
    void Append()
    {
        Op op;
        op.Kind = OpKind::Append;
        op.NewRecord = NewRecord(FRandom);
        Add(op);
    }
    void Edit()
    {
        static const std::vector<int> keyFields = {LName, FName, City, Zip};
        Op op;
        op.Kind = OpKind::Edit;
        op.Recno = 1 + FRandom.Below(static_cast<uint32_t>(FRecords.size()));
        op.Field = FRandom.Chance(15) ? static_cast<int>(Notes)
                   : FRandom.Chance(60)
                       ? FRandom.Pick(keyFields)
                       : static_cast<int>(FRandom.Below(static_cast<uint32_t>(Fields.size())));
        op.Value = FieldValue(FRandom, op.Field);
        Add(op);
    }

    Workload FWorkload;
    Random FRandom;
    Records FRecords;
    int FRound = 0;
    std::vector<Op> FOps;
};

// The child's side: the workload on the real table, each completed commit reported.
int RunWorkload(const std::string& path, WorkloadRounds rounds, int report)
{
    Table table;
    if (!table.Open(path).Ok())
        return 2;
    table.SetDeletedHidden(false);
    int32_t commits = 0;
    // Until killed; the bound only stops a child whose parent has gone.
    while (commits < 1000000) {
        for (const Op& op : rounds.Next()) {
            bool ok = true;
            switch (op.Kind) {
            case OpKind::Append:
                ok = table.AppendBlank().Ok();
                for (size_t f = 0; ok && f < Fields.size(); ++f)
                    ok = table.PutField(Fields[f].Name, op.NewRecord.Values[f]).Ok();
                break;
            case OpKind::Edit:
                ok = table.GoTo(op.Recno).Ok() && table.PutField(Fields[op.Field].Name, op.Value).Ok();
                break;
            case OpKind::Delete:
                ok = table.GoTo(op.Recno).Ok() && table.Delete().Ok();
                break;
            case OpKind::SetAll:
                ok = table.SetOrder(0).Ok() && table.SetQuery(op.OldOnly ? "AGE > 50" : "").Ok() &&
                     table.GoTop().Ok();
                while (ok && !table.Eof())
                    ok = table.PutField(Fields[op.Field].Name, op.Value).Ok() && table.Skip(1).Ok();
                ok = ok && table.SetQuery("").Ok();
                break;
            case OpKind::Pack:
                ok = table.Pack().Ok();
                break;
            case OpKind::Reindex:
                ok = table.Reindex().Ok();
                break;
            case OpKind::Commit:
                ok = table.Commit().Ok();
                ++commits;
                ok = ok && ::write(report, &commits, sizeof commits) == static_cast<ssize_t>(sizeof commits);
                break;
            }
            if (!ok)
                return 3;
        }
    }
    return 0;
}

// The commits the child reported; the last one counts.
int32_t LastReported(int pipe)
{
    int32_t last = 0;
    int32_t value = 0;
    size_t have = 0;
    char* bytes = reinterpret_cast<char*>(&value);
    for (;;) {
        ssize_t got = ::read(pipe, bytes + have, sizeof value - have);
        if (got <= 0)
            break;
        have += static_cast<size_t>(got);
        if (have == sizeof value) {
            last = value;
            have = 0;
        }
    }
    return last;
}

// The model after `commits` commits of the workload.
Records StateAfter(Records records, WorkloadRounds rounds, int32_t commits)
{
    int32_t done = 0;
    while (done < commits) {
        for (const Op& op : rounds.Next()) {
            if (done == commits)
                break;
            Apply(op, records);
            if (op.Kind == OpKind::Commit)
                ++done;
        }
    }
    return records;
}

// Empty when the reopened table is exactly `records` and every tag walks in their key order.
std::string CheckTable(Table& table, const Records& records)
{
    if (std::string problem = model::CompareRecords(table, Fields, records); !problem.empty())
        return problem;
    for (const model::Tag& tag : Tags()) {
        const std::vector<uint32_t> expected = model::Recnos(model::ExpectedEntries(records, tag));
        if (model::WalkOrder(table, tag.Name) != expected)
            return "tag " + tag.Name + " is out of step with the records";
        if (model::WalkOrderBackward(table, tag.Name) != expected) {
            return "tag " + tag.Name + " walked backwards is out of step with the records";
        }
    }
    return {};
}

// One run: a fresh table, a child killed after `delayMicroseconds`, the reopened table checked.
// Returns the problem found, empty when none.
std::string KillAndCheck(const std::string& folder, Workload workload, uint64_t seed,
                         int64_t delayMicroseconds, int32_t& reported)
{
    Random random(seed);
    Records initial;
    for (int i = 0; i < 1200; ++i)
        initial.push_back(NewRecord(random));
    const std::string path = folder + "/people.dbf";
    model::CreateTable(path, Fields, Tags(), initial);
    if (::testing::Test::HasFatalFailure())
        return "the table could not be created";
    const WorkloadRounds rounds(workload, seed * 31 + 1, initial);

    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child < 0)
        return "no fork";
    if (child == 0) {
        ::close(channel[0]);
        ::_exit(RunWorkload(path, rounds, channel[1]));
    }
    ::close(channel[1]);
    const timespec delay{static_cast<time_t>(delayMicroseconds / 1000000),
                         static_cast<long>(delayMicroseconds % 1000000) * 1000};
    ::nanosleep(&delay, nullptr);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    reported = LastReported(channel[0]);
    ::close(channel[0]);
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
        return "the writer failed on its own (exit " + std::to_string(WEXITSTATUS(status)) + ")";
    }

    Table table;
    if (Status opened = table.Open(path); !opened)
        return "reopen failed: " + opened.Message();
    if (table.ProductionIndexState() != IndexState::Valid) {
        return "the production index is not usable after the kill (" + table.IndexProblem() + ")";
    }
    std::string problem = CheckTable(table, StateAfter(initial, rounds, reported));
    if (problem.empty())
        return {};
    std::string nextProblem = CheckTable(table, StateAfter(initial, rounds, reported + 1));
    if (nextProblem.empty())
        return {};
    return "against commit " + std::to_string(reported) + ": " + problem + "; against commit " +
           std::to_string(reported + 1) + ": " + nextProblem;
}

TEST(TableKill, KilledWritersLeaveTheLastCommittedState)
{
    const char* runsText = std::getenv("CORVANE_CRASH_RUNS");
    const int runs = runsText && *runsText ? std::atoi(runsText) : 20;
    const uint64_t firstSeed = model::SeedFrom("CORVANE_CRASH_SEED", 4242);
    ScratchFolder scratch;
    int failures = 0;
    int killedAfterWork = 0;
    for (int run = 0; run < runs; ++run) {
        const uint64_t seed = firstSeed + static_cast<uint64_t>(run);
        const Workload workload = static_cast<Workload>(seed % WorkloadCount); // so a seed replays alone
        // Up to a quarter second: from before the child has opened the table to deep in its work.
        const int64_t delay = static_cast<int64_t>(Random(seed ^ 0x5eed).Below(250000));
        const std::string folder = scratch.File("run" + std::to_string(run));
        ::mkdir(folder.c_str(), 0700);
        int32_t reported = 0;
        const std::string problem = KillAndCheck(folder, workload, seed, delay, reported);
        if (reported > 0)
            ++killedAfterWork;
        std::printf("run %d, seed %llu, %s, killed after %lld us, %d commits reported: %s\n", run,
                    static_cast<unsigned long long>(seed), WorkloadName(workload),
                    static_cast<long long>(delay), reported, problem.empty() ? "ok" : "FAILED");
        if (!problem.empty()) {
            ++failures;
            ADD_FAILURE() << "seed " << seed << " (" << WorkloadName(workload) << ", killed after " << delay
                          << " us, " << reported << " commits reported): " << problem;
        }
        std::filesystem::remove_all(folder);
    }
    std::printf("%d runs, %d killed after at least one commit, %d failed\n", runs, killedAfterWork, failures);
    if (runs >= 5) {
        EXPECT_GT(killedAfterWork, 0)
            << "no writer got as far as its first commit, so the kills tested nothing";
    }
}

} // namespace
} // namespace xbase
