// Filter files come from anywhere: reading one must never crash, whatever its bytes, and what was
// read must write back and read again unchanged; the criteria it holds must build an expression
// or a clear refusal.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "session/FilterCriteria.h"
#include "session/FilterFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const corvane::FilterCriteria criteria = corvane::ParseFilterFile(bytes);
    auto written = corvane::FormatFilterFile(criteria);
    if (!written || corvane::ParseFilterFile(*written) != criteria)
        std::abort();
    auto expression = corvane::BuildQueryString(criteria, "7K1Q2XS");
    if (expression && expression->empty() && corvane::FilterIsSet(criteria))
        std::abort();
    return 0;
}
