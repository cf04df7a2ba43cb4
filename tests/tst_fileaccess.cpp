// What the image file layer promises, as one table of scenarios for every backend: it runs
// natively against the POSIX calls and, built for Windows, against the Win32 calls under
// Wine. Only the rows about things one system alone has (FIFOs, DOS device names, sharing
// modes) and the error-number mapping differ.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest.h>

#include "rom/fileaccess.h"
#include "rom/windowsnames.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/inotify.h>
#endif

namespace fs = std::filesystem;
using vorn::FileAccess;
using vorn::FileError;

namespace doctest {
template<> struct StringMaker<FileError>
{
    static String convert(const FileError &e)
    {
        return (std::string(e.system ? "system error " : "code ") + std::to_string(e.code)).c_str();
    }
};
} // namespace doctest

namespace {

const FileError Ok{};
const FileError NotFound{FileError::FileNotFound};
const FileError NoPath{FileError::PathNotFound};
const FileError Denied{FileError::AccessDenied};
// Any number of the system's own: Windows and Wine tell of a missing server differently.
const FileError SystemsOwn = FileError::systemError(-1);
#ifdef _WIN32
const int BadHandle = ERROR_INVALID_HANDLE;
#else
const int BadHandle = EBADF;
#endif

std::string utf8(const fs::path &path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// The test's own file work goes through this: Windows takes names longer than MAX_PATH
// only in their "\\?\" form, which the layer under test must not need.
fs::path whole(const fs::path &path)
{
#ifdef _WIN32
    if (path.wstring().starts_with(L"\\\\?\\"))
        return path;
    return L"\\\\?\\" + fs::absolute(path).wstring();
#else
    return path;
#endif
}

std::string contents(const fs::path &path)
{
    std::ifstream in(whole(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void store(const fs::path &path, const std::string &bytes)
{
    std::ofstream(whole(path), std::ios::binary | std::ios::trunc) << bytes;
}

std::string filler(std::size_t size)
{
    std::minstd_rand random(static_cast<unsigned>(size));
    std::string bytes(size, '\0');
    for (char &byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

// A fresh folder for one scenario, removed afterwards.
struct Folder
{
    fs::path path;

    Folder()
    {
        std::random_device seed;
        path = fs::temp_directory_path() / ("vorn-fileaccess-" + std::to_string(seed()));
        fs::create_directories(path);
    }
    ~Folder() { removeAll(whole(path)); }

    // The folder's entries, with the contents of its plain files: whatever a step
    // created or changed shows here.
    std::map<fs::path, std::string> snapshot() const
    {
        std::map<fs::path, std::string> entries;
        for (const auto &entry : fs::directory_iterator(path))
            entries[entry.path()] = entry.is_regular_file() ? contents(entry.path()) : "<not a file>";
        return entries;
    }

private:
    static void removeAll(const fs::path &folder)
    {
#ifdef _WIN32
        // libstdc++ gets names longer than MAX_PATH wrong; the system's own calls do not.
        WIN32_FIND_DATAW entry;
        const HANDLE find = FindFirstFileW((folder / L"*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = entry.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    removeAll(folder / name);
                else
                    DeleteFileW((folder / name).c_str());
            } while (FindNextFileW(find, &entry));
            FindClose(find);
        }
        RemoveDirectoryW(folder.c_str());
#else
        std::error_code ignored;
        fs::remove_all(folder, ignored);
#endif
    }
};

#ifdef _WIN32
// GetProcessHandleCount answers 0 under Wine whatever is open, so the file itself is asked:
// while this process still holds it, it can be neither opened without sharing nor deleted.
long openDescriptors()
{
    return 0;
}

void checkReleased(const fs::path &file, long)
{
    const HANDLE alone = CreateFileW(whole(file).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
    CHECK(alone != INVALID_HANDLE_VALUE);
    if (alone != INVALID_HANDLE_VALUE)
        CloseHandle(alone);
    CHECK(DeleteFileW(whole(file).c_str()));
}
#else
// /dev/fd lists this process's descriptors on Linux and macOS alike.
long openDescriptors()
{
    const auto fds = fs::directory_iterator("/dev/fd");
    const long count = static_cast<long>(std::distance(fds, fs::directory_iterator()));
    REQUIRE(count >= 3); // a count that saw nothing would prove nothing
    return count;
}

void checkReleased(const fs::path &, long descriptorsBefore)
{
    CHECK(openDescriptors() == descriptorsBefore);
}
#endif

// An open file for one scenario, closed afterwards.
struct Open
{
    FileAccess &api;
    FileAccess::Handle handle;

    Open(FileAccess &files, const fs::path &path)
        : api(files)
    {
        FileError error;
        handle = api.open(utf8(path), error);
        REQUIRE(error == Ok);
        REQUIRE(handle != FileAccess::NoHandle);
    }
    ~Open() { api.close(handle); }

    std::string read(std::size_t count)
    {
        std::string bytes(count, '\0');
        std::size_t done = 0;
        CHECK(api.read(handle, bytes.data(), count, done) == Ok);
        bytes.resize(done);
        return bytes;
    }
    void write(const std::string &bytes)
    {
        std::size_t done = 0;
        CHECK(api.write(handle, bytes.data(), bytes.size(), done) == Ok);
        CHECK(done == bytes.size());
    }
    void seek(std::int64_t offset) { CHECK(api.seek(handle, offset) == Ok); }
    std::int64_t size()
    {
        std::int64_t bytes = -1;
        CHECK(api.size(handle, bytes) == Ok);
        return bytes;
    }
};

struct OpenRow
{
    std::string what; // a string, so that a failure names its row
    std::function<fs::path(const Folder &)> name; // makes what the row needs; the name to open
    FileError expected;                           // Ok: the file opens
};

std::vector<OpenRow> openRows()
{
    static const auto image = [](const Folder &f, const fs::path &name) {
        store(f.path / name, filler(1000));
        return f.path / name;
    };
    std::vector<OpenRow> rows = {
        {"a missing file in an existing folder", [](const Folder &f) { return f.path / "missing.bin"; }, NotFound},
        {"a missing folder", [](const Folder &f) { return f.path / "nofolder" / "missing.bin"; }, NoPath},
        {"a missing file in the root folder", [](const Folder &) { return fs::path("/vorn-missing.bin"); }, NotFound},
        {"a folder", [](const Folder &f) { fs::create_directory(f.path / "folder"); return f.path / "folder"; }, Denied},
        {"a path through a plain file", [&](const Folder &f) { return image(f, "image.bin") / "inner.bin"; }, NoPath},
        {"an empty file", [](const Folder &f) { store(f.path / "empty.bin", ""); return f.path / "empty.bin"; }, Ok},
        {"a name with spaces and non-ASCII letters",
         [&](const Folder &f) { return image(f, u8"Zéphyra ROM (Ü) Ωmega.nes"); }, Ok},
        {"a name longer than 260 characters", [&](const Folder &f) {
             const fs::path deep = f.path / std::string(120, 'd') / std::string(120, 'e');
             fs::create_directories(whole(deep));
             return image(f, deep / (std::string(60, 'f') + ".nes"));
         }, Ok},
    };
#ifdef _WIN32
    // Devices by their DOS names, in any folder and with any extension, and pipes.
    rows.push_back({"the null device", [](const Folder &) { return fs::path("NUL"); }, Denied});
    rows.push_back({"a console name with an extension, in a folder",
                    [](const Folder &f) { return f.path / "con.nes"; }, Denied});
    rows.push_back({"a serial port", [](const Folder &) { return fs::path(R"(\\.\COM1)"); }, Denied});
    // Windows drops what follows a colon too before it looks for a device name.
    for (const char *name : {"NUL:", "COM1:", "nul:.txt", "aux:.rom"})
        rows.push_back({name, [=](const Folder &) { return fs::path(name); }, Denied});
    // The long forms are plain paths, in any case, where DOS device names mean nothing.
    rows.push_back({"a file named like a device, in the long form",
                    [](const Folder &f) { return whole(image(f, "nul.rom")); }, Ok});
    rows.push_back({"the long form of a network name in lower case reaches the network",
                    [](const Folder &) { return fs::path(R"(\\?\unc\vorn.invalid\share\a.rom)"); }, SystemsOwn});
    // Any mix of slashes reaches the device namespace, also under names no DOS rule knows.
    rows.push_back({"the null device, //?/", [](const Folder &) { return fs::path("//?/NUL"); }, Denied});
    rows.push_back({"a serial port, \\\\?/", [](const Folder &) { return fs::path(R"(\\?/COM1)"); }, Denied});
    rows.push_back({"the null device by its object name, /\\./",
                    [](const Folder &) { return fs::path(R"(/\./GLOBALROOT/Device/Null)"); }, Denied});
#else
    rows.push_back({"a FIFO, without blocking", [](const Folder &f) {
                        REQUIRE(::mkfifo((f.path / "fifo").c_str(), 0600) == 0);
                        return f.path / "fifo";
                    }, Denied});
    rows.push_back({"a device", [](const Folder &) { return fs::path("/dev/null"); }, Denied});
    // Refused after the name was looked at, and to root too: a program that is running.
    rows.push_back({"this test program, running", [](const Folder &) { return fs::read_symlink("/proc/self/exe"); }, Denied});
#endif
    return rows;
}

} // namespace

TEST_CASE("opening: an existing plain file only, never created, nothing left open")
{
    FileAccess &api = FileAccess::system();
    for (const OpenRow &row : openRows()) {
        INFO(row.what);
        Folder folder;
        const fs::path name = row.name(folder);
        const auto before = folder.snapshot();
        const long descriptors = openDescriptors();

        FileError error{FileError::NotOpen};
        const FileAccess::Handle handle = api.open(utf8(name), error);
        CHECK(error == (row.expected == SystemsOwn && error.system ? error : row.expected));
        CHECK((handle != FileAccess::NoHandle) == (row.expected == Ok));
        if (handle != FileAccess::NoHandle)
            api.close(handle);
        CHECK(folder.snapshot() == before);
        if (row.expected == Ok)
            checkReleased(name, descriptors);
        else
            CHECK(openDescriptors() == descriptors);
    }
}

TEST_CASE("steps on an open file")
{
    FileAccess &api = FileAccess::system();
    const std::string image = filler(1000);
    const std::vector<std::pair<const char *, std::function<void(const fs::path &)>>> rows = {
        {"a read stops at the end of the file", [&](const fs::path &path) {
             Open file(api, path);
             file.seek(996);
             CHECK(file.read(8) == image.substr(996));
             CHECK(file.read(8).empty());
             file.seek(0);
             CHECK(file.read(2) == image.substr(0, 2));
         }},
        {"a seek past the end is no error; the read after it finds nothing", [&](const fs::path &path) {
             Open file(api, path);
             file.seek(5000);
             CHECK(file.read(4).empty());
         }},
        {"a write inside the file reads back and never changes its size", [&](const fs::path &path) {
             {
                 Open file(api, path);
                 file.seek(620);
                 file.write("ABCD");
                 CHECK(api.flush(file.handle) == Ok);
                 file.seek(620);
                 CHECK(file.read(4) == "ABCD");
                 CHECK(file.size() == 1000);
             }
             CHECK(contents(path) == image.substr(0, 620) + "ABCD" + image.substr(624));
         }},
        {"the size", [&](const fs::path &path) { CHECK(Open(api, path).size() == 1000); }},
        {"a step the system refuses is reported, not taken for done", [&](const fs::path &path) {
             FileError error;
             const FileAccess::Handle closed = api.open(utf8(path), error);
             api.close(closed);
             CHECK(api.flush(closed) == FileError::systemError(BadHandle));
             char byte = 'x';
             std::size_t read = 9, written = 9;
             CHECK(api.read(closed, &byte, 1, read) == FileError::systemError(BadHandle));
             CHECK(api.write(closed, &byte, 1, written) == FileError::systemError(BadHandle));
             CHECK(read + written == 0);
         }},
        {"two handles read and write the same file at the same time", [&](const fs::path &path) {
             Open first(api, path);
             Open second(api, path);
             first.seek(10);
             first.write("one");
             second.seek(10);
             CHECK(second.read(3) == "one");
             second.seek(20);
             second.write("two");
             first.seek(20);
             CHECK(first.read(3) == "two");
         }},
    };
    for (const auto &row : rows) {
        INFO(row.first);
        Folder folder;
        store(folder.path / "image.bin", image);
        const long descriptors = openDescriptors();
        row.second(folder.path / "image.bin");
        checkReleased(folder.path / "image.bin", descriptors);
    }
}

TEST_CASE("Windows names that reach a device or a pipe, read from the text alone")
{
    const std::vector<std::pair<std::wstring, bool>> rows = {
        {LR"(C:\games\zephyra (U).nes)", false},
        {L"NUL", true},
        {LR"(C:\roms\con.nes)", true},
        {L"console.nes", false},
        {L"COM1:", true},
        {L"LPT3 .txt", true},
        {L"COM\u00B9", true},
        {L"COM10", false},
        {LR"(\\.\COM1)", true},
        {L"//?/pipe/x", true},
        {LR"(\\.)", true},
        {LR"(\\host\PIPE\x)", true},
        {LR"(\\host\pipes\x)", false},
        {LR"(\\?\C:\roms\nul.rom)", false},
        {LR"(\\?\unc\host\share\a.rom)", false},
        {LR"(\??\UNC\host\pipe\x)", true},
        {LR"(\\?\GLOBALROOT\Device\Null)", true},
        {L"//?/GLOBALROOT/Device/Null", true},
        {L"C:nul.rom", true},
    };
    for (const auto &[name, refused] : rows) {
        std::string shown;
        for (wchar_t c : name)
            shown += c < 128 ? static_cast<char>(c) : '?';
        INFO(shown);
        CHECK(vorn::windowsnames::namesDeviceOrPipe(name) == refused);
    }
}

TEST_CASE("the long form of a Windows name")
{
    using namespace vorn::windowsnames;
    CHECK_FALSE(needsLongForm(std::wstring(247, L'a')));
    CHECK(needsLongForm(std::wstring(248, L'a')));
    CHECK_FALSE(needsLongForm(LR"(\\?\)" + std::wstring(300, L'a')));
    CHECK(longForm(LR"(C:\a)") == LR"(\\?\C:\a)");
    CHECK(longForm(LR"(\\host\share\a)") == LR"(\\?\UNC\host\share\a)");
}

#ifdef _WIN32
TEST_CASE("a pipe is never connected to, however its name is spelt")
{
    struct Com9 // meanwhile COM9 leads to the pipe too, so a device name that reached the system shows
    {
        const wchar_t *pipe = LR"(\Device\NamedPipe\vorn-fileaccess-test)";
        Com9() { REQUIRE(DefineDosDeviceW(DDD_RAW_TARGET_PATH, L"COM9", pipe)); }
        ~Com9() { DefineDosDeviceW(DDD_RAW_TARGET_PATH | DDD_REMOVE_DEFINITION, L"COM9", pipe); }
    } com9;
    Folder folder;
    const std::vector<std::string> names = {
        R"(\\.\pipe\vorn-fileaccess-test)", "//?/pipe/vorn-fileaccess-test", R"(\\?/pipe/vorn-fileaccess-test)",
        R"(/\./pipe/vorn-fileaccess-test)", R"(\??\pipe\vorn-fileaccess-test)",
        R"(\\localhost\pipe\vorn-fileaccess-test)", "//localhost/PIPE/vorn-fileaccess-test",
        R"(\\?\unc\localhost\pipe\vorn-fileaccess-test)", "COM9:", "com9:.rom", utf8(folder.path / "COM9:")};
    for (const std::string &name : names) {
        INFO(name);
        const HANDLE server = CreateNamedPipeW(LR"(\\.\pipe\vorn-fileaccess-test)", PIPE_ACCESS_DUPLEX,
                                               PIPE_TYPE_BYTE | PIPE_NOWAIT, 1, 64, 64, 0, nullptr);
        REQUIRE(server != INVALID_HANDLE_VALUE);
        FileError error;
        CHECK(FileAccess::system().open(name, error) == FileAccess::NoHandle);
        CHECK(error == Denied);
        // Still waiting for its first client.
        CHECK_FALSE(ConnectNamedPipe(server, nullptr));
        CHECK(GetLastError() == ERROR_PIPE_LISTENING);
        CloseHandle(server);
    }
}

TEST_CASE("a file another program holds without sharing it")
{
    Folder folder;
    const fs::path path = folder.path / "held.bin";
    store(path, filler(100));
    const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    FileError error;
    CHECK(FileAccess::system().open(utf8(path), error) == FileAccess::NoHandle);
    CHECK(error == FileError::systemError(ERROR_SHARING_VIOLATION));
    CloseHandle(held);
}

TEST_CASE("the system's error numbers")
{
    CHECK(vorn::fileErrorFromSystem(ERROR_FILE_NOT_FOUND) == NotFound);
    CHECK(vorn::fileErrorFromSystem(ERROR_PATH_NOT_FOUND) == NoPath);
    CHECK(vorn::fileErrorFromSystem(ERROR_TOO_MANY_OPEN_FILES) == FileError{FileError::TooManyOpenFiles});
    CHECK(vorn::fileErrorFromSystem(ERROR_ACCESS_DENIED) == Denied);
    CHECK(vorn::fileErrorFromSystem(ERROR_SHARING_VIOLATION) == FileError::systemError(32));
    CHECK(vorn::fileErrorFromSystem(ERROR_DISK_FULL) == FileError::systemError(112));
    // Numbers that happen to equal the file layer's own codes keep "I/O error N".
    CHECK(vorn::fileErrorFromSystem(100) == FileError::systemError(100));
}
#else
TEST_CASE("the system's error numbers")
{
    for (int error : {EACCES, EPERM, EROFS, EISDIR, ETXTBSY})
        CHECK(vorn::fileErrorFromSystem(error) == Denied);
    CHECK(vorn::fileErrorFromSystem(EMFILE) == FileError{FileError::TooManyOpenFiles});
    CHECK(vorn::fileErrorFromSystem(ENFILE) == FileError{FileError::TooManyOpenFiles});
    // EIO is 5 too, but not a refusal: it keeps "I/O error 5".
    CHECK(vorn::fileErrorFromSystem(EIO) == FileError::systemError(EIO));
    CHECK(vorn::fileErrorFromSystem(ENOSPC) == FileError::systemError(ENOSPC));
}

TEST_CASE("a name too long for the system")
{
    Folder folder;
    FileError error;
    CHECK(FileAccess::system().open(utf8(folder.path / std::string(300, 'x')), error) == FileAccess::NoHandle);
    CHECK(error == NoPath);
}
#endif

#ifdef __linux__
TEST_CASE("a FIFO is looked at, never opened")
{
    // Opening a FIFO for writing would release a program waiting to read from it.
    Folder folder;
    const fs::path fifo = folder.path / "fifo";
    REQUIRE(::mkfifo(fifo.c_str(), 0600) == 0);
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    REQUIRE(watch >= 0);
    REQUIRE(::inotify_add_watch(watch, fifo.c_str(), IN_OPEN) >= 0);
    FileError error;
    CHECK(FileAccess::system().open(utf8(fifo), error) == FileAccess::NoHandle);
    CHECK(error == Denied);
    std::array<char, 4096> events{};
    CHECK(::read(watch, events.data(), events.size()) < 0);
    CHECK(errno == EAGAIN);
    ::close(watch);
}
#endif
