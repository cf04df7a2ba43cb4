#pragma once

#include <string>
#include <string_view>

// How Windows reads a file name, as text alone: no system call, so every platform's tests
// run these rules, while only the Windows backend acts on them.
namespace vorn::windowsnames {

/// Whether opening `name` would reach a device or a pipe rather than a file on a disk: a DOS
/// device name in any folder, with any extension or colon after it ("nul.txt", "COM1:"), the
/// device namespace ("\\.\", "\\?\" other than a drive or UNC path) in any mix of slashes,
/// or a pipe on any host.
bool namesDeviceOrPipe(std::wstring_view name);

/// Whether `name` is too long to open other than in the "\\?\" form.
bool needsLongForm(std::wstring_view name);

/// The "\\?\" form of a full path: "C:\a" gives "\\?\C:\a", "\\host\share\a" gives
/// "\\?\UNC\host\share\a".
std::wstring longForm(std::wstring_view fullPath);

} // namespace vorn::windowsnames
