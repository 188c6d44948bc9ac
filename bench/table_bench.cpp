// The address-file workloads the program lives on, on a generated file of 100,000 records with
// the 26 address tags: building it, opening it, walking it in name order, querying, seeking,
// editing one record, packing.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "AddressGenerator.h"
#include "bulkmail/Presort.h"
#include "core/AddressFileLayout.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/Table.h"

namespace {

using corvane::Status;

constexpr uint32_t RecordCount = 100000;

using corvane::bench::AppendAddresses;
using corvane::bench::LastNames;

std::string Folder()
{
    static std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    return folder;
}

// A failed step ends the whole run: a benchmark of a failing operation measures nothing.
void Require(const xbase::Status& status, benchmark::State&)
{
    if (!status.Ok()) {
        std::fprintf(stderr, "%s\n", status.Message().c_str());
        std::exit(1);
    }
}

std::string MakeAddressFile(const std::string& name)
{
    std::string path = Folder() + "/" + name;
    std::filesystem::remove(path);
    std::filesystem::remove(Folder() + "/" + name.substr(0, name.find('.')) + ".CDX");
    std::filesystem::remove(Folder() + "/" + name.substr(0, name.find('.')) + ".FPT");
    if (!corvane::CreateAddressTable(path, corvane::NewAddressFileFields(corvane::IniFile())).Ok()) std::abort();
    return path;
}

// The shared 100,000-record file, built once.
const std::string& SampleFile()
{
    static std::string path = [] {
        std::string made = MakeAddressFile("SAMPLE.DBF");
        xbase::Table table;
        if (!table.Open(made).Ok() || !AppendAddresses(table, RecordCount).Ok() || !table.Close().Ok()) std::abort();
        return made;
    }();
    return path;
}

void BM_AppendWithTags(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::string path = MakeAddressFile("APPEND.DBF");
        state.ResumeTiming();
        xbase::Table table;
        Require(table.Open(path), state);
        Require(AppendAddresses(table, RecordCount), state);
        Require(table.Close(), state);  // the 26 tags reach the index file here
    }
    state.SetItemsProcessed(state.iterations() * RecordCount);
}
BENCHMARK(BM_AppendWithTags)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_OpenToFirstInLnameOrder(benchmark::State& state)
{
    const std::string& path = SampleFile();
    for (auto _ : state) {
        xbase::Table table;
        Require(table.Open(path), state);
        Require(table.SetOrder(table.OrderNumber("LNAME")), state);
        Require(table.GoTop(), state);
        benchmark::DoNotOptimize(table.RecNo());
        state.PauseTiming();
        Require(table.Close(), state);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenToFirstInLnameOrder)->Unit(benchmark::kMillisecond);

struct OpenSample {
    xbase::Table Table;
    explicit OpenSample(benchmark::State& state)
    {
        Require(Table.Open(SampleFile()), state);
        Require(Table.SetOrder(Table.OrderNumber("LNAME")), state);
    }
};

void BM_SkipAllInLnameOrder(benchmark::State& state)
{
    OpenSample sample(state);
    for (auto _ : state) {
        uint32_t visited = 0;
        Require(sample.Table.GoTop(), state);
        while (!sample.Table.Eof()) {
            ++visited;
            Require(sample.Table.Skip(1), state);
        }
        if (visited != RecordCount) state.SkipWithError("skipped past records");
    }
}
BENCHMARK(BM_SkipAllInLnameOrder)->Unit(benchmark::kMillisecond);

void BM_QueryWithCount(benchmark::State& state)
{
    OpenSample sample(state);
    for (auto _ : state) {
        Require(sample.Table.SetQuery("UPPER(CITY+STATE)=\"SPRINGFIELD\".and. !ISDEL"), state);
        auto count = sample.Table.QueryCount();
        if (!count || *count == 0) state.SkipWithError("the query found nothing");
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_QueryWithCount)->Unit(benchmark::kMillisecond);

void BM_SeekLname(benchmark::State& state)
{
    OpenSample sample(state);
    size_t i = 0;
    for (auto _ : state) {
        auto found = sample.Table.Seek(std::string(LastNames[i++ % std::size(LastNames)]) + " ");
        if (!found) state.SkipWithError(found.Message().c_str());
    }
}
BENCHMARK(BM_SeekLname)->Unit(benchmark::kMicrosecond);

void BM_ReplaceAndCommit(benchmark::State& state)
{
    std::string path = Folder() + "/EDIT.DBF";
    for (const char* extension : {".DBF", ".CDX", ".FPT"}) {
        std::filesystem::copy_file(SampleFile().substr(0, SampleFile().size() - 4) + extension,
                                   path.substr(0, path.size() - 4) + extension,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    xbase::Table table;
    Require(table.Open(path), state);
    Require(table.SetOrder(table.OrderNumber("LNAME")), state);
    std::mt19937 random(7);
    for (auto _ : state) {
        Require(table.GoTo(1 + random() % RecordCount), state);
        Require(table.PutField("LNAME", LastNames[random() % std::size(LastNames)]), state);
        Require(table.Commit(), state);
    }
    if (auto closed = table.Close(); !closed) std::fprintf(stderr, "%s\n", closed.Message().c_str());
}
BENCHMARK(BM_ReplaceAndCommit)->Unit(benchmark::kMillisecond);

void BM_PackTenPercentDeleted(benchmark::State& state)
{
    std::string path = Folder() + "/PACK.DBF";
    for (auto _ : state) {
        state.PauseTiming();
        for (const char* extension : {".DBF", ".CDX", ".FPT"}) {
            std::filesystem::copy_file(SampleFile().substr(0, SampleFile().size() - 4) + extension,
                                       path.substr(0, path.size() - 4) + extension,
                                       std::filesystem::copy_options::overwrite_existing);
        }
        xbase::Table table;
        Require(table.Open(path), state);
        for (uint32_t recno = 5; recno <= RecordCount; recno += 10) {
            Require(table.GoTo(recno), state);
            Require(table.PutField("ISDEL", "T"), state);
            Require(table.Delete(), state);
        }
        Require(table.Commit(), state);
        state.ResumeTiming();
        Require(table.Pack(), state);
        state.PauseTiming();
        if (table.RecordCount() != RecordCount - RecordCount / 10) state.SkipWithError("pack kept the wrong records");
        Require(table.Close(), state);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PackTenPercentDeleted)->Unit(benchmark::kMillisecond)->Iterations(3);

// The bulk-mail presort of every live record: tally the ZIP keys, group them, write the list.
void BM_PresortAllRecords(benchmark::State& state)
{
    xbase::Table table;
    Require(table.Open(SampleFile()), state);
    Require(table.SetQuery("!ISDEL"), state);
    const std::string list = Folder() + "/PRESORT.PSL";
    for (auto _ : state) {
        auto tally = corvane::TallyZipKeys(table);
        Require(tally.ToStatus(), state);
        auto lines = corvane::BuildPresortList(tally->Tally);
        Require(corvane::WritePresortList(lines, list), state);
        benchmark::DoNotOptimize(lines.size());
    }
}
BENCHMARK(BM_PresortAllRecords)->Unit(benchmark::kMillisecond);

}  // namespace
