#include "windowsnames.h"

#include <algorithm>

namespace vorn::windowsnames {

namespace {

// MAX_PATH, less room for the 8.3 name the system may add.
constexpr std::size_t LongestShortForm = 260 - 12;

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

} // namespace

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

bool needsLongForm(std::wstring_view name)
{
    return name.size() >= LongestShortForm && !startsWith(name, L"\\\\?\\");
}

std::wstring longForm(std::wstring_view fullPath)
{
    if (startsWith(fullPath, L"\\\\"))
        return L"\\\\?\\UNC\\" + std::wstring(fullPath.substr(2));
    return L"\\\\?\\" + std::wstring(fullPath);
}

} // namespace vorn::windowsnames
