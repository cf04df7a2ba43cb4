// The file layer on Windows: the wide-character calls, so every name opens whatever the
// ANSI code page, and the system's own error numbers.
#include "fileaccess.h"

#include "windowsnames.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>

namespace vorn {

namespace {

HANDLE toHandle(FileAccess::Handle handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

FileError lastError()
{
    return fileErrorFromSystem(static_cast<long>(GetLastError()));
}

bool widen(const std::string &utf8, std::wstring &wide)
{
    if (utf8.empty())
        return false;
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    wide.assign(static_cast<std::size_t>(length), L'\0');
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length) == length;
}

// Names longer than MAX_PATH open only in the "\\?\" form, which takes a full path.
std::wstring withLongForm(const std::wstring &name)
{
    if (!windowsnames::needsLongForm(name))
        return name;
    const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return name;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return name;
    full.resize(length);
    return windowsnames::longForm(full);
}

} // namespace

FileError fileErrorFromSystem(long number)
{
    switch (number) {
    case ERROR_FILE_NOT_FOUND:
        return {FileError::FileNotFound};
    case ERROR_PATH_NOT_FOUND:
        return {FileError::PathNotFound};
    case ERROR_TOO_MANY_OPEN_FILES:
        return {FileError::TooManyOpenFiles};
    case ERROR_ACCESS_DENIED:
        return {FileError::AccessDenied};
    default:
        return FileError::systemError(static_cast<int>(number));
    }
}

FileAccess::Handle FileAccess::open(const std::string &utf8Name, FileError &error)
{
    error = {};
    std::wstring name;
    if (!widen(utf8Name, name)) {
        error = {FileError::PathNotFound};
        return NoHandle;
    }
    // Opening a device or a pipe has effects of its own (a serial port's control lines
    // change, a pipe's server gains a client), so the name alone decides before any call.
    if (windowsnames::namesDeviceOrPipe(name)) {
        error = {FileError::AccessDenied};
        return NoHandle;
    }
    name = withLongForm(name);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = lastError();
        return NoHandle;
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) {
        error = {FileError::AccessDenied};
        return NoHandle;
    }
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = lastError();
        return NoHandle;
    }
    // The name may have changed since it was looked at.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        error = {FileError::AccessDenied};
        return NoHandle;
    }
    return reinterpret_cast<Handle>(file);
}

FileError FileAccess::seek(Handle handle, std::int64_t offset)
{
    LARGE_INTEGER position;
    position.QuadPart = offset;
    if (!SetFilePointerEx(toHandle(handle), position, nullptr, FILE_BEGIN))
        return lastError();
    return {};
}

FileError FileAccess::read(Handle handle, void *buffer, std::size_t count, std::size_t &done)
{
    done = 0;
    DWORD got = 0;
    const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(count, MAXDWORD));
    if (!ReadFile(toHandle(handle), buffer, asked, &got, nullptr)) {
        if (GetLastError() == ERROR_HANDLE_EOF)
            return {};
        return lastError();
    }
    done = got;
    return {};
}

FileError FileAccess::write(Handle handle, const void *buffer, std::size_t count, std::size_t &done)
{
    done = 0;
    DWORD put = 0;
    const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(count, MAXDWORD));
    if (!WriteFile(toHandle(handle), buffer, asked, &put, nullptr))
        return lastError();
    done = put;
    return {};
}

FileError FileAccess::flush(Handle handle)
{
    if (!FlushFileBuffers(toHandle(handle)))
        return lastError();
    return {};
}

FileError FileAccess::size(Handle handle, std::int64_t &bytes)
{
    bytes = 0;
    LARGE_INTEGER length;
    if (!GetFileSizeEx(toHandle(handle), &length))
        return lastError();
    bytes = length.QuadPart;
    return {};
}

void FileAccess::close(Handle handle)
{
    CloseHandle(toHandle(handle));
}

FileAccess &FileAccess::system()
{
    static FileAccess api;
    return api;
}

} // namespace vorn
