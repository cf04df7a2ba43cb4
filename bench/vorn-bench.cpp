// Times the editor's file work and its Open ROM and Save ROM commands, each beside the
// least a program could do for the same result, in the same process and on the same
// files, then prints how far apart they are and which system calls the commands make.
//   vorn-bench [Google Benchmark options, e.g. --benchmark_repetitions=5]
// The table is always the console one, coloured on a terminal: the summary needs it.
#include "benchsupport.h"
#include "imagefiles.h"
#include "scripteddialogs.h"

#include "model/charcodes.h"
#include "model/region.h"
#include "model/tablelayout.h"
#include "rom/failure.h"
#include "rom/passwordtable.h"
#include "rom/romfile.h"
#include "rom/sampleimage.h"
#include "ui/tform1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using namespace vorn;
using namespace vorn::bench;

namespace {

const QString Success = QStringLiteral("Operation successful!");

// A folder holding the images, on one file system: fsync costs what that file system makes it.
struct Place
{
    std::string tag;    // ends the names of the benchmarks that run there
    QString folder;     // as the summary shows it
    std::unique_ptr<ImageFiles> files;
    QStringList images; // two (U) images whose passwords differ, so each open changes the fields
    QString saveImage;  // written over again and again by the file layer and pwrite
    QString windowImage; // written over again and again through the window
};

std::optional<Place> makePlace(const std::string &tag, const QString &parent)
{
    if (!QFileInfo(parent).isDir())
        return std::nullopt;
    Place place;
    place.tag = tag;
    place.folder = parent;
    place.files = std::make_unique<ImageFiles>(parent);
    if (!place.files->isValid())
        return std::nullopt;
    place.images = {place.files->path(QStringLiteral("first.rom")),
                    place.files->path(QStringLiteral("second.rom"))};
    place.saveImage = place.files->path(QStringLiteral("save.rom"));
    place.windowImage = place.files->path(QStringLiteral("window.rom"));
    if (!ImageFiles::store(place.images[0], sampleImage(Region::U, 1))
        || !ImageFiles::store(place.images[1], sampleImage(Region::U, 2))
        || !ImageFiles::store(place.saveImage, sampleImage(Region::U, 3))
        || !ImageFiles::store(place.windowImage, sampleImage(Region::U, 4)))
        return std::nullopt;
    return place;
}

QByteArray nativeName(const QString &path)
{
    return QFile::encodeName(path);
}

std::array<QString, SlotCount> passwords(std::uint32_t seed)
{
    const QStringList list = samplePasswords(seed);
    std::array<QString, SlotCount> texts;
    for (int slot = 0; slot < SlotCount; ++slot)
        texts[slot] = list.at(slot);
    return texts;
}

// ---- a) reading the table ----

// Without `decode`, the same calls without turning bytes into texts: what the file layer
// alone adds.
void romFileTableRead(benchmark::State &state, const QString &path, bool decode)
{
    try {
        for (auto _ : state) {
            RomFile rom;
            rom.bind(path);
            rom.open();
            rom.seek(tableOffset(Region::U));
            bool whole = false;
            if (decode) {
                TableRead table = readPasswordTable(rom);
                whole = table.slotsRead == SlotsRead;
                benchmark::DoNotOptimize(table);
            } else {
                std::array<std::uint8_t, TableBytesRead> bytes;
                std::optional<IoFailure> failure;
                whole = rom.read(bytes, failure) == bytes.size();
                benchmark::DoNotOptimize(bytes);
            }
            if (!whole) {
                state.SkipWithError("the table was not read whole");
                break;
            }
        }
    } catch (const std::exception &failure) {
        state.SkipWithError(failure.what());
    }
}

// Turning 68 stored bytes into 17 slot texts, without any file.
void decodeTable(benchmark::State &state)
{
    const QByteArray image = sampleImage(Region::U, 1);
    std::array<std::uint8_t, TableBytesRead> bytes;
    for (int i = 0; i < TableBytesRead; ++i)
        bytes[i] = static_cast<std::uint8_t>(image[static_cast<qsizetype>(tableOffset(Region::U)) + i]);
    for (auto _ : state) {
        for (int slot = 0; slot < SlotsRead; ++slot) {
            QString text = slotTextFromBytes(std::span(bytes).subspan(slot * SlotLength, SlotLength));
            benchmark::DoNotOptimize(text);
        }
    }
}

void barePreadTableRead(benchmark::State &state, const QString &path)
{
    const QByteArray name = nativeName(path);
    for (auto _ : state) {
        std::array<std::uint8_t, TableBytesRead> bytes;
        const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        const ssize_t got = fd < 0 ? -1 : ::pread(fd, bytes.data(), bytes.size(), tableOffset(Region::U));
        if (fd >= 0)
            ::close(fd);
        if (got != TableBytesRead) {
            state.SkipWithError("open or pread failed");
            break;
        }
        benchmark::DoNotOptimize(bytes);
    }
}

// ---- b) the file work of a save ----

void romFileSaveIo(benchmark::State &state, const QString &path, Region region)
{
    const std::array<QString, SlotCount> texts = passwords(7);
    try {
        RomFile rom;
        rom.bind(path);
        rom.open();
        for (auto _ : state) {
            rom.seek(tableOffset(region));
            const std::vector<std::uint8_t> bytes = encodePasswords(texts, region);
            requireRoomForTable(rom, region);
            rom.write(bytes);
            rom.flush();
        }
    } catch (const std::exception &failure) {
        state.SkipWithError(failure.what());
    }
}

// The same file work with the bytes converted beforehand: what the file layer alone adds.
void romFileSaveBytes(benchmark::State &state, const QString &path, Region region)
{
    try {
        const std::vector<std::uint8_t> bytes = encodePasswords(passwords(7), region);
        RomFile rom;
        rom.bind(path);
        rom.open();
        for (auto _ : state) {
            rom.seek(tableOffset(region));
            requireRoomForTable(rom, region);
            rom.write(bytes);
            rom.flush();
        }
    } catch (const std::exception &failure) {
        state.SkipWithError(failure.what());
    }
}

// Converting the texts alone, without any file.
void encodeTable(benchmark::State &state, Region region)
{
    const std::array<QString, SlotCount> texts = passwords(7);
    try {
        for (auto _ : state) {
            std::vector<std::uint8_t> bytes = encodePasswords(texts, region);
            benchmark::DoNotOptimize(bytes);
        }
    } catch (const std::exception &failure) {
        state.SkipWithError(failure.what());
    }
}

void barePwriteFsync(benchmark::State &state, const QString &path, Region region)
{
    const std::vector<std::uint8_t> bytes = encodePasswords(passwords(7), region);
    const int fd = ::open(nativeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        state.SkipWithError("open failed");
        return;
    }
    for (auto _ : state) {
        if (::pwrite(fd, bytes.data(), bytes.size(), tableOffset(region)) != static_cast<ssize_t>(bytes.size())
            || ::fsync(fd) != 0) {
            state.SkipWithError("pwrite or fsync failed");
            break;
        }
    }
    ::close(fd);
}

// ---- c) the commands through the window ----

// Each handled event of a command may schedule repaints; `paint` also runs them.
void settle(bool paint)
{
    if (paint)
        QCoreApplication::processEvents();
}

void windowOpen(benchmark::State &state, const QStringList &images, bool paint)
{
    ScriptedDialogs dialogs;
    TForm1 form(dialogs);
    form.show();
    QCoreApplication::processEvents();
    qsizetype next = 0;
    try {
        for (auto _ : state) {
            dialogs.answer(images[next]);
            next ^= 1;
            form.Button1Click();
            settle(paint);
        }
    } catch (const std::exception &failure) {
        state.SkipWithError(failure.what());
        return;
    }
    if (!dialogs.errors.isEmpty() || !dialogs.messages.isEmpty())
        state.SkipWithError("Open ROM showed a box");
}

void windowSave(benchmark::State &state, const QString &image, bool paint)
{
    NoSyncFileAccess sys;
    ScriptedDialogs dialogs;
    TForm1 form(dialogs, sys);
    form.show();
    dialogs.answer(image);
    try {
        form.Button1Click();
        QCoreApplication::processEvents();
        for (auto _ : state) {
            form.Button2Click();
            settle(paint);
        }
    } catch (const std::exception &failure) {
        state.SkipWithError(failure.what());
        return;
    }
    if (!dialogs.errors.isEmpty() || dialogs.messages.count(Success) != dialogs.messages.size()
        || dialogs.messages.size() != static_cast<qsizetype>(state.iterations()))
        state.SkipWithError("Save ROM did not report success every time");
}

// The least a window needs for the same result: 17 fields, the bytes read with one
// pread, and each slot's four bytes shown as they are.
class BareFields : public QWidget
{
public:
    BareFields()
    {
        for (int slot = 0; slot < SlotCount; ++slot) {
            m_fields[slot] = new QLineEdit(this);
            m_fields[slot]->setGeometry(10 + (slot / 9) * 200, 10 + (slot % 9) * 26, 60, 22);
        }
        resize(400, 250);
        show();
        QCoreApplication::processEvents();
    }

    bool load(const QByteArray &name)
    {
        std::array<char, TableBytesRead> bytes;
        const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        const ssize_t got = fd < 0 ? -1 : ::pread(fd, bytes.data(), bytes.size(), tableOffset(Region::U));
        if (fd >= 0)
            ::close(fd);
        if (got != TableBytesRead)
            return false;
        for (int slot = 0; slot < SlotCount; ++slot)
            m_fields[slot]->setText(QString::fromLatin1(bytes.data() + slot * SlotLength, SlotLength));
        return true;
    }

    bool save(const QByteArray &name, const std::vector<std::uint8_t> &bytes)
    {
        const int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
        const ssize_t put = fd < 0 ? -1 : ::pwrite(fd, bytes.data(), bytes.size(), tableOffset(Region::U));
        if (fd >= 0)
            ::close(fd);
        return put == static_cast<ssize_t>(bytes.size()) && load(name);
    }

private:
    std::array<QLineEdit *, SlotCount> m_fields{};
};

void bareOpen(benchmark::State &state, const QStringList &images, bool paint)
{
    const std::array<QByteArray, 2> names{nativeName(images[0]), nativeName(images[1])};
    BareFields window;
    std::size_t next = 0;
    for (auto _ : state) {
        if (!window.load(names[next])) {
            state.SkipWithError("open or pread failed");
            break;
        }
        next ^= 1;
        settle(paint);
    }
}

void bareSave(benchmark::State &state, const QString &image, bool paint)
{
    const QByteArray name = nativeName(image);
    BareFields window;
    std::vector<std::uint8_t> bytes;
    try {
        bytes = encodePasswords(passwords(4), Region::U);
    } catch (const std::exception &failure) {
        state.SkipWithError(failure.what());
        return;
    }
    for (auto _ : state) {
        if (!window.save(name, bytes)) {
            state.SkipWithError("the bare save failed");
            break;
        }
        settle(paint);
    }
}

// ---- d) the system calls of a load and a save ----

struct CallCounts
{
    std::string firstLoad, load, save, failure;
    bool loadReadsOnce = false;
    bool saveWritesAndFlushesOnce = false;
};

CallCounts countCalls(const QStringList &images)
{
    CallCounts counts;
    FaultyFileAccess sys;
    ScriptedDialogs dialogs;
    dialogs.answer(images[0]);
    dialogs.answer(images[1]);
    TForm1 form(dialogs, sys);
    try {
        sys.clear();
        form.Button1Click();
        counts.firstLoad = callSummary(sys);
        sys.clear();
        form.Button1Click();
        counts.load = callSummary(sys);
        counts.loadReadsOnce = sys.calls(FaultyFileAccess::Read) == 1 && sys.bytesRead() == TableBytesRead;
        sys.clear();
        form.Button2Click();
        counts.save = callSummary(sys);
        counts.saveWritesAndFlushesOnce = sys.calls(FaultyFileAccess::Write) == 1
            && sys.calls(FaultyFileAccess::Flush) == 1 && sys.bytesWritten() == bytesWritten(Region::U);
    } catch (const std::exception &failure) {
        counts.failure = failure.what();
    }
    if (!dialogs.errors.isEmpty())
        counts.failure = dialogs.errors.join(QLatin1Char(' ')).toStdString();
    return counts;
}

// ---- registration and summary ----

template<typename Function, typename... Args>
void add(const std::string &name, Function function, Args... args)
{
    benchmark::RegisterBenchmark(name.c_str(), function, args...)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
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

void printRatio(const SummaryReporter &reporter, const std::string &label, const std::string &measured,
                const std::string &baseline, std::optional<double> goal)
{
    const std::optional<double> a = reporter.seconds(measured);
    const std::optional<double> b = reporter.seconds(baseline);
    if (!a || !b || *b <= 0) {
        std::printf("ratio %s: not measured\n", label.c_str());
        return;
    }
    const double ratio = *a / *b;
    std::printf("ratio %s: %.2f (%s / %s)", label.c_str(), ratio, duration(*a).c_str(), duration(*b).c_str());
    if (goal)
        std::printf(" (goal <= %.2f: %s)", *goal, ratio <= *goal ? "met" : "MISSED");
    else
        std::printf(" (no goal)");
    std::printf("\n");
}

// One part of a measurement above it, against that measurement's baseline when given.
void printPart(const SummaryReporter &reporter, const std::string &label, const std::string &measured,
               const std::optional<std::string> &baseline)
{
    const std::optional<double> a = reporter.seconds(measured);
    const std::optional<double> b = baseline ? reporter.seconds(*baseline) : std::nullopt;
    if (!a)
        std::printf("  part: %s: not measured\n", label.c_str());
    else if (b && *b > 0)
        std::printf("  part: %s: %s (%.2f x the baseline)\n", label.c_str(), duration(*a).c_str(), *a / *b);
    else
        std::printf("  part: %s: %s\n", label.c_str(), duration(*a).c_str());
}

void printLimit(const SummaryReporter &reporter, const std::string &label, const std::string &measured,
                double limit)
{
    const std::optional<double> a = reporter.seconds(measured);
    if (!a) {
        std::printf("%s: not measured\n", label.c_str());
        return;
    }
    std::printf("%s: %s (goal < %s: %s)\n", label.c_str(), duration(*a).c_str(), duration(limit).c_str(),
                *a < limit ? "met" : "MISSED");
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

    std::vector<Place> places;
    if (std::optional<Place> place = makePlace("tmp", QDir::tempPath()))
        places.push_back(std::move(*place));
    if (std::optional<Place> place = makePlace("shm", QStringLiteral("/dev/shm")))
        places.push_back(std::move(*place));
    if (places.empty()) {
        std::fprintf(stderr, "vorn-bench: cannot write sample images under %s\n", qPrintable(QDir::tempPath()));
        return 1;
    }

    for (const Place &place : places) {
        const std::string at = "/" + place.tag;
        add("table-read/romfile" + at, romFileTableRead, place.images[0], true);
        add("table-read/bare-pread" + at, barePreadTableRead, place.images[0]);
        add("table-read/romfile-bytes-only" + at, romFileTableRead, place.images[0], false);
    }
    add("table-read/decode-only", decodeTable);
    for (const Place &place : places) {
        const std::string at = "/" + place.tag;
        for (Region region : {Region::U, Region::J}) {
            const std::string r = regionTag(region);
            add("save-io/romfile-" + r + at, romFileSaveIo, place.saveImage, region);
            add("save-io/bare-pwrite-fsync-" + r + at, barePwriteFsync, place.saveImage, region);
            add("save-io/romfile-bytes-only-" + r + at, romFileSaveBytes, place.saveImage, region);
        }
    }
    for (Region region : {Region::U, Region::J})
        add(std::string("save-io/encode-only-") + regionTag(region), encodeTable, region);
    const Place &home = places.front();
    for (bool paint : {false, true}) {
        const std::string suffix = paint ? "+paint" : "";
        add("window/open-rom" + suffix, windowOpen, home.images, paint);
        add("window/bare-open" + suffix, bareOpen, home.images, paint);
    }
    for (bool paint : {false, true}) {
        const std::string suffix = paint ? "+paint" : "";
        add("window/save-rom-nosync" + suffix, windowSave, home.windowImage, paint);
        add("window/bare-save-nosync" + suffix, bareSave, home.windowImage, paint);
    }

    if (listing) {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    }
    const CallCounts counts = countCalls(home.images);

    SummaryReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color
                                                   : benchmark::ConsoleReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n== summary: median wall-clock time per iteration, each against its baseline ==\n");
    for (const Place &place : places) {
        const std::string at = "/" + place.tag;
        const std::string where = " on " + place.folder.toStdString();
        printRatio(reporter, "table-read/bare-pread" + where, "table-read/romfile" + at,
                   "table-read/bare-pread" + at, 1.5);
        printPart(reporter, "the file layer alone, without decoding" + where, "table-read/romfile-bytes-only" + at,
                  "table-read/bare-pread" + at);
    }
    printPart(reporter, "decoding 68 bytes into 17 texts, without a file", "table-read/decode-only", std::nullopt);
    for (const Place &place : places) {
        const std::string at = "/" + place.tag;
        const std::string where = " on " + place.folder.toStdString();
        for (Region region : {Region::U, Region::J}) {
            const std::string r = regionTag(region);
            printRatio(reporter,
                       "save-io/bare-pwrite-fsync (" + r + ", " + std::to_string(bytesWritten(region))
                           + " bytes)" + where,
                       "save-io/romfile-" + r + at, "save-io/bare-pwrite-fsync-" + r + at, 1.2);
            printPart(reporter, "the file layer alone, without converting (" + r + ")" + where,
                      "save-io/romfile-bytes-only-" + r + at, "save-io/bare-pwrite-fsync-" + r + at);
        }
    }
    for (Region region : {Region::U, Region::J})
        printPart(reporter, std::string("converting the texts (") + regionTag(region) + "), without a file",
                  std::string("save-io/encode-only-") + regionTag(region), std::nullopt);
    std::printf("Through the offscreen window, on %s; Save's fsync is replaced by a no-op that "
                "returns 0, so the flush is left out:\n",
                qPrintable(home.folder));
    for (const char *paint : {"", "+paint"}) {
        const std::string p = paint;
        printLimit(reporter, "open-rom" + p, "window/open-rom" + p, 1e-3);
        printLimit(reporter, "save-rom" + p, "window/save-rom-nosync" + p, 1e-3);
        printRatio(reporter, "open-rom/bare-open" + p, "window/open-rom" + p, "window/bare-open" + p, std::nullopt);
        printRatio(reporter, "save-rom/bare-save" + p, "window/save-rom-nosync" + p, "window/bare-save-nosync" + p,
                   std::nullopt);
    }
    std::printf("(\"+paint\" also runs the repaints the command schedules.)\n");

    std::printf("\n== system calls on the image (Open ROM, then Save ROM, region U) ==\n");
    if (!counts.failure.empty()) {
        std::printf("could not count: %s\n", counts.failure.c_str());
    } else {
        std::printf("first load: %s\n", counts.firstLoad.c_str());
        std::printf("load:       %s   (opening again closes the image opened before)\n", counts.load.c_str());
        std::printf("save:       %s   (reads the table back to check it)\n", counts.save.c_str());
        std::printf("a load reads the table in one read: %s\n", counts.loadReadsOnce ? "yes" : "NO");
        std::printf("a save writes the table in one write and flushes once: %s\n",
                    counts.saveWritesAndFlushesOnce ? "yes" : "NO");
    }

    const std::vector<std::string> failed = reporter.failed();
    for (const std::string &name : failed)
        std::fprintf(stderr, "vorn-bench: %s failed\n", name.c_str());
    const bool countsHold = counts.failure.empty() && counts.loadReadsOnce && counts.saveWritesAndFlushesOnce;
    return failed.empty() && countsHold ? 0 : 1;
}
