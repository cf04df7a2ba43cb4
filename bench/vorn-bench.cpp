// Times the editor's file work beside the least a program could do for the same bytes, in
// the same process and on the same files, and its Open ROM and Save ROM commands through
// the window, then prints the ratios and goals and which system calls the commands make.
//   vorn-bench [Google Benchmark options, e.g. --benchmark_repetitions=5]
// The table is always the console one, as the summary takes its times from it.
// Exits non-zero when a benchmark fails or a load or save makes more calls than it should.
#include "benchsupport.h"
#include "imagefiles.h"
#include "scripteddialogs.h"

#include "model/region.h"
#include "model/tablelayout.h"
#include "rom/passwordtable.h"
#include "rom/romfile.h"
#include "model/sampleimage.h"
#include "ui/tform1.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using namespace vorn;
using namespace vorn::bench;

namespace {

void require(bool holds, const char *what)
{
    if (!holds)
        throw std::runtime_error(what);
}

// The image as the game lays it out, independent of the editor's layout: a read or write
// at the wrong offset must fail its benchmark, not be timed.
QStringList gameTexts(const QString &path, int count)
{
    return ImageFiles::texts(ImageFiles::read(path), Region::U).mid(0, count);
}

std::vector<std::uint8_t> encoded(const QStringList &texts)
{
    return encodePasswords(std::span(texts.constData(), texts.size()), Region::U);
}

void romFileRead(benchmark::State &state, const QString &path)
{
    TableRead table;
    for (auto _ : state) {
        RomFile rom;
        rom.bind(path);
        rom.open();
        rom.seek(tableOffset(Region::U));
        table = readPasswordTable(rom);
        benchmark::DoNotOptimize(table);
    }
    const QStringList texts(table.texts.begin(), table.texts.begin() + table.slotsRead);
    require(texts == gameTexts(path, SlotCount), "the table read is not the image's");
}

void barePread(benchmark::State &state, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    for (auto _ : state) {
        std::array<std::uint8_t, TableBytesRead> bytes;
        const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        const ssize_t got = fd < 0 ? -1 : ::pread(fd, bytes.data(), bytes.size(), tableOffset(Region::U));
        if (fd >= 0)
            ::close(fd);
        require(got == TableBytesRead, "open or pread failed");
        benchmark::DoNotOptimize(bytes);
    }
}

// The steps of Save ROM between its checks of the fields and its read-back, on an image
// kept open as the window keeps it.
void romFileSave(benchmark::State &state, const QString &path)
{
    const QStringList texts = samplePasswords(7);
    RomFile rom;
    rom.bind(path);
    rom.open();
    for (auto _ : state) {
        rom.seek(tableOffset(Region::U));
        const std::vector<std::uint8_t> bytes = encoded(texts);
        requireRoomForTable(rom, Region::U);
        rom.write(bytes);
        rom.flush();
    }
    const int written = slotsWritten(Region::U);
    require(gameTexts(path, written) == texts.mid(0, written), "the table written is not where the game reads it");
}

void barePwriteFsync(benchmark::State &state, const QString &path)
{
    const std::vector<std::uint8_t> bytes = encoded(samplePasswords(7));
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    require(fd >= 0, "open failed");
    bool written = true;
    for (auto _ : state) {
        written = ::pwrite(fd, bytes.data(), bytes.size(), tableOffset(Region::U)) == ssize_t(bytes.size())
            && ::fsync(fd) == 0;
        if (!written)
            break;
    }
    ::close(fd);
    require(written, "pwrite or fsync failed");
}

// A whole command of the window, repaints aside, after opening images[0]: Open ROM
// alternates the images so that every field changes; Save ROM writes images[0] over, its
// flush a no-op (romFileSave times that). Every box but Save's success fails it.
void windowCommand(benchmark::State &state, const QStringList &images, bool save)
{
    NoSyncFileAccess sys;
    ScriptedDialogs dialogs;
    TForm1 form(dialogs, sys);
    form.show();
    dialogs.answer(images[0]);
    form.Button1Click();
    QCoreApplication::processEvents();
    qsizetype next = 0;
    for (auto _ : state) {
        if (save) {
            form.Button2Click();
        } else {
            next = (next + 1) % images.size();
            dialogs.answer(images[next]);
            form.Button1Click();
        }
    }
    const QStringList successes(save ? qsizetype(state.iterations()) : 0, QStringLiteral("Operation successful!"));
    require(dialogs.messages == successes, "the command showed an unexpected box");
}

// Opens images[1] after images[0], so that the load counted also closes an image, then
// saves it; true when the load read the table in one read and the save wrote it in one
// write and flushed once.
bool printCallCounts(const QStringList &images)
{
    std::printf("\n== system calls on the image (Open ROM, then Save ROM, region U) ==\n");
    FaultyFileAccess sys;
    ScriptedDialogs dialogs;
    TForm1 form(dialogs, sys);
    dialogs.answer(images[0]);
    dialogs.answer(images[1]);
    bool readOnce = false;
    bool writtenOnce = false;
    try {
        form.Button1Click();
        sys.clear();
        form.Button1Click();
        std::printf("load: %s   (opening again closes the image opened before)\n", callSummary(sys).c_str());
        readOnce = sys.calls(FaultyFileAccess::Read) == 1 && sys.bytesRead() == TableBytesRead;
        sys.clear();
        form.Button2Click();
        std::printf("save: %s   (reads the table back to check it)\n", callSummary(sys).c_str());
        writtenOnce = sys.calls(FaultyFileAccess::Write) == 1 && sys.calls(FaultyFileAccess::Flush) == 1
            && sys.bytesWritten() == bytesWritten(Region::U);
    } catch (const std::exception &failure) {
        std::printf("could not count: %s\n", failure.what());
        return false;
    }
    std::printf("a load reads the table in one read: %s\n", readOnce ? "yes" : "NO");
    std::printf("a save writes the table in one write and flushes once: %s\n", writtenOnce ? "yes" : "NO");
    return readOnce && writtenOnce;
}

// Registers a benchmark timed in microseconds of wall-clock time; whatever it throws fails
// it, and with it the program. Returns the name the summary asks for.
template<typename Function, typename... Args>
std::string add(const char *name, Function function, Args... args)
{
    benchmark::RegisterBenchmark(name, [=](benchmark::State &state) {
        try {
            function(state, args...);
        } catch (const std::exception &failure) {
            state.SkipWithError(failure.what());
        }
    })->Unit(benchmark::kMicrosecond)->UseRealTime();
    return name;
}

std::string duration(double seconds)
{
    char text[32];
    if (seconds >= 1e-3)
        std::snprintf(text, sizeof text, "%.3f ms", seconds * 1e3);
    else
        std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
    return text;
}

// With a baseline, the goal is the largest ratio to it; without, the time to stay under.
void printFigure(const SummaryReporter &reporter, const char *label, const std::string &measured,
                 const std::string &baseline, double goal)
{
    const std::optional<double> a = reporter.seconds(measured);
    const std::optional<double> b = baseline.empty() ? std::nullopt : reporter.seconds(baseline);
    if (!a || (!baseline.empty() && !b)) {
        std::printf("%s: not measured\n", label);
    } else if (baseline.empty()) {
        std::printf("%s: %s (goal < %s: %s)\n", label, duration(*a).c_str(), duration(goal).c_str(),
                    *a < goal ? "met" : "MISSED");
    } else {
        const double ratio = *a / *b;
        std::printf("%s: %.2f (%s / %s) (goal <= %.2f: %s)\n", label, ratio, duration(*a).c_str(),
                    duration(*b).c_str(), goal, ratio <= goal ? "met" : "MISSED");
    }
}

} // namespace

int main(int argc, char **argv)
{
    // Benchmarks need no screen; a platform chosen by the caller is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    bool listing = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.starts_with("--benchmark_list_tests"))
            listing = arg != "--benchmark_list_tests=false" && arg != "--benchmark_list_tests=0";
    }
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);

    // Where users' files are, not on a memory file system: fsync costs there what it costs them.
    const ImageFiles files(QDir::tempPath());
    // Two images whose passwords differ, then the one saves write over.
    const QStringList opened{files.write(QStringLiteral("first.rom"), sampleImage(Region::U, 1)),
                             files.write(QStringLiteral("second.rom"), sampleImage(Region::U, 2))};
    const QString saved = files.write(QStringLiteral("save.rom"), sampleImage(Region::U, 3));

    const std::string read = add("table-read/romfile", romFileRead, opened[0]);
    const std::string bareRead = add("table-read/bare-pread", barePread, opened[0]);
    const std::string save = add("save-io/romfile-U", romFileSave, saved);
    const std::string bareSave = add("save-io/bare-pwrite-fsync-U", barePwriteFsync, saved);
    const std::string openRom = add("window/open-rom", windowCommand, opened, false);
    const std::string saveRom = add("window/save-rom-nosync", windowCommand, QStringList{saved}, true);
    if (listing) {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    }

    SummaryReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color
                                                   : benchmark::ConsoleReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n== summary: median wall-clock time per iteration on %s ==\n", qPrintable(QDir::tempPath()));
    printFigure(reporter, "read a table (open, seek, 68 bytes, 17 texts) / bare open + pread", read, bareRead, 1.5);
    printFigure(reporter, "file work of a save (convert, seek, write, flush), (U) / bare pwrite + fsync", save,
                bareSave, 1.2);
    printFigure(reporter, "whole Open ROM through the window", openRom, {}, 1e-3);
    printFigure(reporter, "whole Save ROM through the window, flush aside", saveRom, {}, 1e-3);
    const bool countsHold = printCallCounts(opened);

    const std::vector<std::string> failed = reporter.failed();
    for (const std::string &name : failed)
        std::fprintf(stderr, "vorn-bench: %s failed\n", name.c_str());
    return failed.empty() && countsHold ? 0 : 1;
}
