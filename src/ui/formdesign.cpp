#include "formdesign.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>

namespace vorn::design {

namespace {

// 8 points are the design's 11 pixels where the platform counts 96 pixels to the inch
// (Windows, X11). macOS counts 72, a pixel per point, which would draw the design at three
// quarters of its size, and the layout only ever grows: there the size is set in pixels.
QFont atDesignSize(QFont font)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen && screen->logicalDotsPerInchY() < 96)
        font.setPixelSize(FontPixels);
    else
        font.setPointSize(8);
    return font;
}

} // namespace

QFont editorFont()
{
    // The design's face first, then its TrueType twin and the dialog face of later
    // Windows; a family the system lacks would be replaced by any face, serif ones too.
    for (const char *family : {"MS Sans Serif", "Microsoft Sans Serif", "Tahoma"}) {
        const QFont font = atDesignSize(QFont(QString::fromLatin1(family)));
        if (QFontInfo(font).family().compare(font.family(), Qt::CaseInsensitive) == 0)
            return font;
    }
    QFont general = atDesignSize(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    general.setStyleHint(QFont::SansSerif);
    return general;
}

} // namespace vorn::design
