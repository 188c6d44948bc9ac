#pragma once
// Whole-file locks for tables and memo files. Open-file-description locks conflict between two
// opens of the same file whether they come from this process or another one, which plain
// per-process fcntl locks would not.

#include <cstdint>
#include <string>

#include "Result.h"

namespace xbase {

// A write lock for exclusive use, a read lock for shared read-only use; fails at once (no
// waiting) when another open holds a conflicting lock. The lock goes with the descriptor's close.
Status LockWholeFile(int fd, bool exclusive, const std::string& path);

struct LockedFile {
    int Fd = -1;
    uint64_t Size = 0;
};

// Opens a regular file for reading (and writing unless readOnly) and takes its whole-file lock
// (a write lock unless readOnly). On failure nothing stays open.
Result<LockedFile> OpenLockedFile(const std::string& path, bool readOnly);

} // namespace xbase
