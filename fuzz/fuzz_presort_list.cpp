// Presort lists are read back from the program directory, where anything may have replaced them:
// reading one must never crash, and a list that reads must write the same groups back.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bulkmail/Presort.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto groups = corvane::ParsePresortList(bytes);
    if (!groups)
        return 0;
    std::string written;
    for (const corvane::PresortGroup& group : *groups) {
        if (group.Keys.empty())
            std::abort();
        written += group.Heading + "\r\n";
        for (const std::string& key : group.Keys)
            written += key + "\r\n";
    }
    auto again = corvane::ParsePresortList(written);
    if (!again || *again != *groups)
        std::abort();
    return 0;
}
