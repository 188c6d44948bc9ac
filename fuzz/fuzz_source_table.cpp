// Opens arbitrary bytes as a table to import from, with a memo file of the same bytes beside it
// (DBT and FPT), and reads every visible record's matchable fields as the import does: a damaged
// table must give an error result, never a read outside the files.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "importexport/SourceTable.h"

namespace {

std::string ScratchPath(const char* extension)
{
    static const std::string base = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                    "/corvane-fuzz-source-" + std::to_string(getpid());
    return base + extension;
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    if (size > 0)
        (void)!write(fd, data, size);
    close(fd);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string table = ScratchPath(".dbf");
    WriteFile(table, data, size);
    // The memo file takes the input from its middle on, so block numbers point somewhere real.
    WriteFile(ScratchPath(".dbt"), data + size / 2, size - size / 2);
    WriteFile(ScratchPath(".fpt"), data + size / 2, size - size / 2);
    corvane::SourceTable source;
    if (source.Open(table)) {
        if (source.First()) {
            for (int guard = 0; !source.AtEnd() && guard < 10000; ++guard) {
                for (size_t field = 0; field < source.Fields().size(); ++field) {
                    if (source.Fields()[field].Matchable())
                        (void)source.Text(field);
                }
                if (!source.Next())
                    break;
            }
        }
        source.Close();
    }
    return 0;
}
