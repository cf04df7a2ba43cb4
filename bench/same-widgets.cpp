// The editor's window with nothing behind it: the same widgets, texts and design
// geometry, written out as fixed numbers, with no scaling, handlers or file layer.
// scripts/startup-bench.sh takes its start-up and memory as the least the editor can
// need, so the editor's own work is what the two differ by.
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QWidget>

namespace {

// The (U) names of slots 1-17; 16 and 17 are unused there and hidden.
constexpr const char *SlotNames[] = {
    "Level 2 (1st Quest)", "Level 3 (1st Quest)", "Level 4 (1st Quest)",
    "Level 5 (1st Quest)", "Level 6 (1st Quest)", "Level 7 (1st Quest)",
    "Level 8 (1st Quest)", "Level 1 (2nd Quest)", "Level 2 (2nd Quest)",
    "Level 3 (2nd Quest)", "Level 4 (2nd Quest)", "Level 5 (2nd Quest)",
    "Level 6 (2nd Quest)", "Level 7 (2nd Quest)", "Level 8 (2nd Quest)",
    "None", "None",
};

QFont editorFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    if (QFontInfo(font).family() == font.family())
        return font;
    QFont substitute(QStringLiteral("Sans Serif"));
    substitute.setStyleHint(QFont::SansSerif);
    substitute.setPointSize(8);
    return substitute;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("VORN same widgets"));
    window.setFont(editorFont());
    window.setBackgroundRole(QPalette::Button);
    window.setFixedSize(387, 310);

    auto *group = new QGroupBox(QStringLiteral(" Passwords "), &window);
    group->setGeometry(0, 0, 387, 310);
    // Slots 1-9 in the left column, 10-17 in the right; a name runs to the next column
    // or to the frame's edge.
    for (int i = 0; i < 17; ++i) {
        const bool left = i < 9;
        const int x = left ? 16 : 214;
        const int y = 26 + 24 * (left ? i : i - 9);
        const bool shown = i < 15;
        auto *field = new QLineEdit(group);
        field->setMaxLength(4);
        field->setGeometry(x, y, 57, 21);
        field->setVisible(shown);
        auto *label = new QLabel(QString::fromLatin1(SlotNames[i]), group);
        label->setGeometry(x + 64, y + 4, left ? 128 : 103, 13);
        label->setVisible(shown);
    }
    auto *hint = new QLabel(
        QStringLiteral("In (J) enter: Access 1code > Acess 2 code > 2nd Quest code"), group);
    hint->setGeometry(73, 9, 308, 13);
    hint->setVisible(false);

    auto *autoselect = new QCheckBox(QStringLiteral("Autoselect ROM"), group);
    autoselect->setChecked(true);
    autoselect->setGeometry(16, 249, 110, 17);
    auto *changeRom = new QCheckBox(QStringLiteral("Change ROM (U)/( J)"), group);
    changeRom->setEnabled(false);
    changeRom->setGeometry(130, 248, 129, 17);
    (new QLabel(QStringLiteral("ROM:"), group))->setGeometry(263, 249, 33, 13);
    (new QLabel(QStringLiteral("Zephyra (U)"), group))->setGeometry(298, 249, 83, 13);

    (new QPushButton(QStringLiteral("Open ROM..."), group))->setGeometry(16, 272, 81, 25);
    auto *reload = new QPushButton(window.style()->standardIcon(QStyle::SP_BrowserReload),
                                   QStringLiteral("&Reload"), group);
    reload->setEnabled(false);
    reload->setGeometry(104, 272, 89, 25);
    auto *save = new QPushButton(QStringLiteral("Save ROM"), group);
    save->setEnabled(false);
    save->setGeometry(200, 272, 89, 25);
    (new QPushButton(QStringLiteral("About..."), group))->setGeometry(296, 272, 73, 25);

    window.show();
    return app.exec();
}
