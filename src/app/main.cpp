#include "ui/dialogs.h"
#include "ui/tform1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(vorn::applicationTitle());
    QApplication::setApplicationVersion(QStringLiteral(VORN_VERSION));
    // Ties the running window to its menu entry and icon in task bars.
    const QString id = QStringLiteral(VORN_APP_ID);
    QGuiApplication::setDesktopFileName(id);
    QApplication::setWindowIcon(QIcon::fromTheme(id, QIcon(QStringLiteral(":/icons/%1.png").arg(id))));
    vorn::DesktopDialogs dialogs;
    vorn::TForm1 Form1(dialogs);
    Form1.show();
    return app.exec();
}
