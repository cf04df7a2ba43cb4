#include "faultyfileaccess.h"
#include "imagefiles.h"
#include "model/tablelayout.h"
#include "rom/failure.h"
#include "rom/passwordtable.h"
#include "rom/romfile.h"
#include "model/sampleimage.h"

#include <QtTest>

#include <array>
#include <functional>

using namespace vorn;

namespace {

// A refusal, and an error the system reports by its own number.
const FileError Refused{FileError::AccessDenied};
FileError systemError(int number)
{
    return FileError::systemError(number);
}

// What a row makes one call do.
struct Injection
{
    enum How { None, Fail, Nothing, AtMost };
    How how = None;
    int nth = 1;
    FileError error; // Fail: the error
    long bytes = 0;  // AtMost: the most that call transfers
    long chunk = -1; // every call transfers at most this many bytes

    void arm(FaultyFileAccess &sys, FaultyFileAccess::Op op) const
    {
        sys.transferInChunks(chunk);
        switch (how) {
        case None: break;
        case Fail: sys.fail(op, nth, error); break;
        case Nothing: sys.transferNothing(op, nth); break;
        case AtMost: sys.transferAtMost(op, nth, bytes); break;
        }
    }
};

Injection fail(FileError error, int nth = 1, long chunk = -1) { return {Injection::Fail, nth, error, 0, chunk}; }
Injection nothing(int nth = 1, long chunk = -1) { return {Injection::Nothing, nth, {}, 0, chunk}; }
Injection atMost(long bytes) { return {Injection::AtMost, 1, {}, bytes, -1}; }
Injection chunked(long chunk) { return {Injection::None, 1, {}, 0, chunk}; }

const std::array<Region, 2> Regions = {Region::U, Region::J};

} // namespace

Q_DECLARE_METATYPE(vorn::Region)
Q_DECLARE_METATYPE(Injection)
Q_DECLARE_METATYPE(vorn::FileError)

class TestRomFile : public QObject
{
    Q_OBJECT

private slots:
    void messageForCode_data();
    void messageForCode();
    void conversionFailure();
    void openInjected_data();
    void openInjected();
    void stepsNeedAnOpenFile_data();
    void stepsNeedAnOpenFile();
    void bindReleasesEarlierFile();
    void oneByteSteps();
    void readStopsAtEndOfFile_data();
    void readStopsAtEndOfFile();
    void readInjected_data();
    void readInjected();
    void writeInjected_data();
    void writeInjected();
    void otherStepsInjected_data();
    void otherStepsInjected();
    void encodePasswords_data();
    void encodePasswords();
    void encodeRefusesCharacter_data();
    void encodeRefusesCharacter();
    void requireRoomForTable_data();
    void requireRoomForTable();
    void sampleImage_data();
    void sampleImage();

private:
    ImageFiles m_files;
    QString path(const QString &name) const { return m_files.path(name); }
};

void TestRomFile::messageForCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("expected");
    QTest::newRow("2") << 2 << "File not found";
    QTest::newRow("3") << 3 << "Invalid filename";
    QTest::newRow("4") << 4 << "Too many open files";
    QTest::newRow("5") << 5 << "File access denied";
    QTest::newRow("100") << 100 << "Read beyond end of file";
    QTest::newRow("101") << 101 << "Disk full";
    QTest::newRow("106") << 106 << "Invalid numeric input";
    for (int code : {103, 0, 1, 6, 28, 102, 104, 105, 107, 999, -1})
        QTest::addRow("%d has no text of its own", code) << code << QStringLiteral("I/O error %1").arg(code);
}

void TestRomFile::messageForCode()
{
    QFETCH(int, code);
    QFETCH(QString, expected);
    QCOMPARE(vorn::messageForCode(code), expected);
    QCOMPARE(IoFailure(code).message(), expected);
    QCOMPARE(IoFailure(code).code(), code);
}

void TestRomFile::conversionFailure()
{
    const ConversionFailure failure{QString()};
    QCOMPARE(failure.message(), "'' is not a valid integer value");
    QCOMPARE(failure.kind(), Failure::Kind::Conversion);
    QCOMPARE(failure.code(), 0);
    QCOMPARE(QString::fromUtf8(failure.what()), failure.message());
}

void TestRomFile::openInjected_data()
{
    QTest::addColumn<FileError>("error");
    QTest::addColumn<QString>("message");
    QTest::newRow("too many open files") << FileError{FileError::TooManyOpenFiles} << "Too many open files";
    QTest::newRow("refused") << Refused << "File access denied";
    QTest::newRow("a system error 5 is no refusal") << systemError(5) << "I/O error 5";
    QTest::newRow("a sharing violation") << systemError(32) << "I/O error 32";
}

void TestRomFile::openInjected()
{
    QFETCH(FileError, error);
    QFETCH(QString, message);
    const QByteArray image = sampleFiller(1000, 4);
    QVERIFY(ImageFiles::store(path("injected.bin"), image));
    FaultyFileAccess sys;
    sys.fail(FaultyFileAccess::Open, 1, error);
    RomFile file(sys);
    file.bind(path("injected.bin"));
    try {
        file.open();
        QFAIL("open succeeded");
    } catch (const IoFailure &failure) {
        QCOMPARE(failure.message(), message);
        QCOMPARE(failure.code(), error.code);
    }
    QVERIFY(!file.isOpen());
    QCOMPARE(ImageFiles::read(path("injected.bin")), image);
}

void TestRomFile::stepsNeedAnOpenFile_data()
{
    QTest::addColumn<bool>("bound");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("tryOpen");
    QTest::newRow("unbound") << false << QString() << false;
    QTest::newRow("bound, not opened") << true << "image.bin" << false;
    QTest::newRow("after a failed open") << true << "missing.bin" << true;
    QTest::newRow("after a failed open of an empty name") << true << QString() << true;
}

void TestRomFile::stepsNeedAnOpenFile()
{
    QFETCH(bool, bound);
    QFETCH(QString, name);
    QFETCH(bool, tryOpen);
    const QByteArray image = sampleFiller(100, 6);
    QVERIFY(ImageFiles::store(path("image.bin"), image));

    RomFile file;
    if (bound)
        file.bind(name.isEmpty() ? QString() : path(name));
    if (tryOpen)
        QVERIFY_THROWS_EXCEPTION(IoFailure, file.open());
    QVERIFY(!file.isOpen());

    const std::array<std::uint8_t, 4> bytes = {'A', 'B', 'C', 'D'};
    const std::vector<std::pair<const char *, std::function<void()>>> steps = {
        {"seek", [&] { file.seek(0); }},
        {"write", [&] { file.write(bytes); }},
        {"writeByte", [&] { file.writeByte('A'); }},
        {"readByte", [&] { file.readByte(); }},
        {"flush", [&] { file.flush(); }},
        {"size", [&] { file.size(); }},
    };
    for (const auto &[step, run] : steps) {
        try {
            run();
            QFAIL(step);
        } catch (const IoFailure &failure) {
            QCOMPARE(failure.code(), 103);
            QCOMPARE(failure.message(), "I/O error 103");
        }
    }
    std::array<std::uint8_t, 4> out{};
    std::optional<IoFailure> failure;
    QCOMPARE(file.read(out, failure), 0u);
    QVERIFY(failure);
    QCOMPARE(failure->code(), 103);
    QCOMPARE(readPasswordTable(file).slotsRead, 0);
    QCOMPARE(ImageFiles::read(path("image.bin")), image);
}

void TestRomFile::bindReleasesEarlierFile()
{
    QVERIFY(ImageFiles::store(path("a.bin"), "a"));
    QVERIFY(ImageFiles::store(path("b.bin"), "b"));
    FaultyFileAccess sys;
    const auto held = [&sys] { return sys.calls(FaultyFileAccess::Open) - sys.calls(FaultyFileAccess::Close); };
    {
        RomFile file(sys);
        for (int i = 0; i < 1000; ++i) {
            file.bind(path(i % 2 ? "a.bin" : "b.bin"));
            file.open();
        }
        QCOMPARE(held(), 1);
        file.open(); // opening again releases the handle it holds
        QCOMPARE(held(), 1);
        file.bind(path("b.bin")); // a new name alone closes the earlier file
        QVERIFY(!file.isOpen());
        QCOMPARE(held(), 0);
        file.open();
    }
    QCOMPARE(held(), 0);
}

void TestRomFile::oneByteSteps()
{
    QVERIFY(ImageFiles::store(path("byte.bin"), "ab"));
    RomFile file;
    file.bind(path("byte.bin"));
    file.open();
    file.writeByte('Z');
    QCOMPARE(file.readByte(), std::uint8_t('b')); // each step goes on where the last ended
    file.bind(QString());
    QCOMPARE(ImageFiles::read(path("byte.bin")), QByteArray("Zb"));
}

void TestRomFile::readStopsAtEndOfFile_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<int>("size");
    for (Region region : Regions) {
        const int offset = int(tableOffset(region));
        for (int size = offset; size <= offset + TableBytesRead; ++size)
            QTest::addRow("(%s) %d bytes", regionTag(region), size) << region << size;
    }
}

void TestRomFile::readStopsAtEndOfFile()
{
    QFETCH(Region, region);
    QFETCH(int, size);
    const int offset = int(tableOffset(region));
    const int available = std::min(size - offset, TableBytesRead);
    const QByteArray image = vorn::sampleImage(region).left(size);
    QVERIFY(ImageFiles::store(path("short.bin"), image));
    const QStringList passwords = samplePasswords(1);

    RomFile file;
    file.bind(path("short.bin"));
    file.open();
    file.seek(offset);
    std::array<std::uint8_t, TableBytesRead> bytes{};
    std::optional<IoFailure> failure;
    QCOMPARE(file.read(bytes, failure), std::size_t(available));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(bytes.data()), available),
             image.mid(offset, available));
    QCOMPARE(bool(failure), available < TableBytesRead);
    if (failure) {
        QCOMPARE(failure->code(), 100);
        QCOMPARE(failure->message(), "Read beyond end of file");
    }

    file.seek(offset);
    const TableRead table = readPasswordTable(file);
    QCOMPARE(table.slotsRead, available / SlotLength);
    QCOMPARE(bool(table.failure), available < TableBytesRead);
    if (table.failure)
        QCOMPARE(table.failure->code(), 100);
    for (int slot = 0; slot < table.slotsRead; ++slot)
        QCOMPARE(table.texts[slot], passwords[slot]);
    QCOMPARE(ImageFiles::read(path("short.bin")), image);
}

void TestRomFile::readInjected_data()
{
    QTest::addColumn<Injection>("injection");
    QTest::addColumn<int>("arrived");
    QTest::addColumn<QString>("message"); // empty: no failure
    QTest::newRow("a system error on the first read") << fail(systemError(5)) << 0 << "I/O error 5";
    QTest::newRow("refused on the first read") << fail(Refused) << 0 << "File access denied";
    QTest::newRow("a short read is continued") << atMost(10) << 68 << "";
    QTest::newRow("a read taking nothing is the end") << nothing() << 0 << "Read beyond end of file";
    QTest::newRow("one byte per read") << chunked(1) << 68 << "";
    QTest::newRow("3-byte reads, EIO on the 6th") << fail(systemError(5), 6, 3) << 15 << "I/O error 5";
    QTest::newRow("3-byte reads, nothing on the 9th") << nothing(9, 3) << 24 << "Read beyond end of file";
    QTest::newRow("7-byte reads, EIO on the 10th") << fail(systemError(5), 10, 7) << 63 << "I/O error 5";
}

void TestRomFile::readInjected()
{
    QFETCH(Injection, injection);
    QFETCH(int, arrived);
    QFETCH(QString, message);
    const QByteArray image = vorn::sampleImage(Region::U);
    QVERIFY(ImageFiles::store(path("read.bin"), image));
    const QStringList passwords = samplePasswords(1);

    FaultyFileAccess sys;
    RomFile file(sys);
    file.bind(path("read.bin"));
    file.open();
    file.seek(tableOffset(Region::U));
    injection.arm(sys, FaultyFileAccess::Read);
    const TableRead table = readPasswordTable(file);

    QCOMPARE(table.slotsRead, arrived / SlotLength);
    for (int slot = 0; slot < table.slotsRead; ++slot)
        QCOMPARE(table.texts[slot], passwords[slot]);
    QCOMPARE(table.failure ? table.failure->message() : QString(), message);
    QCOMPARE(ImageFiles::read(path("read.bin")), image);
}

void TestRomFile::writeInjected_data()
{
    QTest::addColumn<Injection>("injection");
    QTest::addColumn<int>("written");
    QTest::addColumn<QString>("message"); // empty: no failure
    QTest::newRow("no fault") << Injection{} << 60 << "";
    QTest::newRow("a 10-byte write is continued") << atMost(10) << 60 << "";
    QTest::newRow("one byte per write") << chunked(1) << 60 << "";
    QTest::newRow("a system error on the first write") << fail(systemError(5)) << 0 << "I/O error 5";
    QTest::newRow("no room on the first write") << fail(systemError(28)) << 0 << "I/O error 28";
    QTest::newRow("refused on the first write") << fail(Refused) << 0 << "File access denied";
    QTest::newRow("a write taking nothing") << nothing() << 0 << "Disk full";
    QTest::newRow("10-byte writes, EIO on the 3rd") << fail(systemError(5), 3, 10) << 20 << "I/O error 5";
    QTest::newRow("10-byte writes, nothing on the 6th") << nothing(6, 10) << 50 << "Disk full";
    QTest::newRow("7-byte writes, no room on the 9th") << fail(systemError(28), 9, 7) << 56 << "I/O error 28";
}

void TestRomFile::writeInjected()
{
    QFETCH(Injection, injection);
    QFETCH(int, written);
    QFETCH(QString, message);
    const QByteArray image = vorn::sampleImage(Region::U);
    QVERIFY(ImageFiles::store(path("write.bin"), image));
    const QStringList newPasswords = samplePasswords(99);
    const std::vector<std::uint8_t> bytes = vorn::encodePasswords(newPasswords, Region::U);
    QCOMPARE(bytes.size(), std::size_t(60));

    FaultyFileAccess sys;
    RomFile file(sys);
    file.bind(path("write.bin"));
    file.open();
    file.seek(tableOffset(Region::U));
    injection.arm(sys, FaultyFileAccess::Write);
    QString raised;
    try {
        file.write(bytes);
    } catch (const IoFailure &failure) {
        raised = failure.message();
    }
    file.bind(QString()); // close before comparing

    QCOMPARE(raised, message);
    QCOMPARE(sys.bytesWritten(), long(written));
    QByteArray expected = image;
    expected.replace(tableOffset(Region::U), written,
                     QByteArray(reinterpret_cast<const char *>(bytes.data()), written));
    QCOMPARE(ImageFiles::read(path("write.bin")), expected);
}

void TestRomFile::otherStepsInjected_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<FileError>("error");
    QTest::addColumn<QString>("message");
    QTest::newRow("flush, a system error") << int(FaultyFileAccess::Flush) << systemError(5) << "I/O error 5";
    QTest::newRow("flush, no room") << int(FaultyFileAccess::Flush) << systemError(28) << "I/O error 28";
    QTest::newRow("flush, refused") << int(FaultyFileAccess::Flush) << Refused << "File access denied";
    QTest::newRow("seek, a system error") << int(FaultyFileAccess::Seek) << systemError(5) << "I/O error 5";
    QTest::newRow("size, a system error") << int(FaultyFileAccess::Size) << systemError(5) << "I/O error 5";
}

void TestRomFile::otherStepsInjected()
{
    QFETCH(int, op);
    QFETCH(FileError, error);
    QFETCH(QString, message);
    const QByteArray image = vorn::sampleImage(Region::J);
    QVERIFY(ImageFiles::store(path("other.bin"), image));
    FaultyFileAccess sys;
    RomFile file(sys);
    file.bind(path("other.bin"));
    file.open();
    sys.fail(FaultyFileAccess::Op(op), 1, error);
    try {
        switch (op) {
        case FaultyFileAccess::Flush: file.flush(); break;
        case FaultyFileAccess::Seek: file.seek(tableOffset(Region::J)); break;
        default: file.size(); break;
        }
        QFAIL("the step succeeded");
    } catch (const IoFailure &failure) {
        QCOMPARE(failure.kind(), Failure::Kind::Io);
        QCOMPARE(failure.message(), message);
    }
    QVERIFY(file.isOpen());
    QCOMPARE(ImageFiles::read(path("other.bin")), image);
}

void TestRomFile::encodePasswords_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<QStringList>("texts");
    const QStringList passwords = samplePasswords(42);
    QTest::newRow("(U) writes slots 1-15") << Region::U << passwords;
    QTest::newRow("(U) with 15 texts") << Region::U << passwords.mid(0, 15);
    QTest::newRow("(U) ignores slots 16 and 17")
        << Region::U << passwords.mid(0, 15) + QStringList{"----", "a b"};
    QTest::newRow("(J) writes slots 1-17") << Region::J << passwords;
}

void TestRomFile::encodePasswords()
{
    QFETCH(Region, region);
    QFETCH(QStringList, texts);
    const std::vector<std::uint8_t> bytes = vorn::encodePasswords(texts, region);
    QCOMPARE(int(bytes.size()), region == Region::U ? 60 : 68);
    const QByteArray expected = texts.join(QString()).toLatin1().left(int(bytes.size()));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(bytes.data()), bytes.size()), expected);
}

void TestRomFile::encodeRefusesCharacter_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("bad");
    const QStringList bad = {"-", " ", "a", "\u00E9"};
    int row = 0;
    for (Region region : Regions) {
        for (int slot = 1; slot <= slotsWritten(region); ++slot) {
            for (int k = 1; k <= SlotLength; ++k) {
                const QString c = bad[row++ % bad.size()];
                QTest::addRow("(%s) slot %d char %d \"%s\"", regionTag(region), slot, k,
                              qPrintable(c))
                    << region << slot << k << c;
            }
        }
    }
}

void TestRomFile::encodeRefusesCharacter()
{
    QFETCH(Region, region);
    QFETCH(int, slot);
    QFETCH(int, k);
    QFETCH(QString, bad);
    QStringList passwords = samplePasswords(7);
    passwords[slot - 1].replace(k - 1, 1, bad);
    const QByteArray image = vorn::sampleImage(region);
    QVERIFY(ImageFiles::store(path("encode.bin"), image));

    // The way a save goes: nothing may reach the file when a character fails.
    RomFile file;
    file.bind(path("encode.bin"));
    file.open();
    std::vector<std::uint8_t> bytes = {0xEE};
    try {
        vorn::requireRoomForTable(file, region);
        file.seek(tableOffset(region));
        bytes = vorn::encodePasswords(passwords, region);
        file.write(bytes);
        QFAIL("the character was encoded");
    } catch (const ConversionFailure &failure) {
        QCOMPARE(failure.message(), "'' is not a valid integer value");
    }
    QCOMPARE(bytes, std::vector<std::uint8_t>{0xEE});
    file.bind(QString());
    QCOMPARE(ImageFiles::read(path("encode.bin")), image);
}

void TestRomFile::requireRoomForTable_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("fits");
    QTest::newRow("(U) empty") << Region::U << 0 << false;
    QTest::newRow("(U) ends at the table start") << Region::U << 6803 << false;
    QTest::newRow("(U) one byte short") << Region::U << 6862 << false;
    QTest::newRow("(U) exactly long enough") << Region::U << 6863 << true;
    QTest::newRow("(U) sample size") << Region::U << SampleImageSize << true;
    QTest::newRow("(J) empty") << Region::J << 0 << false;
    QTest::newRow("(J) one byte short") << Region::J << 687 << false;
    QTest::newRow("(J) exactly long enough") << Region::J << 688 << true;
    QTest::newRow("(J) sample size") << Region::J << SampleImageSize << true;
}

void TestRomFile::requireRoomForTable()
{
    QFETCH(Region, region);
    QFETCH(int, size);
    QFETCH(bool, fits);
    const QByteArray image = vorn::sampleImage(region).left(size);
    QVERIFY(ImageFiles::store(path("room.bin"), image));
    RomFile file;
    file.bind(path("room.bin"));
    file.open();
    try {
        vorn::requireRoomForTable(file, region);
        QVERIFY(fits);
    } catch (const IoFailure &failure) {
        QVERIFY(!fits);
        QCOMPARE(failure.message(), tooShortMessage());
    }
    QCOMPARE(ImageFiles::read(path("room.bin")), image);
}

void TestRomFile::sampleImage_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<quint32>("seed");
    for (Region region : Regions) {
        for (quint32 seed : {0u, 1u, 5u, 0xFFFFFFFFu})
            QTest::addRow("(%s) seed %u", regionTag(region), seed) << region << seed;
    }
}

void TestRomFile::sampleImage()
{
    QFETCH(Region, region);
    QFETCH(quint32, seed);
    const QByteArray image = vorn::sampleImage(region, seed);
    QCOMPARE(image.size(), 131088);
    QCOMPARE(vorn::sampleImage(region, seed), image);
    QVERIFY(vorn::sampleImage(region, seed + 7) != image);
    QVERIFY(ImageFiles::store(path("sample.bin"), image));

    RomFile file;
    file.bind(path("sample.bin"));
    file.open();
    file.seek(tableOffset(region));
    const TableRead own = readPasswordTable(file);
    QVERIFY(!own.failure);
    QCOMPARE(own.slotsRead, SlotCount);
    const QStringList passwords = samplePasswords(seed);
    for (int slot = 0; slot < SlotCount; ++slot)
        QCOMPARE(own.texts[slot], passwords[slot]);

    file.seek(tableOffset(otherRegion(region)));
    const TableRead other = readPasswordTable(file);
    QCOMPARE(other.slotsRead, SlotCount);
    int complete = 0;
    for (int slot = 0; slot < SlotsChecked; ++slot)
        complete += other.texts[slot].size() == SlotLength;
    QVERIFY(complete < SlotsChecked);
}

QTEST_GUILESS_MAIN(TestRomFile)
#include "tst_romfile.moc"
