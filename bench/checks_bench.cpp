// The list checks on an address file of 100,000 records with its 26 tags: the duplicate check by
// name and by street, and the state-and-ZIP check against the shipped kind of ranges. Every fifth
// record repeats the name and street of the one before it, and every tenth has a ZIP outside its
// state's range. The file is made and opened before the clock starts; the figure is the check
// itself, list made and closed included. Memory: the anonymous resident size's growth from the
// second record to the end ("anon_growth_mb") shows whether a check grows with the records it
// walks rather than with its finds.

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bulkmail/StateZipCheck.h"
#include "core/AddressFileLayout.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/Table.h"
#include "session/FilterQuery.h"
#include "utilities/DuplicateCheck.h"

namespace {

using namespace corvane;
namespace fs = std::filesystem;

constexpr int RecordCount = 100000;

void Check(const Status& status)
{
    if (!status) {
        std::fprintf(stderr, "checks bench: %s\n", status.Message().c_str());
        std::abort();
    }
}

const std::string& Folder()
{
    static const std::string folder = [] {
        std::string pattern = (fs::temp_directory_path() / "corvane-checks-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        static const struct Remover {
            std::string Folder;
            ~Remover()
            {
                std::error_code error;
                fs::remove_all(Folder, error);
            }
        } remover{pattern};
        return pattern + "/";
    }();
    return folder;
}

const char* const States[] = {"NY", "CA", "TX", "MA", "ON"};
const char* const Zips[] = {"10001", "94105", "75001", "02108", "K1A 0B1"};

const std::string& MasterFile()
{
    static const std::string path = [] {
        const std::string file = Folder() + "checks.dbf";
        Check(CreateAddressTable(file, NewAddressFileFields(IniFile::Parse(""))));
        xbase::Table table;
        Check(table.Open(file));
        for (int i = 0; i < RecordCount; ++i) {
            const int person = i % 5 == 4 ? i - 1 : i; // every fifth repeats the one before
            Check(table.AppendBlank());
            Check(table.PutField("LNAME", "Family " + std::to_string(person * 7919 % RecordCount)));
            Check(table.PutField("FNAME", "Given " + std::to_string(person % 97)));
            Check(table.PutField("STREET", std::to_string(person) + " Main Street"));
            Check(table.PutField("CITY", "Somewhere"));
            Check(table.PutField("STATE", States[i % 5]));
            Check(table.PutField("ZIP", i % 10 == 3 ? "99999" : Zips[i % 5]));
        }
        Check(table.Close());
        return file;
    }();
    return path;
}

StateZipRanges Ranges()
{
    StateZipRanges ranges;
    ranges.Add({"New York", "NY", "10000", "14999"});
    ranges.Add({"California", "CA", "90000", "96199"});
    ranges.Add({"Texas", "TX", "75000", "79999"});
    ranges.Add({"Massachusetts", "MA", "01000", "02799"});
    ranges.Add({"Ontario", "ON", "K0A 0A0", "P9Z 9Z9"});
    return ranges;
}

double AnonymousMegabytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("RssAnon:", 0) == 0)
            return std::stod(line.substr(8)) / 1024.0;
    }
    return 0;
}

// Runs `check` on the file opened as the hand-over leaves it (query "!ISDEL"); `check` takes the
// progress callback and returns its found count.
template <typename Run> void TimeCheck(benchmark::State& state, Run check)
{
    double growth = 0;
    uint32_t found = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            xbase::Table table;
            Check(table.Open(MasterFile()));
            Check(table.SetQuery(NoFilterQuery));
            malloc_trim(0);
            double afterFirst = 0;
            auto progress = [&](uint32_t done, uint32_t, uint32_t) {
                if (afterFirst == 0 && done >= 2)
                    afterFirst = AnonymousMegabytes();
                return true;
            };
            state.ResumeTiming();
            found = check(table, progress);
            state.PauseTiming();
            growth = AnonymousMegabytes() - afterFirst;
            Check(table.Close());
        }
        state.ResumeTiming();
    }
    state.counters["found"] = found;
    state.counters["anon_growth_mb"] = growth;
}

void RunDuplicates(benchmark::State& state, DuplicateKind kind)
{
    TimeCheck(state, [&](xbase::Table& table, const DuplicateProgress& progress) {
        const std::string list = Folder() + "_chkdup.idx";
        auto outcome = RunDuplicateCheck(table, {kind, DefaultStreetLength, list}, progress);
        Check(outcome.ToStatus());
        Check(CloseDuplicateList(table, list));
        if (outcome->Found != RecordCount / 5)
            std::abort();
        return outcome->Found;
    });
}

void BM_DuplicateCheckByName(benchmark::State& state)
{
    RunDuplicates(state, DuplicateKind::LastFirst);
}
BENCHMARK(BM_DuplicateCheckByName)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_DuplicateCheckByStreet(benchmark::State& state)
{
    RunDuplicates(state, DuplicateKind::Street);
}
BENCHMARK(BM_DuplicateCheckByStreet)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_StateZipCheck(benchmark::State& state)
{
    const StateZipRanges ranges = Ranges();
    TimeCheck(state, [&](xbase::Table& table, const StateZipProgress& progress) {
        const std::string list = Folder() + "_chksz.idx";
        auto outcome = RunStateZipCheck(table, ranges, {false, list}, progress);
        Check(outcome.ToStatus());
        Check(CloseStateZipList(table, list));
        if (outcome->Found != RecordCount / 10)
            std::abort();
        return outcome->Found;
    });
}
BENCHMARK(BM_StateZipCheck)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
