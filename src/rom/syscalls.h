#pragma once

#include <sys/stat.h>
#include <sys/types.h>

namespace vorn {

/// The POSIX calls the image file layer makes. Each behaves like its namesake:
/// -1 with errno set on failure. Tests derive from it to refuse any call with any error.
class SysCalls
{
public:
    virtual ~SysCalls() = default;

    virtual int open(const char *path, int flags);
    virtual int fstat(int fd, struct stat *st);
    virtual off_t lseek(int fd, off_t offset, int whence);
    virtual ssize_t read(int fd, void *buffer, size_t count);
    virtual ssize_t write(int fd, const void *buffer, size_t count);
    virtual int fsync(int fd);
    virtual int close(int fd);

    /// The real calls.
    static SysCalls &system();
};

} // namespace vorn
