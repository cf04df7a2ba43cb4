#include "imagefiles.h"

#include "model/charcodes.h"
#include "model/region.h"
#include "model/slotnames.h"
#include "model/tablelayout.h"

#include <QLocale>
#include <QtTest>

#include <array>
#include <cstdint>

using namespace vorn;

Q_DECLARE_METATYPE(vorn::Region)

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void passwordChars();
    void codeTextToChar_data();
    void codeTextToChar();
    void charToCodeText_data();
    void charToCodeText();
    void byteToChar_data();
    void byteToChar();
    void slotTextFromBytes_data();
    void slotTextFromBytes();
    void charToByte_data();
    void charToByte();
    void upperCaseAscii_data();
    void upperCaseAscii();
    void byteOffset_data();
    void byteOffset();
    void tableIsContiguous_data();
    void tableIsContiguous();
    void regionFromCaption_data();
    void regionFromCaption();
    void slotNames_data();
    void slotNames();
    void hintText();
};

void TestModel::passwordChars()
{
    QCOMPARE(vorn::passwordChars(), tableChars());
    QVERIFY(isPasswordChar(QLatin1Char('Z')) && !isPasswordChar(QLatin1Char('z')) && !isPasswordChar(QLatin1Char('@')));
}

void TestModel::codeTextToChar_data()
{
    QTest::addColumn<QString>("codeText");
    QTest::addColumn<QString>("expected");
    for (QChar c : tableChars())
        QTest::addRow("%d gives %c", c.unicode(), char(c.unicode()))
            << QString::number(c.unicode()) << QString(c);

    const QStringList refused = {
        "065", "048", "", " 65", "65 ", "+65", "-65", "97", "122", "0", "47", "58", "64", "91",
        "321",   // 321 mod 256 is 65: the code must not be cut to a byte
        "65601", // 65601 mod 65536 is 65
        "6\u0665", "\uFF16\uFF15", "65.0", "0x41", "A",
    };
    for (const QString &text : refused)
        QTest::addRow("\"%s\" is no code text", qPrintable(text)) << text << QString();
}

void TestModel::codeTextToChar()
{
    QFETCH(QString, codeText);
    QFETCH(QString, expected);
    QCOMPARE(CodeTextToChar(codeText), expected);
}

void TestModel::charToCodeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    for (QChar c : tableChars())
        QTest::addRow("%c gives %d", char(c.unicode()), c.unicode())
            << QString(c) << QString::number(c.unicode());

    const QStringList refused = {
        "a", "z", "AB", "0A", "", " ", "-", ".", "@", "[", "/", ":", QString(QChar(0)),
        "\u00E9", "\u00DF", "\uFF21",
        "\u0141", // U+0141: its low byte is 'A'
        "\u0130",
    };
    for (const QString &text : refused)
        QTest::addRow("\"%s\" has no code text", qPrintable(text)) << text << QString();
}

void TestModel::charToCodeText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(CharToCodeText(text), expected);
}

void TestModel::byteToChar_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("expected");
    for (int byte = 0; byte < 256; ++byte)
        QTest::addRow("byte %d", byte)
            << byte << (inTable(byte) ? QString(QChar(byte)) : QString());
}

void TestModel::byteToChar()
{
    QFETCH(int, byte);
    QFETCH(QString, expected);
    QCOMPARE(vorn::byteToChar(static_cast<std::uint8_t>(byte)), expected);
}

void TestModel::slotTextFromBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("complete") << QByteArray("Z9A0") << "Z9A0";
    QTest::newRow("a byte outside leaves no gap") << QByteArray("A\0BC", 4) << "ABC";
    QTest::newRow("last byte counts") << QByteArray("A\0BD", 4) << "ABD";
    QTest::newRow("lower case is outside") << QByteArray("aBcD") << "BD";
    QTest::newRow("all outside") << QByteArray("\x00\xff-a", 4) << "";
}

void TestModel::slotTextFromBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    QCOMPARE(vorn::slotTextFromBytes(std::span(data, bytes.size())), expected);
}

void TestModel::charToByte_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // -1: no byte
    for (QChar c : tableChars())
        QTest::addRow("%c", char(c.unicode())) << QString(c) << int(c.unicode());
    for (const char *text : {"", "a", "AB", "-", " ", "\u00E9", "\u0141", "\u0130"})
        QTest::addRow("\"%s\" has no byte", text) << QString::fromUtf8(text) << -1;
}

void TestModel::charToByte()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    const std::optional<std::uint8_t> byte = vorn::charToByte(text);
    if (expected < 0) {
        QVERIFY(!byte);
        return;
    }
    QVERIFY(byte);
    QCOMPARE(int(*byte), expected);
    QCOMPARE(vorn::byteToChar(*byte), text);
    QCOMPARE(CodeTextToChar(CharToCodeText(text)), text);
}

void TestModel::upperCaseAscii_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("turkish");
    QTest::newRow("a-z") << "abcdefghijklmnopqrstuvwxyz" << "ABCDEFGHIJKLMNOPQRSTUVWXYZ" << false;
    QTest::newRow("mixed") << "aB3z" << "AB3Z" << false;
    QTest::newRow("digits and punctuation") << "09-_ .@[`{" << "09-_ .@[`{" << false;
    QTest::newRow("sharp s stays one char") << "\u00DFa" << "\u00DFA" << false;
    QTest::newRow("accented letter stays") << "\u00E9a" << "\u00E9A" << false;
    QTest::newRow("i under a Turkish locale") << "ii" << "II" << true;
    QTest::newRow("dotless i stays") << "\u0131" << "\u0131" << true;
    QTest::newRow("empty") << "" << "" << false;
}

void TestModel::upperCaseAscii()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(bool, turkish);
    const QLocale saved;
    if (turkish)
        QLocale::setDefault(QLocale(QLocale::Turkish));
    const QString result = vorn::upperCaseAscii(text);
    QLocale::setDefault(saved);
    QCOMPARE(result, expected);
    QCOMPARE(result.size(), text.size());
}

void TestModel::byteOffset_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("k");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("(U) slot 1 char 1") << Region::U << 1 << 1 << qint64(6803);
    QTest::newRow("(U) slot 1 char 4") << Region::U << 1 << 4 << qint64(6806);
    QTest::newRow("(U) slot 2 char 1") << Region::U << 2 << 1 << qint64(6807);
    QTest::newRow("(U) slot 15 char 4") << Region::U << 15 << 4 << qint64(6862);
    QTest::newRow("(U) slot 17 char 4") << Region::U << 17 << 4 << qint64(6870);
    QTest::newRow("(J) slot 1 char 1") << Region::J << 1 << 1 << qint64(620);
    QTest::newRow("(J) slot 15 char 4") << Region::J << 15 << 4 << qint64(679);
    QTest::newRow("(J) slot 17 char 4") << Region::J << 17 << 4 << qint64(687);
}

void TestModel::byteOffset()
{
    QFETCH(Region, region);
    QFETCH(int, slot);
    QFETCH(int, k);
    QFETCH(qint64, expected);
    QCOMPARE(vorn::byteOffset(region, slot, k), expected);
}

void TestModel::tableIsContiguous_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<int>("written");
    QTest::newRow("(U)") << Region::U << qint64(6803) << 15;
    QTest::newRow("(J)") << Region::J << qint64(620) << 17;
}

void TestModel::tableIsContiguous()
{
    QFETCH(Region, region);
    QFETCH(qint64, offset);
    QFETCH(int, written);
    QCOMPARE(tableOffset(region), offset);
    QCOMPARE(slotsWritten(region), written);
    QCOMPARE(bytesWritten(region), written * 4);
    QCOMPARE(TableBytesRead, 68);
    // Every slot and character maps to its own byte, slot 1 first, without holes.
    qint64 expected = offset;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        QCOMPARE(slotShown(region, slot), slot <= written);
        for (int k = 1; k <= SlotLength; ++k)
            QCOMPARE(vorn::byteOffset(region, slot, k), expected++);
    }
    QCOMPARE(expected, offset + TableBytesRead);
}

void TestModel::regionFromCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("expected"); // -1: no region
    QTest::newRow("(U)") << "Zephyra (U)" << int(Region::U);
    QTest::newRow("(J)") << "Zephyra (J)" << int(Region::J);
    QTest::newRow("lower case") << "zephyra (u)" << -1;
    QTest::newRow("lower-case region letter") << "Zephyra (j)" << -1;
    QTest::newRow("trailing space") << "Zephyra (U) " << -1;
    QTest::newRow("leading space") << " Zephyra (J)" << -1;
    QTest::newRow("region letter alone") << "U" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestModel::regionFromCaption()
{
    QFETCH(QString, caption);
    QFETCH(int, expected);
    const std::optional<Region> region = vorn::regionFromCaption(caption);
    QCOMPARE(region ? int(*region) : -1, expected);
    if (region)
        QCOMPARE(regionCaption(*region), caption);
}

void TestModel::slotNames_data()
{
    QTest::addColumn<Region>("region");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("expected");
    // (J) keeps the players' spelling "Assecc", and its second quest starts two slots later.
    static const char *const names[SlotCount][2] = {
        {"Level 2 (1st Quest)", "Level 2 (1st Quest)"}, {"Level 3 (1st Quest)", "Level 3 (1st Quest)"},
        {"Level 4 (1st Quest)", "Level 4 (1st Quest)"}, {"Level 5 (1st Quest)", "Level 5 (1st Quest)"},
        {"Level 6 (1st Quest)", "Level 6 (1st Quest)"}, {"Level 7 (1st Quest)", "Level 7 (1st Quest)"},
        {"Level 8 (1st Quest)", "Level 8 (1st Quest)"}, {"Level 1 (2nd Quest)", "Assecc 1 code"},
        {"Level 2 (2nd Quest)", "Assecc 2 code"},       {"Level 3 (2nd Quest)", "Level 1 (2nd Quest)"},
        {"Level 4 (2nd Quest)", "Level 2 (2nd Quest)"}, {"Level 5 (2nd Quest)", "Level 3 (2nd Quest)"},
        {"Level 6 (2nd Quest)", "Level 4 (2nd Quest)"}, {"Level 7 (2nd Quest)", "Level 5 (2nd Quest)"},
        {"Level 8 (2nd Quest)", "Level 6 (2nd Quest)"}, {"None", "Level 7 (2nd Quest)"},
        {"None", "Level 8 (2nd Quest)"},
    };
    for (int slot = 1; slot <= SlotCount; ++slot) {
        QTest::addRow("(U) slot %d", slot) << Region::U << slot << names[slot - 1][0];
        QTest::addRow("(J) slot %d", slot) << Region::J << slot << names[slot - 1][1];
    }
    for (Region region : {Region::U, Region::J}) {
        QTest::addRow("(%s) slot 0 has no name", regionTag(region)) << region << 0 << "";
        QTest::addRow("(%s) slot 18 has no name", regionTag(region)) << region << 18 << "";
    }
}

void TestModel::slotNames()
{
    QFETCH(Region, region);
    QFETCH(int, slot);
    QFETCH(QString, expected);
    QCOMPARE(slotName(region, slot), expected);
}

void TestModel::hintText()
{
    const QString hint = vorn::hintText();
    QCOMPARE(hint, "In (J) enter: Access 1code > Acess 2 code > 2nd Quest code");
    QCOMPARE(hint.size(), 58);
    QCOMPARE(unusedSlotName(), "None");
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
