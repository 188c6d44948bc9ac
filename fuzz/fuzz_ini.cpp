// The settings file is read from disk as the user or another program left it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/settings/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    corvane::IniFile file = corvane::IniFile::Parse(text);
    (void)file.ReadInteger("Misc", "GlobalTagId", 0);
    file.WriteString("Fuzz Section", "Key", "Value");
    if (file.ReadString("Fuzz Section", "Key", "") != "Value")
        std::abort();
    corvane::IniFile again = corvane::IniFile::Parse(file.Text());
    if (again.ReadString("Fuzz Section", "Key", "") != "Value")
        std::abort();
    return 0;
}
