// Layout stream reader: any bytes give elements or an error result. What was read is written and
// read again; writing that must give the same bytes, so reading and writing agree on every value.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "layout/ElementClassRegistry.h"
#include "layout/TGGraphicControl.h"
#include "layout/TGLabelObjectFiler.h"

namespace {

const corvane::ElementClassRegistry& Registry()
{
    static const corvane::ElementClassRegistry registry = [] {
        corvane::ElementClassRegistry r;
        r.RegisterAll();
        return r;
    }();
    return registry;
}

std::vector<const corvane::TGGraphicControl*> Pointers(const std::vector<corvane::ElementPtr>& elements)
{
    std::vector<const corvane::TGGraphicControl*> pointers;
    for (const corvane::ElementPtr& element : elements)
        pointers.push_back(element.get());
    return pointers;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const corvane::TGLabelObjectFiler filer(Registry());
    auto read = filer.DecodeList(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read)
        return 0;
    auto written = corvane::TGLabelObjectFiler::EncodeList(Pointers(*read));
    if (!written)
        abort(); // everything read must be writable
    auto again = filer.DecodeList(*written);
    if (!again)
        abort();
    auto rewritten = corvane::TGLabelObjectFiler::EncodeList(Pointers(*again));
    if (!rewritten || *rewritten != *written)
        abort();
    return 0;
}
