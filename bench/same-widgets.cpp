// The editor's window with nothing behind it: the same widgets, texts, design geometry and
// font, with no scaling, handlers or file layer. scripts/startup-bench.sh takes its start-up
// and memory as the least the editor can need, so the editor's own work is what the two
// differ by.
#include "ui/formdesign.h"

#include <QApplication>
#include <QCheckBox>
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

// Places a widget at its design box, unscaled.
void place(QWidget *widget, const vorn::design::Box &box)
{
    widget->setGeometry(box.x, box.y, box.w, box.h);
}

} // namespace

int main(int argc, char *argv[])
{
    using namespace vorn::design;
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("VORN same widgets"));
    window.setFont(editorFont());
    window.setBackgroundRole(QPalette::Button);
    window.setFixedSize(GroupBoxRect.w, GroupBoxRect.h);

    auto *group = new QGroupBox(QStringLiteral(" Passwords "), &window);
    place(group, GroupBoxRect);
    for (int slot = 1; slot <= vorn::SlotCount; ++slot) {
        const bool shown = vorn::slotShown(vorn::Region::U, slot);
        auto *field = new QLineEdit(group);
        field->setMaxLength(vorn::SlotLength);
        place(field, fieldRect(slot));
        field->setVisible(shown);
        auto *label = new QLabel(QString::fromLatin1(SlotNames[slot - 1]), group);
        place(label, labelRect(slot));
        label->setVisible(shown);
    }
    auto *hint = new QLabel(
        QStringLiteral("In (J) enter: Access 1code > Acess 2 code > 2nd Quest code"), group);
    place(hint, HintRect);
    hint->setVisible(false);

    auto *autoselect = new QCheckBox(QStringLiteral("Autoselect ROM"), group);
    autoselect->setChecked(true);
    place(autoselect, AutoselectRect);
    auto *changeRom = new QCheckBox(QStringLiteral("Change ROM (U)/( J)"), group);
    changeRom->setEnabled(false);
    place(changeRom, ChangeRomRect);
    place(new QLabel(QStringLiteral("ROM:"), group), RomLabelRect);
    place(new QLabel(QStringLiteral("Zephyra (U)"), group), RegionLabelRect);

    place(new QPushButton(QStringLiteral("Open ROM..."), group), OpenRect);
    auto *reload = new QPushButton(window.style()->standardIcon(QStyle::SP_BrowserReload),
                                   QStringLiteral("&Reload"), group);
    reload->setEnabled(false);
    place(reload, ReloadRect);
    auto *save = new QPushButton(QStringLiteral("Save ROM"), group);
    save->setEnabled(false);
    place(save, SaveRect);
    place(new QPushButton(QStringLiteral("About..."), group), AboutRect);

    window.show();
    return app.exec();
}
