#include "syscalls.h"

#include <fcntl.h>
#include <unistd.h>

namespace vorn {

int SysCalls::open(const char *path, int flags)
{
    return ::open(path, flags);
}

int SysCalls::fstat(int fd, struct stat *st)
{
    return ::fstat(fd, st);
}

off_t SysCalls::lseek(int fd, off_t offset, int whence)
{
    return ::lseek(fd, offset, whence);
}

ssize_t SysCalls::read(int fd, void *buffer, size_t count)
{
    return ::read(fd, buffer, count);
}

ssize_t SysCalls::write(int fd, const void *buffer, size_t count)
{
    return ::write(fd, buffer, count);
}

int SysCalls::fsync(int fd)
{
    return ::fsync(fd);
}

int SysCalls::close(int fd)
{
    return ::close(fd);
}

SysCalls &SysCalls::system()
{
    static SysCalls calls;
    return calls;
}

} // namespace vorn
