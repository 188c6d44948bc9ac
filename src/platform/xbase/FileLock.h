#pragma once
// Whole-file locks for tables and memo files. Open-file-description locks conflict between two
// opens of the same file whether they come from this process or another one, which plain
// per-process fcntl locks would not.

#include <string>

#include "Result.h"

namespace xbase {

// A write lock for exclusive use, a read lock for shared read-only use; fails at once (no
// waiting) when another open holds a conflicting lock. The lock goes with the descriptor's close.
Status LockWholeFile(int fd, bool exclusive, const std::string& path);

} // namespace xbase
