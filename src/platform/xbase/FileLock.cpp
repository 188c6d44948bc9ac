#include "FileLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "FileIo.h"

namespace xbase {

Status LockWholeFile(int fd, bool exclusive, const std::string& path)
{
    struct flock lock {};
    lock.l_type = exclusive ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0; // to the end, however far the file grows
    if (fcntl(fd, F_OFD_SETLK, &lock) == 0)
        return Status::Success();
    if (errno == EAGAIN || errno == EACCES)
        return Status::Error(path + " is in use by another program or user");
    return Status::Error("Cannot lock " + path + ": " + std::strerror(errno));
}

Result<LockedFile> OpenLockedFile(const std::string& path, bool readOnly)
{
    LockedFile file;
    file.Fd = ::open(path.c_str(), (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC);
    if (file.Fd < 0) return Status::Error(SystemError("Cannot open", path));
    auto fail = [&](Status status) {
        ::close(file.Fd);
        return Result<LockedFile>(std::move(status));
    };
    if (Status locked = LockWholeFile(file.Fd, !readOnly, path); !locked) return fail(locked);
    struct stat info {};
    if (::fstat(file.Fd, &info) != 0) return fail(Status::Error(SystemError("Cannot open", path)));
    if (!S_ISREG(info.st_mode)) return fail(Status::Error("Cannot open " + path + ": not a regular file"));
    file.Size = static_cast<uint64_t>(info.st_size);
    return file;
}

} // namespace xbase
