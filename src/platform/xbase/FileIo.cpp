#include "FileIo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace xbase {

std::string SystemError(const std::string& what, const std::string& path)
{
    return what + " " + path + ": " + std::strerror(errno);
}

Status WriteFully(int fd, const void* data, size_t size, uint64_t offset, const std::string& path)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, bytes, size, static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return Status::Error(SystemError("Cannot write", path));
        bytes += written;
        size -= static_cast<size_t>(written);
        offset += static_cast<uint64_t>(written);
    }
    return Status::Success();
}

bool ReadFully(int fd, void* data, size_t size, uint64_t offset)
{
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = ::pread(fd, bytes, size, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        bytes += got;
        size -= static_cast<size_t>(got);
        offset += static_cast<uint64_t>(got);
    }
    return true;
}

Status SyncDirectoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    int fd;
    do {
        fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return Status::Error(SystemError("Cannot open folder", directory));
    int synced;
    do {
        synced = ::fsync(fd);
    } while (synced != 0 && errno == EINTR);
    ::close(fd);
    if (synced != 0) return Status::Error(SystemError("Cannot sync folder", directory));
    return Status::Success();
}

}  // namespace xbase
