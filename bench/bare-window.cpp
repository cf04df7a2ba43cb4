// The least a Qt Widgets program does to show a window: the baseline the editor's
// start-up time and memory are compared against (bench/startup-bench.sh).
//   vorn-bare-window [--text]
// --text adds a label and a field, so the window also loads fonts as any window with
// text must: it tells how much of the editor's lead is the font set-up alone.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("VORN bare window"));
    // About the editor's size, so both draw a similar area when shown.
    window.resize(390, 310);
    if (QApplication::arguments().contains(QStringLiteral("--text"))) {
        auto *label = new QLabel(QStringLiteral("Password"), &window);
        label->move(16, 16);
        auto *field = new QLineEdit(QStringLiteral("ABCD"), &window);
        field->move(16, 40);
    }
    window.show();
    return app.exec();
}
