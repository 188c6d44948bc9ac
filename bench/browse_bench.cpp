// The browse grid on a 100,000-record address file in last-name order: opening it (counting the
// rows) and the rows a view shows around the top, the middle and the end, read cold through the
// model's data path as the grid asks for them, one cell at a time.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "session/windows/AddressTableModel.h"
#include "core/AddressFileLayout.h"
#include "core/FieldCatalogue.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/Table.h"

namespace {

using corvane::Status;

constexpr uint32_t RecordCount = 100000;
constexpr int VisibleRows = 30; // about what a browse window shows

const char* const LastNames[] = {"Smith",  "Johnson",  "Williams", "Brown",     "Jones",
                                 "Garcia", "Miller",   "Davis",    "Rodriguez", "Martinez",
                                 "Wilson", "Anderson", "Taylor",   "Moore",     "Jackson"};
const char* const FirstNames[] = {"James", "Mary",     "Robert",  "Patricia",
                                  "John",  "Jennifer", "Michael", "Linda"};
const char* const Cities[] = {"Springfield", "Portland", "Franklin", "Greenville",
                              "Bristol",     "Clinton",  "Salem"};

void Require(const corvane::Status& status)
{
    if (!status.Ok()) {
        std::fprintf(stderr, "%s\n", status.Message().c_str());
        std::exit(1);
    }
}

// Built once per run in a temporary folder (removed at exit).
const std::string& SampleFile()
{
    static const std::string path = [] {
        std::string folder = (std::filesystem::temp_directory_path() / "corvane-browse-XXXXXX").string();
        if (!mkdtemp(folder.data()))
            std::abort();
        static const std::string removeAtExit = folder;
        std::atexit([] { std::filesystem::remove_all(removeAtExit); });
        const std::string made = folder + "/BROWSE.DBF";
        Require(corvane::CreateAddressTable(made, corvane::NewAddressFileFields(corvane::IniFile())));
        xbase::Table table;
        Require(table.Open(made));
        std::mt19937 random(1995);
        auto pick = [&](const auto& list) { return std::string(list[random() % std::size(list)]); };
        for (uint32_t i = 0; i < RecordCount; ++i) {
            Require(table.AppendBlank());
            Require(table.PutField("LNAME", pick(LastNames) + std::to_string(random() % 1000)));
            Require(table.PutField("FNAME", pick(FirstNames)));
            Require(table.PutField("CITY", pick(Cities)));
            Require(table.PutField("STATE", "IL"));
            Require(table.PutField("ZIP", std::to_string(10000 + random() % 89999)));
            Require(table.PutField("EMAIL", pick(FirstNames) + "@example.com"));
            Require(table.PutField("DATE", "20260115"));
            Require(table.PutField("ISDEL", "F"));
        }
        Require(table.Close());
        return made;
    }();
    return path;
}

struct BrowseSample {
    xbase::Table Table;
    corvane::FieldCatalogue Catalogue;
    BrowseSample()
    {
        Require(Table.Open(SampleFile()));
        Require(Table.SetOrder(Table.OrderNumber("LNAME")));
        Require(Table.SetQuery("!ISDEL"));
    }
};

void BM_BrowseOpen(benchmark::State& state)
{
    BrowseSample sample;
    for (auto _ : state) {
        corvane::AddressTableModel model(sample.Table, sample.Catalogue, "TAGID");
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(BM_BrowseOpen)->Unit(benchmark::kMillisecond);

// The rows of one screen around a position, every column, from a model that has read nothing
// yet (the block the rows are in is read from the table).
void BM_BrowseScreenAround(benchmark::State& state)
{
    BrowseSample sample;
    corvane::AddressTableModel model(sample.Table, sample.Catalogue, "TAGID");
    if (model.rowCount() != static_cast<int>(RecordCount))
        std::abort();
    const int position = static_cast<int>(state.range(0));
    const int first = std::clamp(position - VisibleRows / 2, 0, model.rowCount() - VisibleRows);
    for (auto _ : state) {
        model.DropCachedRows();
        for (int row = first; row < first + VisibleRows; ++row) {
            for (int column = 0; column < model.columnCount(); ++column)
                benchmark::DoNotOptimize(model.data(model.index(row, column)));
        }
    }
    state.SetItemsProcessed(state.iterations() * VisibleRows);
}
BENCHMARK(BM_BrowseScreenAround)->Arg(0)->Arg(50000)->Arg(99999)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
