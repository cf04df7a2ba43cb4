#pragma once

// The system's file calls, as the image file needs them and nothing more. No Qt here: the
// layer is built and tested on its own, natively and for Windows. fileaccess_posix.cpp and
// fileaccess_win32.cpp implement it; the build picks one.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vorn {

/// How a file step failed, as the user is told: one of the editor's I/O codes below (2-5 are
/// the classic system codes its users know, 100 and up its own), or the system's own error
/// number, shown as "I/O error N" whatever N is (so an errno of 5 is never "access denied").
struct FileError
{
    enum Code {
        None = 0,
        FileNotFound = 2,
        PathNotFound = 3,     ///< shown as "Invalid filename"
        TooManyOpenFiles = 4,
        AccessDenied = 5,
        ReadPastEnd = 100,    ///< a read met the end of the file
        DiskFull = 101,       ///< a write took nothing
        NotOpen = 103,
        InvalidNumeric = 106, ///< a text that should be a number is not
    };

    int code = None;
    /// Set when `code` is the system's own number rather than one of the codes above.
    bool system = false;

    static FileError systemError(int number) { return {number, true}; }
    explicit operator bool() const { return code != None || system; }
    bool operator==(const FileError &) const = default;
};

/// The file layer's error for an error number of this system (errno, GetLastError()):
/// the numbers that mean a missing file or path, too many open files or a refusal map to
/// the codes with texts of their own; every other number stays the system's.
FileError fileErrorFromSystem(long number);

/// The calls. Each backend implements them once; tests derive from this class to refuse
/// any step with any error.
class FileAccess
{
public:
    using Handle = std::intptr_t;
    static constexpr Handle NoHandle = -1;

    virtual ~FileAccess() = default;

    /// Opens the existing file named `utf8Name` for reading and writing, letting other
    /// programs read and write it meanwhile. Never creates a file. Anything that is not a
    /// plain disk file (a folder, a device, a pipe) is refused with AccessDenied before it
    /// is opened, and checked again once open. Returns NoHandle and sets `error` on failure.
    virtual Handle open(const std::string &utf8Name, FileError &error);

    /// Moves to an absolute byte offset; a position past the end is not an error.
    virtual FileError seek(Handle handle, std::int64_t offset);

    /// One read of up to `count` bytes; `done` is how many arrived, 0 at the end of the file.
    virtual FileError read(Handle handle, void *buffer, std::size_t count, std::size_t &done);

    /// One write of up to `count` bytes; `done` is how many the file took.
    virtual FileError write(Handle handle, const void *buffer, std::size_t count,
                            std::size_t &done);

    /// Returns once what was written is on the disk.
    virtual FileError flush(Handle handle);

    /// The file's length in bytes.
    virtual FileError size(Handle handle, std::int64_t &bytes);

    virtual void close(Handle handle);

    /// The real calls.
    static FileAccess &system();
};

} // namespace vorn
