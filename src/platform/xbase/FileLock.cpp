#include "FileLock.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

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

} // namespace xbase
