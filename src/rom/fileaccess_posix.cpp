// The file layer on Linux, macOS and the other POSIX systems.
#include "fileaccess.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {

namespace {

int toDescriptor(FileAccess::Handle handle)
{
    return static_cast<int>(handle);
}

bool folderExists(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
                               : slash == 0               ? std::string("/")
                                                          : path.substr(0, slash);
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

FileError openError(int error, const std::string &path)
{
    switch (error) {
    case ENOENT:
        return {folderExists(path) ? FileError::FileNotFound : FileError::PathNotFound};
    case ENOTDIR:
    case ENAMETOOLONG:
        return {FileError::PathNotFound};
    default:
        return fileErrorFromSystem(error);
    }
}

FileError lastError()
{
    return fileErrorFromSystem(errno);
}

// A call a signal interrupted did nothing; it is made again.
template<typename Call>
auto retryInterrupted(Call call)
{
    auto result = call();
    while (result < 0 && errno == EINTR)
        result = call();
    return result;
}

} // namespace

FileError fileErrorFromSystem(long number)
{
    switch (number) {
    case EMFILE:
    case ENFILE:
        return {FileError::TooManyOpenFiles};
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return {FileError::AccessDenied};
    default:
        return FileError::systemError(static_cast<int>(number));
    }
}

FileAccess::Handle FileAccess::open(const std::string &utf8Name, FileError &error)
{
    error = {};
    // Opening a device or a FIFO has effects of its own (a FIFO opened for writing
    // releases a program waiting to read it), so the name is looked at first.
    struct stat st {};
    if (::stat(utf8Name.c_str(), &st) != 0) {
        error = openError(errno, utf8Name);
        return NoHandle;
    }
    if (!S_ISREG(st.st_mode)) {
        error = {FileError::AccessDenied};
        return NoHandle;
    }
    // The name may have changed since: O_NONBLOCK keeps a FIFO put in its place from
    // hanging the editor, and fstat looks at what was really opened.
    const int fd = retryInterrupted(
        [&] { return ::open(utf8Name.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK); });
    if (fd < 0) {
        error = openError(errno, utf8Name);
        return NoHandle;
    }
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        error = known ? FileError{FileError::AccessDenied} : lastError();
        ::close(fd);
        return NoHandle;
    }
    return fd;
}

FileError FileAccess::seek(Handle handle, std::int64_t offset)
{
    if (::lseek(toDescriptor(handle), static_cast<off_t>(offset), SEEK_SET) < 0)
        return lastError();
    return {};
}

FileError FileAccess::read(Handle handle, void *buffer, std::size_t count, std::size_t &done)
{
    done = 0;
    const ssize_t got = retryInterrupted([&] { return ::read(toDescriptor(handle), buffer, count); });
    if (got < 0)
        return lastError();
    done = static_cast<std::size_t>(got);
    return {};
}

FileError FileAccess::write(Handle handle, const void *buffer, std::size_t count, std::size_t &done)
{
    done = 0;
    const ssize_t put = retryInterrupted([&] { return ::write(toDescriptor(handle), buffer, count); });
    if (put < 0)
        return lastError();
    done = static_cast<std::size_t>(put);
    return {};
}

FileError FileAccess::flush(Handle handle)
{
#ifdef F_FULLFSYNC
    // On macOS fsync leaves the data in the drive's cache; F_FULLFSYNC empties it too.
    // Some file systems refuse it, and fsync is then the best there is.
    if (::fcntl(toDescriptor(handle), F_FULLFSYNC) == 0)
        return {};
#endif
    if (::fsync(toDescriptor(handle)) != 0)
        return lastError();
    return {};
}

FileError FileAccess::size(Handle handle, std::int64_t &bytes)
{
    bytes = 0;
    struct stat st {};
    if (::fstat(toDescriptor(handle), &st) != 0)
        return lastError();
    bytes = st.st_size;
    return {};
}

void FileAccess::close(Handle handle)
{
    ::close(toDescriptor(handle));
}

FileAccess &FileAccess::system()
{
    static FileAccess api;
    return api;
}

} // namespace vorn
