// Opens arbitrary bytes as an FPT and as a DBT memo file and reads a handful of blocks (the
// first ones, the header's append point, and block numbers taken from the input), then writes
// through an FPT: bad block numbers and lengths must give error results, never a read outside
// the file, and what is written must read back.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/xbase/MemoFile.h"

namespace {

const std::string& MemoPath()
{
    // In memory where possible: the targets write and truncate on every run.
    static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                    "/corvane-fuzz-memo-" + std::to_string(getpid()) + ".fpt";
    return path;
}

bool WriteInput(const uint8_t* data, size_t size)
{
    const int fd = ::open(MemoPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool ok = size == 0 || write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    return ok;
}

uint32_t Be32(const uint8_t* bytes)
{
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
}

std::vector<uint32_t> BlocksToTry(const uint8_t* data, size_t size)
{
    std::vector<uint32_t> blocks = {0, 1, 2, 3, 8, 9, 10};
    if (size >= 4)
        blocks.push_back(Be32(data));
    if (size >= 8)
        blocks.push_back(Be32(data + size - 4));
    if (size >= 12)
        blocks.push_back(Be32(data + size - 8));
    return blocks;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!WriteInput(data, size))
        return 0;
    const std::vector<uint32_t> blocks = BlocksToTry(data, size);
    for (auto kind : {xbase::MemoFile::Kind::Fpt, xbase::MemoFile::Kind::Dbt}) {
        auto memo = xbase::MemoFile::Open(MemoPath(), kind, xbase::OpenMode::SharedReadOnly);
        if (!memo)
            continue;
        for (uint32_t block : blocks)
            (void)(*memo)->Read(block);
    }

    auto memo = xbase::MemoFile::Open(MemoPath(), xbase::MemoFile::Kind::Fpt, xbase::OpenMode::Exclusive);
    if (!memo)
        return 0;
    for (const std::string text : {std::string("short note"), std::string(300, 'x')}) {
        for (uint32_t block : blocks) {
            auto written = (*memo)->Write(text, block);
            if (!written)
                continue;
            auto back = (*memo)->Read(*written);
            if (!back || *back != text)
                abort();
        }
    }
    if (!(*memo)->Zap() || !(*memo)->Commit())
        abort();
    return 0;
}
