// Appending and scanning a table of address-sized records. Goal: 100,000 appends of a ~600-byte
// record well under 0.5 s, so imports and packs are bound by the disk, not by the engine.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/xbase/DbfFile.h"

namespace {

using corvane::Status;

constexpr uint32_t kRecords = 100000;

class BenchFolder {
  public:
    BenchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            FPath = pattern;
    }
    ~BenchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    std::string File(const char* name) const { return FPath + "/" + name; }

  private:
    std::string FPath;
};

const std::vector<xbase::FieldSpec> kAddressFields = {
    {"LNAME", 'C', 60, 0},    {"FNAME", 'C', 60, 0}, {"ORG", 'C', 100, 0},  {"STREET", 'C', 100, 0},
    {"STREET2", 'C', 100, 0}, {"CITY", 'C', 60, 0},  {"STATE", 'C', 20, 0}, {"ZIP", 'C', 10, 0},
    {"PHONE", 'C', 30, 0},    {"EMAIL", 'C', 60, 0}, {"JOINED", 'D', 8, 0}, {"NOTES", 'M', 10, 0}};

std::unique_ptr<xbase::DbfFile> CreateAndOpen(const std::string& path, benchmark::State& state)
{
    if (Status created = xbase::DbfFile::Create(path, kAddressFields); !created) {
        state.SkipWithError(created.Message().c_str());
        return nullptr;
    }
    auto opened = xbase::DbfFile::Open(path, xbase::OpenMode::Exclusive);
    if (!opened) {
        state.SkipWithError(opened.Message().c_str());
        return nullptr;
    }
    return opened.Take();
}

void BM_Append100kRecords(benchmark::State& state)
{
    BenchFolder folder;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(folder.File("APPEND.DBF"));
        auto file = CreateAndOpen(folder.File("APPEND.DBF"), state);
        if (!file)
            return;
        std::string record(file->RecordLength(), ' ');
        (void)xbase::FieldCodec::Write(record.data(), file->Fields()[0], "Smith");
        state.ResumeTiming();
        for (uint32_t i = 0; i < kRecords; ++i) {
            if (!file->AppendRecord(record.data())) {
                state.SkipWithError("append failed");
                return;
            }
        }
        if (!file->WriteHeader())
            state.SkipWithError("header write failed");
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Append100kRecords)->Unit(benchmark::kMillisecond);

void BM_Scan100kRecords(benchmark::State& state)
{
    BenchFolder folder;
    {
        auto file = CreateAndOpen(folder.File("SCAN.DBF"), state);
        if (!file)
            return;
        std::string record(file->RecordLength(), ' ');
        for (uint32_t i = 0; i < kRecords; ++i)
            (void)file->AppendRecord(record.data());
    }
    auto file = xbase::DbfFile::Open(folder.File("SCAN.DBF"), xbase::OpenMode::SharedReadOnly);
    if (!file) {
        state.SkipWithError(file.Message().c_str());
        return;
    }
    const xbase::FieldDescriptor& city = (*file)->Fields()[5];
    for (auto _ : state) {
        size_t total = 0;
        for (uint32_t recno = 1; recno <= (*file)->RecordCount(); ++recno)
            total += xbase::FieldCodec::Read((*file)->Record(recno), city).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Scan100kRecords)->Unit(benchmark::kMillisecond);

} // namespace
