#include "ui/dialogs.h"
#include "ui/tform1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(vorn::applicationTitle());
    QApplication::setApplicationVersion(QStringLiteral(VORN_VERSION));
    vorn::DesktopDialogs dialogs;
    vorn::TForm1 Form1(dialogs);
    Form1.show();
    return app.exec();
}
