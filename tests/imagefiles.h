#pragma once

#include "model/region.h"
#include "model/tablelayout.h"
#include "rom/sampleimage.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// Image files for tests, built from the layout in a temporary folder.
class ImageFiles
{
public:
    // fsync on a memory file system is cheap, which keeps save-heavy tests quick.
    ImageFiles()
        : m_dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/vorn-test-XXXXXX")
                                                          : QDir::tempPath() + QStringLiteral("/vorn-test-XXXXXX"))
    {
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write test image %s", qPrintable(path(name)));
        return path(name);
    }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    /// Four-character texts as slot bytes.
    static QList<QByteArray> slotBytes(const QStringList &texts)
    {
        QList<QByteArray> bytes;
        for (const QString &text : texts)
            bytes << text.toLatin1();
        return bytes;
    }

    /// A sample image of `complete` whose table at the other region's offset is
    /// incomplete; with `bothIncomplete` its own table is spoiled too.
    static QByteArray image(vorn::Region complete, bool bothIncomplete = false, std::uint32_t seed = 1)
    {
        QByteArray bytes = vorn::sampleImage(complete, seed);
        if (bothIncomplete)
            bytes[static_cast<qsizetype>(vorn::byteOffset(complete, 3, 2))] = 'a';
        return bytes;
    }

    /// The 17 texts a load of the region reads from an image.
    static QStringList texts(const QByteArray &image, vorn::Region region);

private:
    QTemporaryDir m_dir;
};

// Written out here rather than asked of the editor's own decoder, so a fault there cannot
// hide: bytes 48-57 and 65-90 are 0-9 and A-Z, and every other byte shows nothing.
inline QStringList ImageFiles::texts(const QByteArray &image, vorn::Region region)
{
    QStringList result;
    for (int slot = 1; slot <= vorn::SlotCount; ++slot) {
        QString text;
        for (const char byte : image.mid(static_cast<qsizetype>(vorn::byteOffset(region, slot, 1)), vorn::SlotLength)) {
            if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z'))
                text += QLatin1Char(byte);
        }
        result << text;
    }
    return result;
}
