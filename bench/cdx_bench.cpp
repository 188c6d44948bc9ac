// Index build speed: sorting bulk appends in a tag and writing a compound index file.
// Goals: 100,000 keys of 60 bytes settle well under 100 ms, 26 such tags in about 1.5 s, and a
// file of 26 tags of 100,000 keys (key lengths 1 to 60) is written well under 1 s.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <unistd.h>

#include "platform/xbase/CdxFile.h"

using namespace xbase;

namespace {

constexpr size_t KeysPerTag = 100000;

// Address-like keys: a few common words, blank padded, so that prefixes repeat.
std::vector<std::string> MakeKeys(uint16_t keyLength, uint32_t seed)
{
    static const char* words[] = {"SMITH",       "MILLER", "SCHMIDT", "NEW YORK",
                                  "SPRINGFIELD", "A",      "ZZ TOP",  "MAIN ST"};
    std::mt19937 random(seed);
    std::vector<std::string> keys;
    keys.reserve(KeysPerTag);
    for (size_t i = 0; i < KeysPerTag; ++i) {
        std::string key = words[random() % 8];
        key += ' ';
        key += std::to_string(random() % 100000);
        key.resize(keyLength, ' ');
        keys.push_back(std::move(key));
    }
    return keys;
}

TagDefinition Definition(int number, uint16_t keyLength)
{
    TagDefinition definition;
    definition.Name = "TAG" + std::to_string(number);
    definition.KeyExpression = "FIELD" + std::to_string(number);
    definition.KeyLength = keyLength;
    return definition;
}

TagIndex Settled(const std::vector<std::string>& keys, const TagDefinition& definition)
{
    TagIndex index(definition);
    index.Reserve(keys.size());
    uint32_t recno = 0;
    for (const std::string& key : keys) {
        index.AppendUnsorted(key, ++recno);
    }
    benchmark::DoNotOptimize(index.KeyAt(0));
    return index;
}

void BM_SettleOneTag(benchmark::State& state)
{
    const std::vector<std::string> keys = MakeKeys(60, 1);
    for (auto _ : state) {
        Settled(keys, Definition(1, 60));
    }
}
BENCHMARK(BM_SettleOneTag)->Unit(benchmark::kMillisecond);

void BM_SettleTwentySixTags(benchmark::State& state)
{
    std::vector<std::vector<std::string>> keys;
    for (int i = 0; i < 26; ++i) {
        keys.push_back(MakeKeys(60, static_cast<uint32_t>(i)));
    }
    for (auto _ : state) {
        for (int i = 0; i < 26; ++i) {
            Settled(keys[i], Definition(i, 60));
        }
    }
}
BENCHMARK(BM_SettleTwentySixTags)->Unit(benchmark::kMillisecond);

void BM_WriteTwentySixTags(benchmark::State& state)
{
    std::vector<TagIndex> tags;
    for (int i = 0; i < 26; ++i) {
        const auto keyLength = static_cast<uint16_t>(1 + i * 59 / 25);
        tags.push_back(Settled(MakeKeys(keyLength, static_cast<uint32_t>(i)), Definition(i, keyLength)));
    }
    std::vector<const TagIndex*> pointers;
    for (const TagIndex& tag : tags) {
        pointers.push_back(&tag);
    }
    const std::string path =
        (std::filesystem::temp_directory_path() / ("corvane-bench-" + std::to_string(::getpid()) + ".cdx"))
            .string();
    for (auto _ : state) {
        if (!CdxFile::Write(path, pointers, CdxStamp{true, false, KeysPerTag}).Ok()) {
            state.SkipWithError("write failed");
            break;
        }
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteTwentySixTags)->Unit(benchmark::kMillisecond);

void BM_OpenAndLoadTwentySixTags(benchmark::State& state)
{
    std::vector<TagIndex> tags;
    for (int i = 0; i < 26; ++i) {
        const auto keyLength = static_cast<uint16_t>(1 + i * 59 / 25);
        tags.push_back(Settled(MakeKeys(keyLength, static_cast<uint32_t>(i)), Definition(i, keyLength)));
    }
    std::vector<const TagIndex*> pointers;
    for (const TagIndex& tag : tags) {
        pointers.push_back(&tag);
    }
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("corvane-bench-load-" + std::to_string(::getpid()) + ".cdx"))
                                 .string();
    if (!CdxFile::Write(path, pointers, {}).Ok()) {
        state.SkipWithError("write failed");
        return;
    }
    for (auto _ : state) {
        auto file = CdxFile::Open(path);
        for (size_t i = 0; file.Ok() && i < (*file)->Tags().size(); ++i) {
            benchmark::DoNotOptimize((*file)->LoadTag(i).Ok());
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenAndLoadTwentySixTags)->Unit(benchmark::kMillisecond);

} // namespace
