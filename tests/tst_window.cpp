// The editor window driven as a user drives it: real clicks and keys, real image files.
#include "windowfixture.h"

#include "model/slotnames.h"
#include "rom/failure.h"
#include "ui/boxtexts.h"
#include "ui/formdesign.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QtMath>
#include <QTimer>

using namespace vorn;

class TestWindow : public QObject, private WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsInRegionU();
    void controlsCarryTheirNames();
    void tabOrderSkipsHiddenAndDisabled();
    void layoutFitsTheFont();
    void designPlaces_data();
    void designPlaces();
    void editorFont();
    void keyFilter_data();
    void keyFilter();
    void inputMethod_data();
    void inputMethod();
    void contextMenuPasteIsOnlyLimited();
    void aboutMessage();
    void aboutText_data();
    void aboutText();
    void errorBoxText_data();
    void errorBoxText();
    void fieldsAreNamedForScreenReaders();

    void regionSwitchByHand();
    void regionSwitchFromCode();
    void autoselectToggle();

    void openCancelled();
    void openCompleteImage_data();
    void openCompleteImage();
    void autoselectRetry_data();
    void autoselectRetry();
    void autoselectRetryReturnsToU();
    void regionJIgnoresSlots16And17();
    void byteWithoutCharacter_data();
    void byteWithoutCharacter();
    void openFailure_data();
    void openFailure();
    void shortFile_data();
    void shortFile();
    void failureInsideRetryReload();
    void reloadUsesRememberedName();
    void reloadNeverChecks();
    void loadReplacesTypedText();
    void altRPressesReload();
    void enterPressesTheFocusedButton();
    void realMessageBoxes_data();
    void realMessageBoxes();
    void realFileDialog_data();
    void realFileDialog();

private:
    void open(const QString &path);
    void click(QAbstractButton *target) { QTest::mouseClick(target, Qt::LeftButton); }
};

void TestWindow::init()
{
    QVERIFY(showWindow());
}

void TestWindow::cleanup()
{
    closeWindow();
}

void TestWindow::open(const QString &path)
{
    m_dialogs.answer(path);
    click(button("Button1"));
}

// A key as a keyboard sends it, with its text: X11 gives Delete the text U+007F, so a filter
// that judged Delete by its text would drop it. GroupSwitchModifier marks a key sent with no
// text at all, as some systems send their shortcuts.
static void pressKey(QWidget *target, QKeyCombination key)
{
    static const QHash<int, QString> texts = {{Qt::Key_Delete, QStringLiteral("\x7f")},
                                              {Qt::Key_Backspace, QStringLiteral("\b")},
                                              {Qt::Key_Return, QStringLiteral("\r")},
                                              {Qt::Key_Enter, QStringLiteral("\r")}};
    if (key.keyboardModifiers() & Qt::GroupSwitchModifier)
        QTest::sendKeyEvent(QTest::Click, target, key.key(), QString(), key.keyboardModifiers() & ~Qt::GroupSwitchModifier);
    else if (texts.contains(key.key()))
        QTest::sendKeyEvent(QTest::Click, target, key.key(), texts.value(key.key()), key.keyboardModifiers());
    else
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
}

static QStringList names(Region region)
{
    QStringList result;
    for (int slot = 1; slot <= SlotCount; ++slot)
        result << slotName(region, slot);
    return result;
}

void TestWindow::startsInRegionU()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Zephyra Password Editor"));
    QCOMPARE(label("Label1")->text(), QStringLiteral("Zephyra (U)"));
    QCOMPARE(label("Label20")->text(), QStringLiteral("ROM:"));
    QCOMPARE(labelTexts(), names(Region::U));
    QCOMPARE(m_form->findChild<QGroupBox *>(QStringLiteral("GroupBox1"))->title(), QStringLiteral(" Passwords "));
    for (int slot = 1; slot <= SlotCount; ++slot) {
        QLineEdit *field = m_form->passwordField(slot);
        QVERIFY(field->text().isEmpty());
        QCOMPARE(field->maxLength(), 4);
        QCOMPARE(field->isVisible(), slot <= 15);
        QCOMPARE(m_form->nameLabel(slot)->isVisible(), slot <= 15);
    }
    QVERIFY(!label("Label19")->isVisible());
    QCOMPARE(label("Label19")->text(), hintText());
    QVERIFY(box("CheckBox2")->isChecked() && box("CheckBox2")->isEnabled());
    QVERIFY(!box("CheckBox1")->isChecked() && !box("CheckBox1")->isEnabled());
    QCOMPARE(box("CheckBox1")->text(), QStringLiteral("Change ROM (U)/( J)"));
    QVERIFY(button("Button1")->isEnabled() && button("Button3")->isEnabled());
    QVERIFY(!button("Button2")->isEnabled() && !button("BitBtn1")->isEnabled());
    QVERIFY(!button("BitBtn1")->icon().isNull());
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QCOMPARE(QApplication::focusWidget(), button("Button1"));
}

void TestWindow::controlsCarryTheirNames()
{
    QStringList expected = {QStringLiteral("GroupBox1"), QStringLiteral("Button1"), QStringLiteral("Button2"),
                            QStringLiteral("Button3"), QStringLiteral("BitBtn1"), QStringLiteral("CheckBox1"),
                            QStringLiteral("CheckBox2")};
    for (int n = 1; n <= 20; ++n)
        expected << QStringLiteral("Label%1").arg(n);
    for (int n = 2; n <= 18; ++n)
        expected << QStringLiteral("Edit%1").arg(n);
    for (const QString &name : expected)
        QVERIFY2(m_form->findChild<QWidget *>(name), qPrintable(name));
    QCOMPARE(m_form->objectName(), QStringLiteral("Form1"));
}

void TestWindow::tabOrderSkipsHiddenAndDisabled()
{
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QStringList visited;
    for (int step = 0; step < 19; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QStringList expected{QStringLiteral("Button3")};
    for (int n = 2; n <= 16; ++n)
        expected << QStringLiteral("Edit%1").arg(n);
    expected << QStringLiteral("CheckBox2") << QStringLiteral("Button1") << QStringLiteral("Button3");
    QCOMPARE(visited, expected);
}

void TestWindow::layoutFitsTheFont()
{
    // The rows keep one pitch in both columns, and every label the same drop below its field.
    const auto top = [this](int slot) { return m_form->passwordField(slot)->y(); };
    for (int slot = 2; slot <= SlotCount; ++slot) {
        if (slot != 10)
            QCOMPARE(top(slot) - top(slot - 1), top(2) - top(1));
        QCOMPARE(m_form->nameLabel(slot)->y() - top(slot), m_form->nameLabel(1)->y() - top(1));
    }
    QCOMPARE(top(10), top(1));
    // That pitch is the design's 24 pixels, grown as the 310-pixel frame has grown.
    QVERIFY(qAbs(top(2) - top(1) - 24 * m_form->findChild<QGroupBox *>()->height() / 310.0) <= 1.0);
    // In both regions: no visible control overlaps another, no caption is cut.
    for (int pass = 0; pass < 2; ++pass) {
        const QList<QWidget *> children = m_form->findChild<QGroupBox *>()->findChildren<QWidget *>(
            QString(), Qt::FindDirectChildrenOnly);
        QList<QWidget *> shown;
        for (QWidget *child : children) {
            if (child->isVisible())
                shown << child;
        }
        for (QWidget *child : shown) {
            QVERIFY2(m_form->rect().contains(child->geometry()), qPrintable(child->objectName()));
            if (qobject_cast<QLabel *>(child) || qobject_cast<QAbstractButton *>(child)) {
                QVERIFY2(child->sizeHint().width() <= child->width() + 1,
                         qPrintable(QStringLiteral("%1 is cut: %2 > %3").arg(child->objectName())
                                        .arg(child->sizeHint().width()).arg(child->width())));
            }
            for (QWidget *other : shown) {
                if (other != child && child->geometry().intersects(other->geometry()))
                    QFAIL(qPrintable(child->objectName() + QStringLiteral(" overlaps ") + other->objectName()));
            }
        }
        box("CheckBox1")->setChecked(true);
    }
}

void TestWindow::designPlaces_data()
{
    QTest::addColumn<QRect>("designed");
    // Where the design puts each control, at its own 11-pixel font; a name label runs to the
    // next column or the frame.
    const std::pair<const char *, QRect> places[] = {
        {"GroupBox1", {0, 0, 387, 310}},
        {"Edit2", {16, 26, 57, 21}},        {"Label2", {80, 30, 128, 13}},
        {"Edit11", {214, 26, 57, 21}},      {"Label11", {278, 30, 103, 13}},
        {"Label19", {73, 9, 308, 13}},      {"CheckBox2", {16, 249, 110, 17}},
        {"CheckBox1", {130, 248, 129, 17}}, {"Label20", {263, 249, 33, 13}},
        {"Label1", {298, 249, 83, 13}},     {"Button1", {16, 272, 81, 25}},
        {"BitBtn1", {104, 272, 89, 25}},    {"Button2", {200, 272, 89, 25}},
        {"Button3", {296, 272, 73, 25}},
    };
    for (const auto &[name, rect] : places)
        QTest::newRow(name) << rect;
}

void TestWindow::designPlaces()
{
    QFETCH(QRect, designed);
    // The design grows by one factor, which the 387 x 310 frame shows to half a pixel; every
    // edge is rounded to the nearest pixel, so each lies within a pixel of the design's. On
    // the 192-dpi screen a design pixel is two, so one moved in the design shows there.
    const QSize frame = m_form->findChild<QGroupBox *>()->size();
    const double across = frame.width() / 387.0, down = frame.height() / 310.0;
    const QRect got = m_form->findChild<QWidget *>(QLatin1String(QTest::currentDataTag()))->geometry();
    const auto near = [](int pixel, double wanted) { return qAbs(pixel - wanted) <= 1.0; };
    QVERIFY2(near(got.left(), designed.left() * across) && near(got.top(), designed.top() * down)
                 && near(got.left() + got.width(), (designed.left() + designed.width()) * across)
                 && near(got.height(), designed.height() * down),
             qPrintable(QStringLiteral("%1,%2 %3x%4 in a frame of %5x%6").arg(got.x()).arg(got.y())
                            .arg(got.width()).arg(got.height()).arg(frame.width()).arg(frame.height())));
}

void TestWindow::editorFont()
{
    const QFontInfo face(m_form->font());
    qInfo("The editor draws with %s, %d pixels", qPrintable(face.family()), face.pixelSize());
    // The design's size at least, also where the screen counts 72 points to the inch, and
    // larger with the screen's fonts (a bitmap face may round a size to one of its own); a
    // scalable face never larger than the design's size on those fonts.
    const qreal dpi = m_form->screen()->logicalDotsPerInchY();
    const int larger = qFloor(11 * 0.9 * dpi / 96);
    QVERIFY2(face.pixelSize() >= qMax(11, larger), qPrintable(QString::number(larger)));
    QVERIFY2(!QFontDatabase::isSmoothlyScalable(face.family()) || face.pixelSize() <= qMax(11, qCeil(11 * dpi / 96)),
             qPrintable(QString::number(dpi)));
#ifdef Q_OS_WIN
    // Windows has it, and so has the Wine prefix the tests run in; any other face there
    // means the font chain failed.
    QCOMPARE(face.family(), QStringLiteral("MS Sans Serif"));
#endif
    // Whatever the system: the first face of the chain that it has, else its general face.
    // Wine's own MS Sans Serif and Tahoma, where installed, put two of them in the chain here.
    QList<int> added;
    for (const char *file : {"ms_sans_serif.ttf", "tahoma.ttf"})
        added << QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(file));
    const auto remove = qScopeGuard([&] { for (int id : added) QFontDatabase::removeApplicationFont(id); });
    const QStringList families = QFontDatabase::families();
    QString expected = QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
    for (const QString wanted : {"MS Sans Serif", "Microsoft Sans Serif", "Tahoma"}) {
        if (families.contains(wanted, Qt::CaseInsensitive)) {
            expected = wanted;
            break;
        }
    }
    QCOMPARE(QFontInfo(design::editorFont()).family(), expected);
}

void TestWindow::keyFilter_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QList<QKeyCombination>>("keys");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");

    using K = QList<QKeyCombination>;
    QTest::newRow("small letters stay small, a to z") << "" << 0 << K{} << "az" << "az";
    QTest::newRow("digits and capitals pass, 0 to 9, A to Z") << "" << 0 << K{} << "09AZ" << "09AZ";
    QTest::newRow("a hyphen is dropped") << "" << 0 << K{} << "-" << "";
    QTest::newRow("a space is dropped") << "AB" << 2 << K{} << " " << "AB";
    QTest::newRow("an accented letter is dropped") << "" << 0 << K{} << QStringLiteral("é") << "";
    QTest::newRow("punctuation between letters is dropped") << "" << 0 << K{} << "A.B!C" << "ABC";
    QTest::newRow("a fifth character is refused") << "ABCD" << 4 << K{} << "E" << "ABCD";
    QTest::newRow("Backspace does not delete") << "ABCD" << 4 << K{Qt::Key_Backspace} << "" << "ABCD";
    QTest::newRow("Ctrl+Backspace does not delete") << "ABCD" << 4 << K{Qt::ControlModifier | Qt::Key_Backspace} << "" << "ABCD";
    QTest::newRow("Delete removes right of the caret") << "ABCD" << 1 << K{Qt::Key_Delete} << "" << "ACD";
    QTest::newRow("arrows and typing insert mid-text") << "ACD" << 3 << K{Qt::Key_Left, Qt::Key_Left} << "B" << "ABCD";
    QTest::newRow("Home then typing inserts first") << "BCD" << 3 << K{Qt::Key_Home} << "A" << "ABCD";
    QTest::newRow("End then Delete deletes nothing") << "ABC" << 0 << K{Qt::Key_End, Qt::Key_Delete} << "" << "ABC";
    QTest::newRow("Ctrl+A selects nothing") << "ABCD" << 4 << K{Qt::ControlModifier | Qt::Key_A, Qt::Key_Delete} << "" << "ABCD";
    QTest::newRow("Ctrl+V pastes nothing") << "" << 0 << K{Qt::ControlModifier | Qt::Key_V} << "" << "";
    QTest::newRow("Shift+Insert pastes Ab3 into an empty field") << "" << 0 << K{Qt::ShiftModifier | Qt::Key_Insert} << "" << "Ab3";
    QTest::newRow("Shift+Insert pastes only what fits in 4") << "XY" << 2 << K{Qt::ShiftModifier | Qt::Key_Insert} << "" << "XYAb";
    QTest::newRow("Ctrl+X cuts nothing") << "ABCD" << 0 << K{Qt::ShiftModifier | Qt::Key_End, Qt::ControlModifier | Qt::Key_X} << "" << "ABCD";
    QTest::newRow("Shift+Delete cuts") << "ABCD" << 0 << K{Qt::ShiftModifier | Qt::Key_Right, Qt::ShiftModifier | Qt::Key_Right, Qt::ShiftModifier | Qt::Key_Delete, Qt::Key_End, Qt::ShiftModifier | Qt::Key_Insert} << "" << "CDAB";
    QTest::newRow("Ctrl+Insert copies") << "ABCD" << 0 << K{Qt::ShiftModifier | Qt::Key_End, Qt::ControlModifier | Qt::Key_Insert, Qt::Key_Delete, Qt::ShiftModifier | Qt::Key_Insert} << "" << "ABCD";
    QTest::newRow("Ctrl+C copies nothing") << "ABCD" << 0 << K{Qt::ShiftModifier | Qt::Key_End, Qt::ControlModifier | Qt::Key_C, Qt::Key_Delete, Qt::ShiftModifier | Qt::Key_Insert} << "" << "Ab3";
    QTest::newRow("Ctrl+Z undoes nothing") << "" << 0 << K{Qt::Key_A, Qt::ControlModifier | Qt::Key_Z} << "" << "a";
    QTest::newRow("Ctrl+Z sent without text undoes nothing") << "" << 0 << K{Qt::Key_A, Qt::GroupSwitchModifier | Qt::ControlModifier | Qt::Key_Z} << "" << "a";
    QTest::newRow("Ctrl+A sent without text selects nothing") << "ABCD" << 4 << K{Qt::GroupSwitchModifier | Qt::ControlModifier | Qt::Key_A, Qt::Key_Delete} << "" << "ABCD";
    QTest::newRow("Alt+A types nothing") << "" << 0 << K{Qt::AltModifier | Qt::Key_A} << "" << "";
    QTest::newRow("Ctrl+K kills nothing") << "ABCD" << 0 << K{Qt::ControlModifier | Qt::Key_K} << "" << "ABCD";
    QTest::newRow("Ctrl+Delete deletes no word") << "ABCD" << 1 << K{Qt::ControlModifier | Qt::Key_Delete} << "" << "ABCD";
    QTest::newRow("the neighbours of 0-9, A-Z and a-z are dropped") << "" << 0 << K{} << "/:@[`{" << "";
}

void TestWindow::keyFilter()
{
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(QString, typed);
    QFETCH(QString, after);

    QApplication::clipboard()->setText(QStringLiteral("Ab3"));
    QLineEdit *field = m_form->passwordField(5);
    field->setText(before);
    field->setFocus();
    field->setCursorPosition(cursor);
    for (QKeyCombination key : keys)
        pressKey(field, key);
    for (QChar c : typed) {
        // Sent with its text, as a keyboard layout would, so non-ASCII keys work too.
        const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, field, key, QString(c), Qt::NoModifier);
    }
    QCOMPARE(field->text(), after);
}

void TestWindow::inputMethod_data()
{
    QTest::addColumn<QString>("commit");
    QTest::addColumn<int>("replaced");
    QTest::addColumn<QString>("after");
    QTest::newRow("a composed small letter is typed") << "a" << 0 << "ABa";
    QTest::newRow("a composed accented letter is dropped") << QStringLiteral("é") << 0 << "AB";
    QTest::newRow("a composed hyphen is dropped") << "-" << 0 << "AB";
    QTest::newRow("replacing the letter before the caret deletes nothing") << "" << 1 << "AB";
}

void TestWindow::inputMethod()
{
    QFETCH(QString, commit);
    QFETCH(int, replaced);
    QFETCH(QString, after);
    QLineEdit *field = m_form->passwordField(5);
    field->setText(QStringLiteral("AB"));
    field->setFocus();
    QInputMethodEvent event;
    event.setCommitString(commit, -replaced, replaced);
    QApplication::sendEvent(field, &event);
    QCOMPARE(field->text(), after);
}

void TestWindow::contextMenuPasteIsOnlyLimited()
{
    QApplication::clipboard()->setText(QStringLiteral("AB-CD"));
    QLineEdit *field = m_form->passwordField(1);
    field->paste(); // what the context menu's Paste runs
    QCOMPARE(field->text(), QStringLiteral("AB-C"));
}

void TestWindow::aboutMessage()
{
    click(button("Button3"));
    QCOMPARE(m_dialogs.messages.size(), 1);
    const QStringList lines = m_dialogs.messages.front().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], QStringLiteral("VORN  version 1.00"));
    QVERIFY(lines[1].isEmpty() && lines[4].isEmpty());
    QVERIFY(!lines[2].isEmpty() && !lines[3].isEmpty() && !lines[5].isEmpty());
    QVERIFY(m_dialogs.errors.isEmpty());
}

void TestWindow::aboutText_data()
{
    QTest::addColumn<QString>("homepage");
    QTest::addColumn<QString>("forum");
    QTest::addColumn<QString>("vendor");
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("place");
    QTest::newRow("both addresses named") << "https://a.invalid/" << "https://b.invalid/f" << "V"
                                          << "Web site: https://a.invalid/" << "Forum: https://b.invalid/f";
    QTest::newRow("no address named: who built it instead")
        << "" << "" << "The VORN developers" << "Built by The VORN developers from the VORN source code."
        << "No web site or forum was named for this build.";
    QTest::newRow("only a web site") << "https://a.invalid/" << "" << "V" << "Web site: https://a.invalid/"
                                     << "No forum was named for this build.";
    QTest::newRow("no address, no vendor") << "" << "" << "" << "Built from the VORN source code."
                                           << "No web site or forum was named for this build.";
}

void TestWindow::aboutText()
{
    QFETCH(QString, homepage);
    QFETCH(QString, forum);
    QFETCH(QString, vendor);
    QFETCH(QString, site);
    QFETCH(QString, place);
    const QStringList lines = vorn::aboutText(homepage, forum, vendor).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines.first(5), (QStringList{QStringLiteral("VORN  version 1.00"), QString(), site, place, QString()}));
    QVERIFY(lines[5].startsWith(QStringLiteral("Free software")));
}

void TestWindow::errorBoxText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");
    QTest::newRow("after a letter") << "File not found" << "File not found.";
    QTest::newRow("after a digit") << "I/O error 5" << "I/O error 5.";
    QTest::newRow("after a slash") << "a/" << "a/.";
    QTest::newRow("after a non-ASCII letter") << "\u00E9" << "\u00E9.";
    QTest::newRow("not after a period") << "Done." << "Done.";
    QTest::newRow("not after !") << "Stop!" << "Stop!";
    QTest::newRow("not after )") << "(x)" << "(x)";
    QTest::newRow("not after -") << "a-" << "a-";
    QTest::newRow("not after a space") << "a " << "a ";
    QTest::newRow("not to the empty text") << "" << "";
    QTest::newRow("a conversion failure") << ConversionFailure(QString()).message()
                                          << "'' is not a valid integer value.";
}

void TestWindow::errorBoxText()
{
    QFETCH(QString, message);
    QFETCH(QString, expected);
    QCOMPARE(vorn::errorBoxText(message), expected);
}

void TestWindow::fieldsAreNamedForScreenReaders()
{
    for (Region region : {Region::U, Region::J}) {
        for (int slot = 1; slot <= SlotCount; ++slot) {
            QAccessibleInterface *field = QAccessible::queryAccessibleInterface(m_form->passwordField(slot));
            QVERIFY(field);
            QCOMPARE(field->text(QAccessible::Name), slotName(region, slot));
        }
        box("CheckBox1")->setChecked(true);
    }
    QAccessibleInterface *save = QAccessible::queryAccessibleInterface(button("Button2"));
    QCOMPARE(save->text(QAccessible::Name), QStringLiteral("Save ROM"));
    QAccessibleInterface *autoselect = QAccessible::queryAccessibleInterface(box("CheckBox2"));
    QCOMPARE(autoselect->text(QAccessible::Name), QStringLiteral("Autoselect ROM"));
}

void TestWindow::regionSwitchByHand()
{
    m_form->passwordField(16)->setText(QStringLiteral("P16"));
    m_form->passwordField(17)->setText(QStringLiteral("Q17"));
    m_form->passwordField(1)->setText(QStringLiteral("AAAA"));
    const QStringList texts = fieldTexts();

    click(box("CheckBox2"));
    QVERIFY(box("CheckBox1")->isEnabled());
    click(box("CheckBox1"));
    QCOMPARE(label("Label1")->text(), QStringLiteral("Zephyra (J)"));
    QCOMPARE(labelTexts(), names(Region::J));
    QCOMPARE(label("Label9")->text(), QStringLiteral("Assecc 1 code"));
    QCOMPARE(label("Label10")->text(), QStringLiteral("Assecc 2 code"));
    for (const char *shown : {"Label19", "Label17", "Label18"})
        QVERIFY2(label(shown)->isVisible(), shown);
    QVERIFY(m_form->passwordField(16)->isVisible() && m_form->passwordField(17)->isVisible());
    QCOMPARE(fieldTexts(), texts);

    click(box("CheckBox1"));
    QCOMPARE(label("Label1")->text(), QStringLiteral("Zephyra (U)"));
    QCOMPARE(labelTexts(), names(Region::U));
    QCOMPARE(label("Label17")->text(), QStringLiteral("None"));
    for (const char *hidden : {"Label19", "Label17", "Label18"})
        QVERIFY2(!label(hidden)->isVisible(), hidden);
    QVERIFY(!m_form->passwordField(16)->isVisible() && !m_form->passwordField(17)->isVisible());
    QCOMPARE(fieldTexts(), texts);
    QVERIFY(!box("CheckBox2")->isChecked());
    QVERIFY(m_dialogs.messages.isEmpty() && m_dialogs.errors.isEmpty());
}

void TestWindow::regionSwitchFromCode()
{
    QVERIFY(!box("CheckBox1")->isEnabled());
    box("CheckBox1")->setChecked(true);
    QCOMPARE(m_form->region(), Region::J);
    box("CheckBox1")->setChecked(true); // the same state: no switch
    QCOMPARE(m_form->region(), Region::J);
    box("CheckBox1")->setChecked(false);
    QCOMPARE(m_form->region(), Region::U);
}

void TestWindow::autoselectToggle()
{
    box("CheckBox1")->setChecked(true);
    click(box("CheckBox2"));
    QVERIFY(box("CheckBox1")->isEnabled());
    QVERIFY(box("CheckBox1")->isChecked());
    click(box("CheckBox2"));
    QVERIFY(!box("CheckBox1")->isEnabled());
    QVERIFY(box("CheckBox1")->isChecked());
    QCOMPARE(m_form->region(), Region::J);
}

void TestWindow::openCancelled()
{
    m_form->passwordField(2)->setText(QStringLiteral("AB"));
    const QStringList before = fieldTexts();
    m_dialogs.answer(std::nullopt);
    click(button("Button1"));
    QCOMPARE(fieldTexts(), before);
    QVERIFY(m_dialogs.messages.isEmpty() && m_dialogs.errors.isEmpty());
    QVERIFY(!button("Button2")->isEnabled() && !button("BitBtn1")->isEnabled());
    QCOMPARE(m_form->region(), Region::U);
    QCOMPARE(m_sys.calls(FaultyFileAccess::Open), 0);

    // After a load the dialog starts at the name accepted last, and cancelling keeps it.
    const QString first = m_files.write(QStringLiteral("u.rom"), ImageFiles::image(Region::U));
    open(first);
    m_dialogs.answer(std::nullopt);
    click(button("Button1"));
    QCOMPARE(m_dialogs.initialNames.last(), first);
    QCOMPARE(m_form->rememberedFileName(), first);
}

void TestWindow::openCompleteImage_data()
{
    QTest::addColumn<bool>("autoselect");
    QTest::addColumn<Region>("region");
    QTest::addColumn<int>("offset");
    QTest::newRow("autoselect on") << true << Region::U << 6803;
    QTest::newRow("autoselect off") << false << Region::U << 6803;
    QTest::newRow("(J) from byte 620, found by autoselect") << true << Region::J << 620;
}

void TestWindow::openCompleteImage()
{
    QFETCH(bool, autoselect);
    QFETCH(Region, region);
    QFETCH(int, offset);
    box("CheckBox2")->setChecked(autoselect);
    const QStringList passwords = {"0000", "1AZ9", "ZZZZ", "9999", "AAAA", "B2C3", "D4E5", "F6G7", "H8I9",
                                   "J0K1", "L2M3", "N4O5", "P6Q7", "R8S9", "T0UV", "WXYZ", "Z0A9"};
    QByteArray image = ImageFiles::image(region);
    image.replace(offset, 68, passwords.join(QString()).toLatin1());
    const QString path = m_files.write(QStringLiteral("u.rom"), image);
    open(path);
    QCOMPARE(fieldTexts(), passwords);
    QCOMPARE(m_form->region(), region);
    QVERIFY(m_dialogs.messages.isEmpty() && m_dialogs.errors.isEmpty());
    QVERIFY(button("Button2")->isEnabled() && button("BitBtn1")->isEnabled());
    QCOMPARE(ImageFiles::read(path), image);
}

void TestWindow::autoselectRetry_data()
{
    QTest::addColumn<bool>("autoselect");
    QTest::addColumn<bool>("bothIncomplete");
    QTest::addColumn<Region>("finalRegion");
    QTest::addColumn<Region>("readFrom");
    QTest::addColumn<int>("wrongRomMessages");

    QTest::newRow("autoselect finds (J)") << true << false << Region::J << Region::J << 0;
    QTest::newRow("without autoselect the user is asked") << false << false << Region::U << Region::U << 1;
    QTest::newRow("both tables incomplete: switched, asked once") << true << true << Region::J << Region::J << 1;
    QTest::newRow("both incomplete without autoselect") << false << true << Region::U << Region::U << 1;
}

void TestWindow::autoselectRetry()
{
    QFETCH(bool, autoselect);
    QFETCH(bool, bothIncomplete);
    QFETCH(Region, finalRegion);
    QFETCH(Region, readFrom);
    QFETCH(int, wrongRomMessages);

    box("CheckBox2")->setChecked(autoselect);
    QByteArray image = ImageFiles::image(Region::J);
    if (bothIncomplete)
        image[static_cast<qsizetype>(byteOffset(Region::J, 15, 4))] = '#';
    open(m_files.write(QStringLiteral("j.rom"), image));

    QCOMPARE(m_form->region(), finalRegion);
    QCOMPARE(box("CheckBox1")->isChecked(), finalRegion == Region::J);
    QCOMPARE(labelTexts(), names(finalRegion));
    QCOMPARE(m_form->passwordField(16)->isVisible(), finalRegion == Region::J);
    QCOMPARE(fieldTexts(), ImageFiles::texts(image, readFrom));
    QCOMPARE(m_dialogs.messages, QStringList(wrongRomMessages, QStringLiteral("You selected the wrong ROM?")));
    QVERIFY(m_dialogs.errors.isEmpty());

    if (bothIncomplete && autoselect) {
        // The next Open ROM starts from the region the retry left.
        m_dialogs.reset();
        open(m_files.write(QStringLiteral("j2.rom"), ImageFiles::image(Region::J)));
        QCOMPARE(m_form->region(), Region::J);
        QVERIFY(m_dialogs.messages.isEmpty());
    }
}

void TestWindow::autoselectRetryReturnsToU()
{
    open(m_files.write(QStringLiteral("j.rom"), ImageFiles::image(Region::J)));
    QCOMPARE(m_form->region(), Region::J);
    const QByteArray image = ImageFiles::image(Region::U);
    open(m_files.write(QStringLiteral("u.rom"), image));
    QCOMPARE(m_form->region(), Region::U);
    QVERIFY(!box("CheckBox1")->isChecked());
    QCOMPARE(labelTexts(), names(Region::U));
    QCOMPARE(fieldTexts(), ImageFiles::texts(image, Region::U));
    QVERIFY(m_dialogs.messages.isEmpty() && m_dialogs.errors.isEmpty());
}

void TestWindow::regionJIgnoresSlots16And17()
{
    box("CheckBox1")->setChecked(true);
    QByteArray image = ImageFiles::image(Region::J);
    image[static_cast<qsizetype>(byteOffset(Region::J, 16, 1))] = '\0';
    image[static_cast<qsizetype>(byteOffset(Region::J, 17, 4))] = 'z';
    open(m_files.write(QStringLiteral("j.rom"), image));
    QCOMPARE(m_form->region(), Region::J);
    QCOMPARE(m_form->passwordField(16)->text().size(), 3);
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestWindow::byteWithoutCharacter_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("byte");
    const int bytes[] = {0, 47, 58, 64, 91, 97, 255};
    int n = 0;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        for (int k = 1; k <= SlotLength; ++k) {
            const int byte = bytes[n++ % std::size(bytes)];
            QTest::addRow("slot %d char %d byte %d", slot, k, byte) << slot << k << byte;
        }
    }
}

void TestWindow::byteWithoutCharacter()
{
    QFETCH(int, slot);
    QFETCH(int, k);
    QFETCH(int, byte);
    box("CheckBox2")->setChecked(false);
    QByteArray image = ImageFiles::image(Region::U);
    image[static_cast<qsizetype>(byteOffset(Region::U, slot, k))] = static_cast<char>(byte);
    open(m_files.write(QStringLiteral("u.rom"), image));

    QStringList expected = ImageFiles::texts(ImageFiles::image(Region::U), Region::U);
    expected[slot - 1].remove(k - 1, 1); // no gap, no placeholder
    QCOMPARE(fieldTexts(), expected);
    QCOMPARE(m_dialogs.messages.size(), slot <= 15 ? 1 : 0);
    QVERIFY(m_dialogs.errors.isEmpty());
}

void TestWindow::openFailure_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing file") << "missing.rom" << "File not found.";
    QTest::newRow("missing folder") << "nowhere/missing.rom" << "Invalid filename.";
    QTest::newRow("folder") << "folder" << "File access denied.";
    QTest::newRow("empty name: code 3") << "" << "Invalid filename.";
}

void TestWindow::openFailure()
{
    QFETCH(QString, name);
    QFETCH(QString, error);
    QDir().mkpath(m_files.path(QStringLiteral("folder")));

    // A loaded image first: a failing open must leave the window as it was.
    const QString good = m_files.write(QStringLiteral("u.rom"), ImageFiles::image(Region::U));
    open(good);
    m_form->passwordField(3)->setText(QStringLiteral("EDIT"));
    const QStringList before = fieldTexts();

    open(name.isEmpty() ? name : m_files.path(name));
    QCOMPARE(m_dialogs.errors, QStringList{error});
    QCOMPARE(fieldTexts(), before);
    QCOMPARE(m_form->region(), Region::U);
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(!QFileInfo::exists(m_files.path(QStringLiteral("missing.rom"))));

    // Reload tries the name that failed, not the one that worked.
    m_dialogs.reset();
    click(button("BitBtn1"));
    QCOMPARE(m_dialogs.errors, QStringList{error});
}

void TestWindow::shortFile_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<int>("size");
    for (Region region : {Region::U, Region::J}) {
        const int offset = static_cast<int>(tableOffset(region));
        for (int size = offset; size <= offset + TableBytesRead; ++size) {
            QTest::addRow("%s %d bytes", region == Region::U ? "U" : "J", size) << region << size;
        }
    }
}

void TestWindow::shortFile()
{
    QFETCH(Region, region);
    QFETCH(int, size);
    if (region == Region::J)
        box("CheckBox1")->setChecked(true);
    const QByteArray full = ImageFiles::image(region);
    const QByteArray image = full.left(size);
    for (int slot = 1; slot <= SlotCount; ++slot)
        m_form->passwordField(slot)->setText(QStringLiteral("OLD"));
    open(m_files.write(QStringLiteral("short.rom"), image));

    const int complete = (size - static_cast<int>(tableOffset(region))) / SlotLength;
    const QStringList texts = ImageFiles::texts(full, region);
    for (int slot = 1; slot <= SlotCount; ++slot)
        QCOMPARE(m_form->passwordField(slot)->text(), slot <= complete ? texts[slot - 1] : QStringLiteral("OLD"));
    const bool fits = complete == SlotCount;
    QCOMPARE(m_dialogs.errors, fits ? QStringList() : QStringList{QStringLiteral("Read beyond end of file.")});
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(button("Button2")->isEnabled());
    QCOMPARE(button("BitBtn1")->isEnabled(), fits);
    QCOMPARE(m_form->region(), region);
}

void TestWindow::failureInsideRetryReload()
{
    const QString path = m_files.write(QStringLiteral("j.rom"), ImageFiles::image(Region::J));
    m_sys.fail(FaultyFileAccess::Read, 2, FileError::systemError(5));
    open(path);
    QCOMPARE(m_form->region(), Region::J);
    QCOMPARE(m_dialogs.errors, QStringList{QStringLiteral("I/O error 5.")});
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestWindow::reloadUsesRememberedName()
{
    const QByteArray first = ImageFiles::image(Region::U, false, 1);
    const QString firstPath = m_files.write(QStringLiteral("first.rom"), first);
    open(firstPath);
    m_dialogs.answer(std::nullopt);
    click(button("Button1"));
    m_form->passwordField(1)->setText(QString());
    click(button("BitBtn1"));
    QCOMPARE(fieldTexts(), ImageFiles::texts(first, Region::U));
    QCOMPARE(ImageFiles::read(firstPath), first);
}

void TestWindow::reloadNeverChecks()
{
    box("CheckBox2")->setChecked(false);
    const QString path = m_files.write(QStringLiteral("u.rom"), ImageFiles::image(Region::U));
    open(path);
    ImageFiles::image(Region::J);
    m_files.write(QStringLiteral("u.rom"), ImageFiles::image(Region::J));
    click(button("BitBtn1"));
    QCOMPARE(m_form->region(), Region::U);
    QVERIFY(m_form->passwordField(1)->text().size() < 4);
    QVERIFY(m_dialogs.messages.isEmpty() && m_dialogs.errors.isEmpty());
}

void TestWindow::loadReplacesTypedText()
{
    for (int slot = 1; slot <= SlotCount; ++slot)
        m_form->passwordField(slot)->setText(QStringLiteral("typd"));
    const QByteArray image = ImageFiles::image(Region::U);
    open(m_files.write(QStringLiteral("u.rom"), image));
    QCOMPARE(fieldTexts(), ImageFiles::texts(image, Region::U));
}

void TestWindow::altRPressesReload()
{
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QTest::keyClick(m_form, Qt::Key_R, Qt::AltModifier);
    QTest::qWait(200);
    QCOMPARE(m_sys.calls(FaultyFileAccess::Open), 0); // disabled: nothing happens
    const QByteArray image = ImageFiles::image(Region::U);
    open(m_files.write(QStringLiteral("u.rom"), image));
    m_form->passwordField(1)->setText(QString());
    QTest::keyClick(m_form, Qt::Key_R, Qt::AltModifier);
    // A mnemonic animates the press before it clicks.
    QTRY_COMPARE(m_form->passwordField(1)->text(), ImageFiles::texts(image, Region::U).front());
}

void TestWindow::enterPressesTheFocusedButton()
{
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QCOMPARE(QApplication::focusWidget(), button("Button1"));
    m_dialogs.answer(std::nullopt);
    pressKey(button("Button1"), Qt::Key_Return);
    QTRY_COMPARE(m_dialogs.initialNames.size(), 1);
    m_dialogs.answer(std::nullopt);
    pressKey(button("Button1"), Qt::KeypadModifier | Qt::Key_Enter);
    QTRY_COMPARE(m_dialogs.initialNames.size(), 2);
    // Enter in a password field presses nothing.
    m_form->passwordField(1)->setFocus();
    pressKey(m_form->passwordField(1), Qt::Key_Return);
    QTest::qWait(200);
    QCOMPARE(m_dialogs.initialNames.size(), 2);
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestWindow::realMessageBoxes_data()
{
    QTest::addColumn<bool>("error");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("wideLine"); // a third line about this wide; -1: just under half the screen
    QTest::newRow("notice, Enter") << false << int(Qt::Key_Return) << 0;
    QTest::newRow("notice, Escape") << false << int(Qt::Key_Escape) << 0;
    QTest::newRow("error, Enter") << true << int(Qt::Key_Return) << 0;
    QTest::newRow("error, Escape") << true << int(Qt::Key_Escape) << 0;
    QTest::newRow("error, a 600-pixel line wraps only beyond half the screen") << true << int(Qt::Key_Return) << 640;
    QTest::newRow("error, a line just under half the screen stays whole") << true << int(Qt::Key_Return) << -1;
}

void TestWindow::realMessageBoxes()
{
    QFETCH(bool, error);
    QFETCH(int, key);
    QFETCH(int, wideLine);
    // The window on the last screen, away from its middle.
    m_form->move(QGuiApplication::screens().last()->availableGeometry().topLeft());
    QTRY_COMPARE(m_form->screen(), QGuiApplication::screens().last());
    const QPoint middle = m_form->screen()->availableGeometry().center();
    const int half = m_form->screen()->availableGeometry().width() / 2;
    QString shown = QStringLiteral("one\r\ntwo");
    if (wideLine) {
        // Words up to the width asked for, a few pixels under it.
        QString wide;
        for (QString next = QStringLiteral("wide"); QFontMetrics(QApplication::font("QLabel")).horizontalAdvance(next)
                 < (wideLine > 0 ? wideLine : half); next += QStringLiteral(" wide"))
            wide = next;
        shown += QStringLiteral("\r\n") + wide;
    }
    // The box is inspected and answered from inside its own event loop; should the key
    // not close it, it is closed anyway so the test cannot hang.
    QString title, text, closedBy;
    QMessageBox::Icon icon = QMessageBox::Question;
    qsizetype buttons = 0;
    QPoint centre;
    int lines = 0, textWidth = 0;
    QTimer::singleShot(0, this, [&] {
        QPointer box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !QTest::qWaitForWindowExposed(box))
            return;
        // A window manager frames the box after it appears: give it that time.
        static_cast<void>(QTest::qWaitFor([&] { return box && box->frameGeometry().center() == middle; }, 1000));
        if (!box)
            return;
        centre = box->frameGeometry().center();
        const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        const int height = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        lines = qRound(height / double(label->fontMetrics().lineSpacing()));
        textWidth = label->width();
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->buttons().size();
        if (buttons == 1)
            closedBy = box->buttons().front()->text();
        QTest::keyClick(box, Qt::Key(key));
        if (box && box->isVisible()) {
            closedBy = QStringLiteral("nothing: the key left it open");
            box->done(0);
        }
    });
    DesktopDialogs dialogs;
    if (error)
        dialogs.error(m_form, shown);
    else
        dialogs.message(m_form, shown);

    QCOMPARE(title, QStringLiteral("VORN"));
    QCOMPARE(text, QString(shown).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(icon, error ? QMessageBox::Critical : QMessageBox::NoIcon);
    QCOMPARE(buttons, 1);
    QCOMPARE(closedBy, QStringLiteral("OK"));
    // The screens here are 800 pixels wide, where the line must wrap, or 1600 and more.
    const bool roomy = half >= 800;
    QVERIFY2(wideLine > 0 && !roomy ? lines > 3 : lines == text.count(QLatin1Char('\n')) + 1,
             qPrintable(QStringLiteral("%1 lines").arg(lines)));
    // A wrapped text takes half the screen, not a narrow column.
    QVERIFY2(lines <= 3 || textWidth >= half, qPrintable(QStringLiteral("wrapped at %1 pixels").arg(textWidth)));
    // Within a pixel each way: systems that draw frames thinner than they report round there.
    QVERIFY2(qAbs(centre.x() - middle.x()) <= 1 && qAbs(centre.y() - middle.y()) <= 1, qPrintable(QStringLiteral("box centred at %1,%2, not %3,%4")
        .arg(centre.x()).arg(centre.y()).arg(middle.x()).arg(middle.y())));
    QVERIFY((m_form->frameGeometry().center() - middle).manhattanLength() > 100);
}

void TestWindow::realFileDialog_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("a name that does not exist is accepted") << true;
    QTest::newRow("cancel chooses nothing") << false;
}

void TestWindow::realFileDialog()
{
    QFETCH(bool, accept);
    const QString last = m_files.write(QStringLiteral("last.rom"), QByteArray(16, '\0'));
    const QString missing = m_files.path(QStringLiteral("missing.rom"));
    QString startedAt;
    bool own = false;
    QTimer::singleShot(0, this, [&] {
        QPointer dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        startedAt = dialog->selectedFiles().value(0);
        // Qt's own: some desktops' dialogs refuse a name that does not exist.
        own = dialog->testOption(QFileDialog::DontUseNativeDialog);
        // A dialog that refused the name would stop on a box of its own: close that too.
        QTimer::singleShot(500, this, [] {
            if (QWidget *box = QApplication::activeModalWidget(); box && !qobject_cast<QFileDialog *>(box))
                box->close();
        });
        if (accept) {
            dialog->selectFile(missing);
            static_cast<QDialog *>(dialog.data())->accept(); // what its Open button runs
        }
        if (dialog && dialog->isVisible())
            dialog->reject();
    });
    const std::optional<QString> chosen = DesktopDialogs().openFileName(m_form, last);
    QCOMPARE(startedAt, last);
    QVERIFY(own);
    QCOMPARE(chosen, accept ? std::optional(missing) : std::nullopt);
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
