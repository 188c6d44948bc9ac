// Per-record cost of the filter query the main window runs and of a typical index key.
#include <benchmark/benchmark.h>

#include "../tests/platform/xbase/FakeRecordSource.h"
#include "platform/xbase/Expression.h"

namespace {

xbase::testing::FakeRecordSource AddressRecord()
{
    xbase::testing::FakeRecordSource record;
    record.Add("LNAME", 'C', 30, "Smith")
        .Add("FNAME", 'C', 30, "John")
        .Add("CITY", 'C', 30, "Springfield")
        .Add("STATE", 'C', 20, "IL")
        .Add("ISDEL", 'L', 1, "F");
    return record;
}

void Run(benchmark::State& state, const char* text, bool condition)
{
    xbase::testing::FakeRecordSource record = AddressRecord();
    auto compiled = xbase::Expression::Compile(text, record, xbase::CodePage::Windows1252());
    if (!compiled) {
        state.SkipWithError(compiled.Message().c_str());
        return;
    }
    for (auto _ : state) {
        if (condition)
            benchmark::DoNotOptimize(compiled->IsTrue(record, {}));
        else
            benchmark::DoNotOptimize(compiled->Evaluate(record));
    }
}

void BM_ExpressionFilterQuery(benchmark::State& state)
{
    Run(state, "UPPER(CITY+STATE)=\"SPRINGFIELD\".and. !ISDEL", true);
}
BENCHMARK(BM_ExpressionFilterQuery);

void BM_ExpressionNameKey(benchmark::State& state)
{
    Run(state, "UPPER(LNAME)+UPPER(FNAME)", false);
}
BENCHMARK(BM_ExpressionNameKey);

} // namespace
