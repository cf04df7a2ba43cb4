// Save ROM through the real window: what reaches the disk, byte for byte, in every
// outcome, and that an image is never damaged.
#include "windowfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>

using namespace vorn;

namespace {

const QString Success = QStringLiteral("Operation successful!");
const QString TooShort = QStringLiteral("Error!\r\nAll passwords must be at least 4 characters!");
const QString ConversionError = QStringLiteral("'' is not a valid integer value.");
const FileError Failing = FileError::systemError(5);
const FileError NoRoom = FileError::systemError(28);
const FileError Refused{FileError::AccessDenied};

// The image after a save in the region of `texts`: only the written range changes.
QByteArray patched(QByteArray image, Region region, const QStringList &texts, int bytes = -1)
{
    const QByteArray table = texts.mid(0, slotsWritten(region)).join(QString()).toLatin1();
    const int count = bytes < 0 ? bytesWritten(region) : bytes;
    image.replace(static_cast<qsizetype>(tableOffset(region)), count, table.left(count));
    return image;
}

QStringList someTexts(std::uint32_t seed)
{
    return samplePasswords(seed + 1000);
}

} // namespace

Q_DECLARE_METATYPE(vorn::FileError)

class TestSave : public QObject, private WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writesOnlyTheRegionsTable_data();
    void writesOnlyTheRegionsTable();
    void lowerCaseIsRaised();
    void caseRaisingIgnoresTheLocale();
    void incompleteSlotsAreMarked_data();
    void incompleteSlotsAreMarked();
    void loadClearsTheMarks_data();
    void loadClearsTheMarks();
    void fieldsFollowTheStyle();
    void manualSwitchWritesTheShownRegion_data();
    void manualSwitchWritesTheShownRegion();
    void characterOutsideTheTable_data();
    void characterOutsideTheTable();
    void saveAfterFailedOpen();
    void fileCutShortAfterLoading_data();
    void fileCutShortAfterLoading();
    void fileDeletedAfterLoading();
    void fileReplacedAfterLoading();
    void injectedFailure_data();
    void injectedFailure();
    void randomRoundTrip();

private:
    QString load(Region region, const QByteArray &image);
    void setTexts(const QStringList &texts);
    bool isRed(int slot) const { return m_form->passwordField(slot)->palette().color(QPalette::Base) == QColor(255, 0, 0); }
    void save() { QTest::mouseClick(button("Button2"), Qt::LeftButton); }
};

void TestSave::init()
{
    QVERIFY(showWindow());
}

void TestSave::cleanup()
{
    closeWindow();
}

// Opens `image` in `region` without the autoselect retry, whatever its table holds.
QString TestSave::load(Region region, const QByteArray &image)
{
    box("CheckBox2")->setChecked(false);
    box("CheckBox1")->setChecked(region == Region::J);
    const QString path = m_files.write(QStringLiteral("image.rom"), image);
    m_dialogs.answer(path);
    QTest::mouseClick(button("Button1"), Qt::LeftButton);
    m_dialogs.reset();
    m_sys.clear();
    return path;
}

void TestSave::setTexts(const QStringList &texts)
{
    for (int slot = 1; slot <= SlotCount; ++slot)
        m_form->passwordField(slot)->setText(texts.value(slot - 1));
}

void TestSave::writesOnlyTheRegionsTable_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("bytes");
    QTest::newRow("U writes 60 bytes from 6803") << Region::U << 6803 << 60;
    QTest::newRow("J writes 68 bytes from 620") << Region::J << 620 << 68;
}

void TestSave::writesOnlyTheRegionsTable()
{
    QFETCH(Region, region);
    QFETCH(int, offset);
    QFETCH(int, bytes);
    const QByteArray image = ImageFiles::image(region);
    const QString path = load(region, image);
    QStringList texts = someTexts(7);
    if (region == Region::U) {
        texts[15] = QStringLiteral("ab"); // hidden slots: neither tested nor written
        texts[16] = QString();
    }
    setTexts(texts);
    save();

    QCOMPARE(m_dialogs.errors, QStringList());
    QCOMPARE(m_dialogs.messages, QStringList{Success});
    QCOMPARE(ImageFiles::read(path), patched(image, region, texts));
    QCOMPARE(ImageFiles::read(path), QByteArray(image).replace(offset, bytes, texts.join(QString()).toLatin1().left(bytes)));
    QCOMPARE(m_sys.bytesWritten(), long(bytes));
    // The reload shows what the file now holds, hidden slots included.
    QCOMPARE(fieldTexts(), ImageFiles::texts(patched(image, region, texts), region));
}

void TestSave::lowerCaseIsRaised()
{
    const QByteArray image = ImageFiles::image(Region::U);
    const QString path = load(Region::U, image);
    QStringList texts = someTexts(3);
    texts[4] = QStringLiteral("ab1d");
    setTexts(texts);
    save();
    QCOMPARE(m_form->passwordField(5)->text(), QStringLiteral("AB1D"));
    const QByteArray written = ImageFiles::read(path).mid(6819, 4); // slot 5 of (U)
    QCOMPARE(written, QByteArray("\x41\x42\x31\x44"));
    QCOMPARE(m_dialogs.messages, QStringList{Success});
}

void TestSave::caseRaisingIgnoresTheLocale()
{
    // Under a Turkish locale "i" must still become "I", never a dotted capital I.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const QByteArray image = ImageFiles::image(Region::J);
    const QString path = load(Region::J, image);
    QStringList texts = someTexts(4);
    texts[0] = QStringLiteral("iiii");
    setTexts(texts);
    save();
    QLocale::setDefault(previous);
    QCOMPARE(m_form->passwordField(1)->text(), QStringLiteral("IIII"));
    texts[0] = QStringLiteral("IIII");
    QCOMPARE(ImageFiles::read(path), patched(image, Region::J, texts));
}

void TestSave::incompleteSlotsAreMarked_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<QList<int>>("shortSlots");
    QTest::addColumn<QList<int>>("red");
    using L = QList<int>;
    QTest::newRow("U: two short, one empty") << Region::U << L{2, 9, 15} << L{2, 9, 15};
    QTest::newRow("U: hidden slots never red") << Region::U << L{1, 16, 17} << L{1};
    QTest::newRow("J: slots 16 and 17 are tested") << Region::J << L{16, 17} << L{16, 17};
    QTest::newRow("J: every slot") << Region::J << L{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}
                                   << L{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
}

void TestSave::incompleteSlotsAreMarked()
{
    QFETCH(Region, region);
    QFETCH(QList<int>, shortSlots);
    QFETCH(QList<int>, red);
    const QByteArray image = ImageFiles::image(region);
    const QString path = load(region, image);
    QStringList texts = someTexts(5);
    texts[0] = texts[0].toLower();
    for (int slot : shortSlots)
        texts[slot - 1] = slot % 2 ? QStringLiteral("ab") : QString();
    setTexts(texts);
    save();

    for (int slot = 1; slot <= SlotCount; ++slot)
        QCOMPARE(isRed(slot), red.contains(slot));
    QCOMPARE(m_dialogs.messages, QStringList{TooShort});
    QVERIFY(m_dialogs.errors.isEmpty());
    QCOMPARE(m_sys.calls(FaultyFileAccess::Seek) + m_sys.calls(FaultyFileAccess::Write), 0);
    QCOMPARE(ImageFiles::read(path), image);
    for (int slot = 1; slot <= SlotCount; ++slot)
        QCOMPARE(m_form->passwordField(slot)->text(), texts[slot - 1].toUpper());

    // Completing one and saving again unmarks it, while the others stay red.
    m_dialogs.reset();
    m_form->passwordField(red.front())->setText(QStringLiteral("FIXD"));
    save();
    for (int slot = 1; slot <= SlotCount; ++slot)
        QCOMPARE(isRed(slot), red.contains(slot) && slot != red.front());

    // Completing them all clears every mark.
    m_dialogs.reset();
    setTexts(someTexts(6));
    save();
    for (int slot = 1; slot <= SlotCount; ++slot)
        QVERIFY(!isRed(slot));
    QCOMPARE(m_dialogs.messages, QStringList{Success});
}

void TestSave::loadClearsTheMarks_data()
{
    QTest::addColumn<bool>("reload");
    QTest::addColumn<bool>("fails"); // the file cannot be opened
    QTest::newRow("Open ROM") << false << false;
    QTest::newRow("Reload") << true << false;
    QTest::newRow("a failed Open ROM keeps them") << false << true;
    QTest::newRow("a failed Reload keeps them") << true << true;
}

void TestSave::loadClearsTheMarks()
{
    QFETCH(bool, reload);
    QFETCH(bool, fails);
    const QString path = load(Region::J, ImageFiles::image(Region::J));
    setTexts({});
    save();
    QVERIFY(isRed(1) && isRed(17));
    if (fails)
        m_sys.fail(FaultyFileAccess::Open, 1, Refused);
    if (reload) {
        QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
    } else {
        m_dialogs.answer(path);
        QTest::mouseClick(button("Button1"), Qt::LeftButton);
    }
    QCOMPARE(m_dialogs.errors, fails ? QStringList{QStringLiteral("File access denied.")} : QStringList());
    for (int slot = 1; fails && slot <= SlotCount; ++slot)
        QVERIFY(isRed(slot));
    if (fails)
        return;
    // A field's own background, white in the usual styles, not the window's grey.
    const QPalette normal = QApplication::palette(m_form->passwordField(1));
    QVERIFY(normal.color(QPalette::Base) != normal.color(QPalette::Window));
    for (int slot = 1; slot <= SlotCount; ++slot)
        QCOMPARE(m_form->passwordField(slot)->palette().color(QPalette::Base), normal.color(QPalette::Base));
}

void TestSave::fieldsFollowTheStyle()
{
    const QPalette before = QApplication::palette();
    const auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
    const auto switchTheme = [](const QColor &base) {
        QPalette theme = QApplication::palette();
        theme.setColor(QPalette::Base, base);
        QApplication::setPalette(theme);
        QCoreApplication::processEvents(); // widgets learn of it through the event queue
    };
    const auto base = [this](int slot) { return m_form->passwordField(slot)->palette().color(QPalette::Base); };
    load(Region::U, ImageFiles::image(Region::U));
    QStringList texts = someTexts(15);
    texts[1] = QStringLiteral("ab");
    setTexts(texts);
    save();
    switchTheme(QColor(32, 32, 32));
    QCOMPARE(base(1), QColor(32, 32, 32));
    QVERIFY(isRed(2));
    QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
    switchTheme(QColor(0, 0, 128));
    QCOMPARE(base(2), QColor(0, 0, 128));
}

void TestSave::manualSwitchWritesTheShownRegion_data()
{
    QTest::addColumn<Region>("loaded");
    QTest::newRow("loaded in U, saved in J") << Region::U;
    QTest::newRow("loaded in J, saved in U") << Region::J;
}

void TestSave::manualSwitchWritesTheShownRegion()
{
    QFETCH(Region, loaded);
    const Region shown = otherRegion(loaded);
    const QByteArray image = ImageFiles::image(loaded);
    const QString path = load(loaded, image);
    const QStringList texts = someTexts(8);
    setTexts(texts);
    QTest::mouseClick(box("CheckBox1"), Qt::LeftButton); // autoselect is off: the box is enabled
    QCOMPARE(m_form->region(), shown);
    QCOMPARE(fieldTexts(), texts);
    save();
    QCOMPARE(m_dialogs.messages, QStringList{Success});
    QCOMPARE(ImageFiles::read(path), patched(image, shown, texts));
}

void TestSave::characterOutsideTheTable_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("character");
    const QStringList pasted = {QStringLiteral("-"), QStringLiteral(" "), QStringLiteral("\u00e9"),
                                QStringLiteral("\u00df"), QStringLiteral("\u0131"), QStringLiteral("#")};
    int n = 0;
    for (Region region : {Region::U, Region::J}) {
        for (int slot = 1; slot <= slotsWritten(region); ++slot) {
            for (int k = 1; k <= SlotLength; ++k) {
                const QString c = pasted[n++ % pasted.size()];
                QTest::addRow("%s slot %d char %d U+%04X", regionTag(region), slot, k, c.front().unicode())
                    << region << slot << k << c;
            }
        }
    }
}

void TestSave::characterOutsideTheTable()
{
    QFETCH(Region, region);
    QFETCH(int, slot);
    QFETCH(int, k);
    QFETCH(QString, character);
    const QByteArray image = ImageFiles::image(region);
    const QString path = load(region, image);
    QStringList texts = someTexts(9);
    texts[slot - 1].replace(k - 1, 1, character);
    // Pasted, as a user gets it in: typing could not.
    QApplication::clipboard()->setText(texts[slot - 1]);
    texts[slot - 1].clear();
    setTexts(texts);
    QTest::keyClick(m_form->passwordField(slot), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(m_form->passwordField(slot)->text(), QApplication::clipboard()->text());
    save();

    // Nothing is written: no table that is half new and half old.
    QCOMPARE(m_dialogs.errors, QStringList{ConversionError});
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(m_sys.calls(FaultyFileAccess::Write), 0);
    QCOMPARE(ImageFiles::read(path), image);
}

void TestSave::saveAfterFailedOpen()
{
    const QByteArray image = ImageFiles::image(Region::U);
    const QString path = load(Region::U, image);
    m_dialogs.answer(m_files.path(QStringLiteral("missing.rom")));
    QTest::mouseClick(button("Button1"), Qt::LeftButton);
    QCOMPARE(m_dialogs.errors, QStringList{QStringLiteral("File not found.")});
    m_dialogs.reset();
    setTexts(someTexts(10));
    save();
    QCOMPARE(m_dialogs.errors, QStringList{QStringLiteral("I/O error 103.")});
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(ImageFiles::read(path), image);
    QVERIFY(!QFileInfo::exists(m_files.path(QStringLiteral("missing.rom"))));
}

void TestSave::fileCutShortAfterLoading_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<int>("size");
    for (Region region : {Region::U, Region::J}) {
        const int end = static_cast<int>(tableOffset(region)) + bytesWritten(region);
        for (int size : {0, static_cast<int>(tableOffset(region)), end - 1})
            QTest::addRow("%s cut to %d bytes", regionTag(region), size) << region << size;
    }
}

void TestSave::fileCutShortAfterLoading()
{
    QFETCH(Region, region);
    QFETCH(int, size);
    const QByteArray image = ImageFiles::image(region);
    const QString path = load(region, image);
    QVERIFY(QFile::resize(path, size));
    setTexts(someTexts(11));
    save();
    QCOMPARE(m_dialogs.errors.size(), 1);
    QVERIFY(m_dialogs.errors.front().contains(QStringLiteral("too short")));
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(ImageFiles::read(path), image.left(size)); // never lengthened
}

void TestSave::fileDeletedAfterLoading()
{
#ifdef Q_OS_WIN
    QSKIP("Windows lets no other program delete a file the editor holds open");
#else
    const QString path = load(Region::J, ImageFiles::image(Region::J));
    QVERIFY(QFile::remove(path));
    setTexts(someTexts(12));
    save();
    QCOMPARE(m_dialogs.errors, QStringList{QStringLiteral("File not found.")});
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(!QFileInfo::exists(path));
#endif
}

void TestSave::fileReplacedAfterLoading()
{
#ifdef Q_OS_WIN
    QSKIP("Windows lets no other program replace a file the editor holds open");
#else
    const QString path = load(Region::U, ImageFiles::image(Region::U, false, 1));
    const QByteArray other = ImageFiles::image(Region::U, false, 2);
    const QString otherPath = m_files.write(QStringLiteral("other.rom"), other);
    QVERIFY(::rename(qPrintable(otherPath), qPrintable(path)) == 0);
    setTexts(someTexts(13));
    save();
    // The bytes went to the file that was loaded, which is no longer under that name.
    QCOMPARE(m_dialogs.errors.size(), 1);
    QVERIFY(m_dialogs.errors.front().contains(QStringLiteral("could not be verified")));
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(ImageFiles::read(path), other);
#endif
}

void TestSave::injectedFailure_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("goodBytes"); // bytes a partial write gets out before the failure
    QTest::addColumn<FileError>("error"); // none: the call transfers nothing
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("written");   // bytes of the table on the disk afterwards

    for (Region region : {Region::U, Region::J}) {
        const char *r = regionTag(region);
        const int all = bytesWritten(region);
        QTest::addRow("%s seek refused", r) << region << int(FaultyFileAccess::Seek) << 0 << Failing << "I/O error 5." << 0;
        for (int k = 0; k < all; ++k) {
            QTest::addRow("%s write of byte %d fails", r, k + 1)
                << region << int(FaultyFileAccess::Write) << k << Failing << "I/O error 5." << k;
        }
        QTest::addRow("%s disk full", r) << region << int(FaultyFileAccess::Write) << 0 << NoRoom << "I/O error 28." << 0;
        QTest::addRow("%s write takes nothing", r) << region << int(FaultyFileAccess::Write) << 0 << FileError{} << "Disk full." << 0;
        QTest::addRow("%s write takes nothing midway", r) << region << int(FaultyFileAccess::Write) << 17 << FileError{} << "Disk full." << 17;
        QTest::addRow("%s write not permitted", r) << region << int(FaultyFileAccess::Write) << 0 << Refused << "File access denied." << 0;
        QTest::addRow("%s flush fails", r) << region << int(FaultyFileAccess::Flush) << 0 << Failing << "I/O error 5." << all;
        QTest::addRow("%s reload cannot open", r) << region << int(FaultyFileAccess::Open) << 0 << Refused << "File access denied." << all;
        QTest::addRow("%s reload cannot read", r) << region << int(FaultyFileAccess::Read) << 0 << Failing << "I/O error 5." << all;
    }
}

void TestSave::injectedFailure()
{
    QFETCH(Region, region);
    QFETCH(int, op);
    QFETCH(int, goodBytes);
    QFETCH(FileError, error);
    QFETCH(QString, shown);
    QFETCH(int, written);

    const QByteArray image = ImageFiles::image(region);
    const QString path = load(region, image);
    const QStringList texts = someTexts(14);
    setTexts(texts);
    const auto which = static_cast<FaultyFileAccess::Op>(op);
    if (goodBytes > 0) {
        m_sys.transferAtMost(which, 1, goodBytes);
        error ? m_sys.fail(which, 2, error) : m_sys.transferNothing(which, 2);
    } else {
        error ? m_sys.fail(which, 1, error) : m_sys.transferNothing(which, 1);
    }
    save();

    QCOMPARE(m_dialogs.errors, QStringList{shown});
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(ImageFiles::read(path), patched(image, region, texts, written));
}

void TestSave::randomRoundTrip()
{
    // Random texts over random filler, in both regions: the texts come back, and not one
    // byte outside the written range changes.
    QRandomGenerator random(20261208);
    static constexpr char Alphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    for (int round = 0; round < 1000; ++round) {
        const Region region = random.bounded(2) ? Region::J : Region::U;
        QByteArray image(SampleImageSize, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32 *>(image.data()), image.size() / 4);
        const QString path = load(region, image);
        QStringList texts;
        for (int slot = 0; slot < SlotCount; ++slot) {
            QString text;
            for (int k = 0; k < SlotLength; ++k)
                text += QLatin1Char(Alphabet[random.bounded(int(sizeof Alphabet - 1))]);
            texts << text;
        }
        setTexts(texts);
        save();
        const QStringList upper = [&] { QStringList u; for (const QString &t : texts) u << t.toUpper(); return u; }();
        QVERIFY2(m_dialogs.messages == QStringList{Success}, qPrintable(QString::number(round)));
        QVERIFY2(ImageFiles::read(path) == patched(image, region, upper), qPrintable(QString::number(round)));
        QCOMPARE(fieldTexts().mid(0, slotsWritten(region)), upper.mid(0, slotsWritten(region)));
    }
}

QTEST_MAIN(TestSave)
#include "tst_save.moc"
