// Import and export at the size of a large mailing list: 100,000 lines of a generated text file
// with every column matched, and a 100,000-record table with a memo file, appended to an address
// file with its 26 tags rebuilt; 100,000 records exported as text and as dBase. The text import
// also reports how much the process's peak memory grew (the lines are streamed, so it stays flat
// whatever the number of lines).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "core/AddressFileLayout.h"
#include "core/FieldCatalogue.h"
#include "importexport/AddressAppender.h"
#include "importexport/AddressExport.h"
#include "importexport/AsciiImport.h"
#include "importexport/AsciiSample.h"
#include "importexport/DbfImport.h"
#include "importexport/MatchModel.h"
#include "importexport/SourceTable.h"
#include "platform/settings/IniFile.h"

namespace {

namespace fs = std::filesystem;
constexpr int Rows = 100000;

std::string Scratch()
{
    static std::string folder = [] {
        std::string pattern = (fs::temp_directory_path() / "corvane-iebench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        return pattern;
    }();
    return folder;
}

void Require(const corvane::Status& status)
{
    if (!status.Ok()) {
        std::fprintf(stderr, "%s\n", status.Message().c_str());
        std::exit(1);
    }
}

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Every column of a line: 19 text fields and a date.
std::string Line(int i)
{
    const std::string n = std::to_string(i);
    return "Name" + n + ",First" + n + ",Q,Mr.,Title " + n + ",Org " + n + ",\"" + n +
           " Main St, Apt 2\",Floor " + n + ",City" + std::to_string(i % 300) + ",ST,\"" +
           std::to_string(10000 + i % 90000) + "\",USA,555-" + n + ",555-2" + n + ",555-3" + n + ",p" + n +
           "@example.com,CODE" + std::to_string(i % 7) + ",Comment " + n + ",Other " + n + ",12/08/1996";
}

const std::string& TextFile(int lines)
{
    static std::map<int, std::string> made;
    auto& path = made[lines];
    if (path.empty()) {
        path = Scratch() + "/list" + std::to_string(lines) + ".txt";
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < lines; ++i)
            out << Line(i) << "\r\n";
    }
    return path;
}

std::string NewAddressFile(const std::string& name)
{
    const std::string path = Scratch() + "/" + name;
    for (const char* extension : {".DBF", ".FPT", ".CDX"})
        fs::remove(Scratch() + "/" + fs::path(name).stem().string() + extension);
    Require(corvane::CreateAddressTable(path, corvane::NewAddressFileFields(corvane::IniFile::Parse(""))));
    return path;
}

void ImportText(benchmark::State& state, int lines)
{
    const std::string& in = TextFile(lines);
    auto sample = corvane::SampleAsciiFile(in);
    Require(sample.ToStatus());
    std::vector<corvane::MatchSource> columns;
    for (const auto& column : sample->Columns)
        columns.push_back({column.Name, corvane::SourceKind::Text});
    corvane::MatchModel match(corvane::MatchModel::AsciiTargets(corvane::FieldCatalogue()), columns);
    for (std::size_t row = 0; row < match.Targets().size() && row < columns.size(); ++row)
        match.Choose(row, row);
    const auto plan = corvane::AsciiImportPlan::FromMatch(in, match);
    long growth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = NewAddressFile(lines == Rows ? "TEXT.DBF" : "SMALL.DBF");
        xbase::Table table;
        Require(table.Open(path));
        state.ResumeTiming();
        const long before = PeakKilobytes();
        corvane::AddressAppender appender(table);
        Require(appender.Begin());
        const auto result = corvane::ImportAsciiFile(plan, appender, {});
        if (result.Failed || result.Imported != static_cast<uint32_t>(lines))
            Require(corvane::Status::Error(result.FullMessage()));
        growth = PeakKilobytes() - before;
        Require(appender.RebuildTags({}));
        Require(table.Close());
    }
    state.counters["peak_growth_kB"] = static_cast<double>(growth);
}

void BM_ImportText100k(benchmark::State& state)
{
    ImportText(state, Rows);
}
// Run after the 100,000-line import, so the peak it reached is already counted: a larger growth
// here than there would mean memory grows with the lines.
void BM_ImportText10k(benchmark::State& state)
{
    ImportText(state, Rows / 10);
}
BENCHMARK(BM_ImportText100k)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ImportText10k)->Unit(benchmark::kMillisecond)->Iterations(1);

// A source table of 100,000 records with a memo for every tenth.
const std::string& SourceWithMemo()
{
    static const std::string path = [] {
        const std::string file = Scratch() + "/SOURCE.DBF";
        Require(xbase::Table::Create(file, {{"LNAME", 'C', 30, 0},
                                            {"FNAME", 'C', 20, 0},
                                            {"CITY", 'C', 30, 0},
                                            {"ZIP", 'C', 10, 0},
                                            {"AMOUNT", 'N', 10, 2},
                                            {"NOTES", 'M', 10, 0}}));
        xbase::Table table;
        Require(table.Open(file));
        for (int i = 0; i < Rows; ++i) {
            Require(table.AppendBlank());
            Require(table.PutField("LNAME", "Name" + std::to_string(i)));
            Require(table.PutField("FNAME", "First" + std::to_string(i)));
            Require(table.PutField("CITY", "City" + std::to_string(i % 300)));
            Require(table.PutField("ZIP", std::to_string(10000 + i % 90000)));
            Require(table.PutField("AMOUNT", std::to_string(i % 1000) + ".25"));
            if (i % 10 == 0)
                Require(table.PutMemo("NOTES", "Note for record " + std::to_string(i) + "\r\nsecond line"));
        }
        Require(table.Close());
        return file;
    }();
    return path;
}

void BM_ImportDbf100k(benchmark::State& state)
{
    const std::string& from = SourceWithMemo();
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = NewAddressFile("DBASE.DBF");
        xbase::Table table;
        Require(table.Open(path));
        corvane::SourceTable source;
        Require(source.Open(from));
        corvane::MatchModel match(corvane::MatchModel::DbfTargets(corvane::FieldCatalogue()),
                                  source.MatchSources());
        match.AutoMatch();
        state.ResumeTiming();
        corvane::AddressAppender appender(table);
        Require(appender.Begin());
        const auto result =
            corvane::ImportDbfTable(source, corvane::DbfImportPlan::FromMatch(match), appender, {});
        if (result.Failed || result.Imported != static_cast<uint32_t>(Rows))
            Require(corvane::Status::Error(result.FullMessage()));
        Require(appender.RebuildTags({}));
        Require(table.Close());
    }
}
BENCHMARK(BM_ImportDbf100k)->Unit(benchmark::kMillisecond)->Iterations(1);

// The address file the text import made: 100,000 records, every field filled.
void Export(benchmark::State& state, corvane::ExportKind kind, const char* target)
{
    const std::string from = Scratch() + "/TEXT.DBF";
    if (!fs::exists(from)) {
        state.SkipWithError("run BM_ImportText100k first");
        return;
    }
    xbase::Table table;
    Require(table.Open(from));
    Require(table.SetQuery("!ISDEL"));
    Require(table.SetOrder(table.OrderNumber("LNAME")));
    for (auto _ : state) {
        const auto result = corvane::ExportRecords(table, kind, Scratch() + "/" + target, {}, false);
        if (result.Failed)
            Require(corvane::Status::Error(result.Message + " " + result.Detail));
        state.counters["records"] = result.Exported;
    }
}

void BM_ExportText(benchmark::State& state)
{
    Export(state, corvane::ExportKind::Text, "OUT.TXT");
}
void BM_ExportDbase(benchmark::State& state)
{
    Export(state, corvane::ExportKind::Dbase, "OUT.DBF");
}
BENCHMARK(BM_ExportText)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportDbase)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
