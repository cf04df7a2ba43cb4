#pragma once

#include "model/region.h"
#include "model/tablelayout.h"
#include "model/sampleimage.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// Image files for tests and benchmarks, built from the layout in a temporary folder.
class ImageFiles
{
public:
    // fsync on a memory file system is cheap, which keeps save-heavy tests quick.
    ImageFiles()
        : ImageFiles(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath())
    {
    }
    /// A new folder inside `parent`; isValid() tells whether it could be made.
    explicit ImageFiles(const QString &parent)
        : m_dir(parent + QStringLiteral("/vorn-test-XXXXXX"))
    {
    }

    bool isValid() const { return m_dir.isValid(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    /// Writes the file `name` in the folder and returns its path; a failure ends the program.
    QString write(const QString &name, const QByteArray &bytes) const
    {
        if (!store(path(name), bytes))
            qFatal("cannot write test image %s", qPrintable(path(name)));
        return path(name);
    }

    /// Replaces the whole file at `path`; false when that failed.
    static bool store(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()
            && file.flush();
    }

    /// The whole file; a file that cannot be read equals no image, not even an empty one.
    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
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

// Written out here rather than asked of the editor's own table, so a fault there cannot
// hide: the 36 password characters in code order, 0-9 (48-57) and A-Z (65-90).
inline QString tableChars() { return QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"); }
inline bool inTable(int code) { return (code >= 48 && code <= 57) || (code >= 65 && code <= 90); }

/// "U" or "J", for row and benchmark names.
inline const char *regionTag(vorn::Region region) { return region == vorn::Region::U ? "U" : "J"; }

// Read where the game keeps the table, not where the editor's layout says, so that a wrong
// offset there fails every test that compares with these texts. Every byte outside the
// character table shows nothing.
inline QStringList ImageFiles::texts(const QByteArray &image, vorn::Region region)
{
    const qsizetype table = region == vorn::Region::U ? 6803 : 620;
    QStringList result;
    for (int slot = 1; slot <= vorn::SlotCount; ++slot) {
        QString text;
        for (const char byte : image.mid(table + (slot - 1) * 4, 4)) {
            if (inTable(static_cast<unsigned char>(byte)))
                text += QLatin1Char(byte);
        }
        result << text;
    }
    return result;
}
