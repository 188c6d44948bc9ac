// The bulk edits of the Utilities menu on an address file of 100,000 records with its 26 tags:
// converting all fifteen fields to upper case, deleting the 50,000 records of a filter, and
// replacing text in the last name of 10,000 records. Each run starts from a fresh copy of the
// file; the figure is the run itself (the file is copied and opened before the clock starts).
// Memory: the engine decodes a file's tags into memory at the first change, so the anonymous
// resident size is taken after the second record (the first is written when the cursor leaves it); its growth
// from there to the end of the run
// ("anon_growth_mb") shows whether the run grows with the records it visits.

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/AddressFileLayout.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/Table.h"
#include "session/FilterQuery.h"
#include "utilities/CaseConversionRun.h"
#include "utilities/RecordDeletion.h"
#include "utilities/SearchAndReplace.h"

namespace {

using namespace corvane;
namespace fs = std::filesystem;

constexpr int RecordCount = 100000;

void Check(const Status& status)
{
    if (!status) {
        std::fprintf(stderr, "bulk edit bench: %s\n", status.Message().c_str());
        std::abort();
    }
}

const std::string& Folder()
{
    static const std::string folder = [] {
        std::string pattern = (fs::temp_directory_path() / "corvane-bulkedit-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        // The files are large: the folder goes when the benchmark ends.
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

// The master file, made once: lower-case text in every convertible field, every other record in
// New York, every tenth last name a Smith.
const std::string& MasterFile()
{
    static const std::string path = [] {
        const std::string file = Folder() + "master.dbf";
        Check(CreateAddressTable(file, NewAddressFileFields(IniFile::Parse(""))));
        xbase::Table table;
        Check(table.Open(file));
        for (int i = 0; i < RecordCount; ++i) {
            Check(table.AppendBlank());
            const std::string n = std::to_string(i);
            Check(table.PutField("LNAME", (i % 10 == 0 ? "smith " : "family ") + n));
            Check(table.PutField("FNAME", "given " + std::to_string(i % 97)));
            Check(table.PutField("MIDDLE", "q"));
            Check(table.PutField("PREFIX", "dr."));
            Check(table.PutField("TITLE", "manager of things"));
            Check(table.PutField("ORG", "acme widgets inc"));
            Check(table.PutField("STREET", std::to_string(100 + i % 900) + " main street"));
            Check(table.PutField("STREET2", "suite " + std::to_string(i % 50)));
            Check(table.PutField("CITY", "albany"));
            Check(table.PutField("STATE", i % 2 == 0 ? "ny" : "ma"));
            Check(table.PutField("ZIP", "12a45"));
            Check(table.PutField("COUNTRY", "usa"));
            Check(table.PutField("USER1", "first comment " + n));
            Check(table.PutField("USER2", "second comment"));
            Check(table.PutField("CODES", "abc"));
        }
        Check(table.Close());
        return file;
    }();
    return path;
}

// A fresh copy of the master file (table, memo and index), opened as the main window has it.
void OpenCopy(xbase::Table& table)
{
    const fs::path master = MasterFile();
    const std::string copy = Folder() + "copy.dbf";
    for (const auto& entry : fs::directory_iterator(Folder())) {
        if (entry.path().stem() == "master")
            fs::copy_file(entry.path(), fs::path(Folder()) / ("copy" + entry.path().extension().string()),
                          fs::copy_options::overwrite_existing);
    }
    Check(table.Open(copy));
    Check(table.SetQuery(NoFilterQuery));
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

// Runs `edit` on a fresh copy per iteration, timing the edit alone; `edit` takes the progress
// callback and returns its count.
template <typename Edit> void TimeEdit(benchmark::State& state, Edit edit)
{
    double growth = 0;
    uint32_t count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            xbase::Table table;
            OpenCopy(table);
            malloc_trim(0);
            double afterFirst = 0;
            const BulkEditProgress progress = [&](uint32_t done, uint32_t) {
                if (afterFirst == 0 && done >= 2)
                    afterFirst = AnonymousMegabytes();
                return true;
            };
            state.ResumeTiming();
            count = edit(table, progress);
            state.PauseTiming();
            growth = AnonymousMegabytes() - afterFirst;
            Check(table.Close());
        }
        state.ResumeTiming();
    }
    state.counters["records"] = count;
    state.counters["anon_growth_mb"] = growth;
}

void BM_ConvertAllFifteenFields(benchmark::State& state)
{
    CaseConversionSettings settings;
    for (const ConvertibleField& field : ConvertibleFields())
        settings.Fields.emplace_back(field.FieldName);
    settings.Conversion = CaseConversion::Uppercase;
    settings.Scope = ConversionScope::AllRecords;
    TimeEdit(state, [&](xbase::Table& table, const BulkEditProgress& progress) {
        auto outcome = ConvertRecords(table, settings, progress);
        Check(outcome.ToStatus());
        return outcome->Converted;
    });
}
BENCHMARK(BM_ConvertAllFifteenFields)->Unit(benchmark::kSecond)->Iterations(1);

void BM_DeleteTheFiltersHalf(benchmark::State& state)
{
    TimeEdit(state, [](xbase::Table& table, const BulkEditProgress& progress) {
        FilterCriteria criteria;
        criteria[FilterField::State] = "NY";
        auto filter = ApplyFilter(table, criteria, "");
        Check(filter.ToStatus());
        Check(table.SetQuery(filter->Expression));
        auto deleted = DeleteRecords(table, DeleteChoice::MatchingFilter, filter->Expression, progress);
        Check(deleted.ToStatus());
        if (*deleted != RecordCount / 2)
            std::abort();
        return *deleted;
    });
}
BENCHMARK(BM_DeleteTheFiltersHalf)->Unit(benchmark::kSecond)->Iterations(1);

void BM_ReplaceTextInTenThousandLastNames(benchmark::State& state)
{
    SearchAndReplaceSettings settings;
    settings.FieldName = "LNAME";
    settings.SearchValue = "SMITH";
    settings.Match = MatchKind::Contains;
    settings.CaseSensitive = false;
    settings.Action = ReplaceAction::MatchingText;
    settings.Replacement = "Smyth";
    TimeEdit(state, [&](xbase::Table& table, const BulkEditProgress& progress) {
        auto outcome = SearchAndReplace(table, settings, "", progress);
        Check(outcome.ToStatus());
        if (outcome->Replaced != RecordCount / 10)
            std::abort();
        return outcome->Replaced;
    });
}
BENCHMARK(BM_ReplaceTextInTenThousandLastNames)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
