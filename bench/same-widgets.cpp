// The editor's window with nothing behind it: the same widgets, texts, design geometry and
// font, with no scaling, handlers or file layer. bench/startup-bench.sh takes its start-up
// and memory as the least the editor can need, so the editor's own work is what the two
// differ by.
#include "model/region.h"
#include "model/slotnames.h"
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

// Places a widget at its design box, unscaled.
template<typename Widget>
Widget *place(Widget *widget, const vorn::design::Box &box)
{
    widget->setGeometry(box.x, box.y, box.w, box.h);
    return widget;
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
        auto *field = place(new QLineEdit(group), fieldRect(slot));
        field->setMaxLength(vorn::SlotLength);
        field->setVisible(shown);
        place(new QLabel(vorn::slotName(vorn::Region::U, slot), group), labelRect(slot))->setVisible(shown);
    }
    place(new QLabel(vorn::hintText(), group), HintRect)->setVisible(false);

    place(new QCheckBox(QStringLiteral("Autoselect ROM"), group), AutoselectRect)->setChecked(true);
    place(new QCheckBox(QStringLiteral("Change ROM (U)/( J)"), group), ChangeRomRect)->setEnabled(false);
    place(new QLabel(QStringLiteral("ROM:"), group), RomLabelRect);
    place(new QLabel(vorn::regionCaption(vorn::Region::U), group), RegionLabelRect);

    place(new QPushButton(QStringLiteral("Open ROM..."), group), OpenRect);
    place(new QPushButton(window.style()->standardIcon(QStyle::SP_BrowserReload), QStringLiteral("&Reload"), group),
          ReloadRect)
        ->setEnabled(false);
    place(new QPushButton(QStringLiteral("Save ROM"), group), SaveRect)->setEnabled(false);
    place(new QPushButton(QStringLiteral("About..."), group), AboutRect);

    window.show();
    return app.exec();
}
