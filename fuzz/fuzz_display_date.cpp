// Stored dates come from address files as anyone left them, and the date pattern from the
// system's regional settings; the calculated name fields join whatever the fields hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/AddressRecord.h"
#include "core/DisplayDate.h"
#include "platform/AsciiText.h"

namespace {

size_t Utf8Characters(std::string_view text)
{
    size_t count = 0;
    for (char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\n');
    const std::string_view pattern = input.substr(0, split);
    const std::string_view stored =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    const std::string widened = corvane::WidenDatePattern(pattern, corvane::DateSeparatorOf(pattern));
    if (corvane::UpperAscii(widened).find("YYYY") == std::string::npos)
        std::abort();
    const std::string shown = corvane::FormatDisplayDate(stored, widened);
    if (!shown.empty() && !corvane::ParseStoredDate(stored))
        std::abort();

    corvane::AddressRecord record;
    record.FName = std::string(pattern);
    record.LName = std::string(stored);
    record.City = std::string(stored);
    record.Prefix = std::string(pattern);
    for (const std::string& value : {record.FullName(), record.FullNameWithPrefix(), record.CityStateZip()}) {
        if (Utf8Characters(value) > 35)
            std::abort();
    }
    return 0;
}
