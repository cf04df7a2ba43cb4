// The file layer on Windows: the wide-character calls, so every name opens whatever the
// ANSI code page, and the system's own error numbers.
#include "fileaccess.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <string_view>

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

bool startsWith(std::wstring_view text, std::wstring_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

wchar_t asciiUpper(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? wchar_t(c - L'a' + L'A') : c;
}

// `prefix` in upper case; the system matches these words in any case.
bool startsWithAnyCase(std::wstring_view text, std::wstring_view prefix)
{
    return text.size() >= prefix.size()
           && std::equal(prefix.begin(), prefix.end(), text.begin(),
                         [](wchar_t p, wchar_t t) { return p == asciiUpper(t); });
}

// "host\pipe\..." after the two separators of a network name: every host, this one
// included, serves its pipes this way.
bool namesPipeOnHost(std::wstring_view rest)
{
    const std::size_t separator = rest.find_first_of(L"\\/");
    if (separator == std::wstring_view::npos)
        return false;
    const std::wstring_view share = rest.substr(separator + 1);
    return startsWithAnyCase(share, L"PIPE") && (share.size() == 4 || isSeparator(share[4]));
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 open the device in every folder, whatever follows
// the first "." or ":" ("nul.txt", "COM1:" and "aux:.rom" are devices too).
bool isReservedDeviceName(std::wstring_view name)
{
    if (name.size() >= 2 && name[1] == L':')
        name.remove_prefix(2);
    const std::size_t separator = name.find_last_of(L"\\/");
    std::wstring base(name.substr(separator == std::wstring_view::npos ? 0 : separator + 1));
    base = base.substr(0, base.find_first_of(L".:"));
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    std::transform(base.begin(), base.end(), base.begin(), asciiUpper);
    for (std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (base == device)
            return true;
    }
    const std::wstring_view digits = L"123456789\u00B9\u00B2\u00B3";
    return base.size() == 4 && (startsWith(base, L"COM") || startsWith(base, L"LPT"))
           && digits.find(base[3]) != std::wstring_view::npos;
}

// Whether opening `name` would reach a device or a pipe rather than a file on a disk.
bool namesDeviceOrPipe(std::wstring_view name)
{
    // Taken verbatim: a drive or "UNC\" in any case is just the long form of an ordinary
    // path, where no DOS device names apply; anything else is the device namespace.
    if (startsWith(name, L"\\\\?\\") || startsWith(name, L"\\??\\")) {
        const std::wstring_view rest = name.substr(4);
        if (rest.size() >= 3 && rest[1] == L':' && rest[2] == L'\\')
            return false;
        return !startsWithAnyCase(rest, L"UNC\\") || namesPipeOnHost(rest.substr(4));
    }
    // Two separators, then "." or "?", then a separator or nothing: "\\.\COM1", "//?/pipe/x",
    // "/\./NUL" all name devices and pipes directly, in any mix of slashes.
    if (name.size() >= 3 && isSeparator(name[0]) && isSeparator(name[1])) {
        if ((name[2] == L'.' || name[2] == L'?') && (name.size() == 3 || isSeparator(name[3])))
            return true;
        if (namesPipeOnHost(name.substr(2)))
            return true;
    }
    return isReservedDeviceName(name);
}

// Names longer than MAX_PATH open only in the "\\?\" form, which takes a full path.
std::wstring longForm(const std::wstring &name)
{
    if (name.size() < MAX_PATH - 12 || startsWith(name, L"\\\\?\\"))
        return name;
    const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return name;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return name;
    full.resize(length);
    return startsWith(full, L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
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
    if (namesDeviceOrPipe(name)) {
        error = {FileError::AccessDenied};
        return NoHandle;
    }
    name = longForm(name);
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
