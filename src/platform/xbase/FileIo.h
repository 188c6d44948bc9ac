#pragma once
// The few system calls the engine's files share: whole reads and writes at an offset that
// repeat after interruptions and short transfers, making a rename durable, and error texts that
// name the file and the system's reason.

#include <cstddef>
#include <cstdint>
#include <string>

#include "Result.h"

namespace xbase {

// what + " " + path + ": " + the text of errno.
std::string SystemError(const std::string& what, const std::string& path);
// Writes all `size` bytes at `offset`; the error names `path`.
Status WriteFully(int fd, const void* data, size_t size, uint64_t offset, const std::string& path);
// Reads all `size` bytes at `offset`; false at end of file or on an error.
bool ReadFully(int fd, void* data, size_t size, uint64_t offset);
// Makes a rename or a new file in `path`'s folder durable.
Status SyncDirectoryOf(const std::string& path);

}  // namespace xbase
