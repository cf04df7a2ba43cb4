// Writes synthetic Zephyra images, so nobody needs a real game image to try the editor.
#include "model/region.h"
#include "model/tablelayout.h"
#include "model/sampleimage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTextStream>

using namespace vorn;

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << "vorn-sample-rom: " << message << '\n';
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vorn-sample-rom"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VORN_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a synthetic image: %1 bytes of filler with a complete password table\n"
                       "of the region at its offset (6803 for u, 620 for j).")
            .arg(QLocale(QLocale::English).toString(SampleImageSize)));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {{QStringLiteral("r"), QStringLiteral("region")}, QStringLiteral("u or j (default u)."), QStringLiteral("region"), QStringLiteral("u")},
        {{QStringLiteral("p"), QStringLiteral("passwords")},
         QStringLiteral("Comma-separated texts of slots 1 to 17, four characters each, written as they are "
                        "(so lower-case or other characters make incomplete slots)."),
         QStringLiteral("list")},
        {QStringLiteral("hex"), QStringLiteral("Raw table bytes in hex, written from the region's offset (up to 68 bytes)."), QStringLiteral("hex")},
        {QStringLiteral("size"), QStringLiteral("Cut or extend the image to this many bytes."), QStringLiteral("bytes")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the filler and the default passwords (default 1)."), QStringLiteral("n"), QStringLiteral("1")},
    });
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The image to write (replaced if it exists)."));
    // An unknown option or a missing value is a usage error like any other here: exit 2.
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText());
    parser.process(app); // --help and --version

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return fail(QStringLiteral("give exactly one file name (see --help)"));
    const QString regionName = parser.value(QStringLiteral("region")).toLower();
    if (regionName != QLatin1String("u") && regionName != QLatin1String("j"))
        return fail(QStringLiteral("the region is u or j"));
    const Region region = regionName == QLatin1String("u") ? Region::U : Region::J;
    bool ok = false;
    const std::uint32_t seed = parser.value(QStringLiteral("seed")).toUInt(&ok);
    if (!ok)
        return fail(QStringLiteral("the seed is a whole number"));

    QByteArray image = sampleImage(region, seed);
    QList<QByteArray> slotBytes;
    if (parser.isSet(QStringLiteral("passwords"))) {
        for (const QString &text : parser.value(QStringLiteral("passwords")).split(QLatin1Char(','))) {
            if (text.size() != SlotLength)
                return fail(QStringLiteral("each password has four characters: \"%1\"").arg(text));
            slotBytes << text.toLatin1();
        }
    }
    if (parser.isSet(QStringLiteral("hex"))) {
        // fromHex skips what is not a hex digit, which would turn a typo into no bytes at all.
        const QString hex = parser.value(QStringLiteral("hex"));
        static const QRegularExpression bytePairs(QStringLiteral("^([0-9A-Fa-f]{2})*$"));
        if (!bytePairs.match(hex).hasMatch())
            return fail(QStringLiteral("--hex takes two hexadecimal digits a byte: \"%1\"").arg(hex));
        const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
        if (bytes.size() > TableBytesRead || bytes.size() % SlotLength != 0)
            return fail(QStringLiteral("--hex takes whole slots, at most 68 bytes"));
        for (qsizetype at = 0; at < bytes.size(); at += SlotLength)
            slotBytes << bytes.mid(at, SlotLength);
    }
    if (slotBytes.size() > SlotCount)
        return fail(QStringLiteral("at most 17 slots"));
    putTable(image, region, slotBytes);
    if (parser.isSet(QStringLiteral("size"))) {
        const int size = parser.value(QStringLiteral("size")).toInt(&ok);
        if (!ok || size < 0)
            return fail(QStringLiteral("the size is a whole number of bytes"));
        const int oldSize = static_cast<int>(image.size());
        image.resize(size);
        if (size > oldSize)
            image.replace(oldSize, size - oldSize, sampleFiller(size - oldSize, seed + 1));
    }

    QFile out(files.front());
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(image) != image.size()
        || !out.flush()) {
        return fail(QStringLiteral("cannot write %1: %2").arg(files.front(), out.errorString()));
    }
    return 0;
}
