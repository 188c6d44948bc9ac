// Compiles arbitrary text as an expression against a fixed table and evaluates what compiles:
// bad text must give an error result, and a compiled expression must always evaluate.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "../tests/platform/xbase/FakeRecordSource.h"
#include "platform/xbase/Expression.h"

namespace {

const xbase::testing::FakeRecordSource& Record()
{
    static const xbase::testing::FakeRecordSource record = [] {
        xbase::testing::FakeRecordSource r;
        r.Add("LNAME", 'C', 20, "Smith")
            .Add("FNAME", 'C', 15, "J\xFCrgen")
            .Add("CITY", 'C', 30, "Springfield")
            .Add("ZIP", 'C', 10, "02134")
            .Add("AMOUNT", 'N', 10, "  -12.50", 2)
            .Add("BAD", 'N', 5, "1e999")
            .Add("ISDEL", 'L', 1, "F")
            .Add("BORN", 'D', 8, "19970428")
            .Add("MEMO", 'M', 10, "memo text")
            .Add("ODD", 'X', 4, "");
        r.SetRecordNumber(42);
        return r;
    }();
    return record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto compiled = xbase::Expression::Compile(text, Record(), xbase::CodePage::Windows1252());
    if (!compiled)
        return 0;
    (void)compiled->ResultWidth();
    for (bool exact : {false, true}) {
        xbase::Expression::Options options;
        options.Exact = exact;
        if (!compiled->Evaluate(Record(), options))
            std::abort();
        auto truth = compiled->IsTrue(Record(), options);
        if (truth.Ok() != (compiled->Type() == xbase::ValueType::Logical))
            std::abort();
    }
    return 0;
}
