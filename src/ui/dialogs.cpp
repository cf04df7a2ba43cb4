#include "dialogs.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

namespace vorn {

namespace {

// A box in the middle of the screen that holds the window, modal to the window all the same.
// It asks for that place even where a window manager would place dialogs itself.
class CentredBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event); // gives the box its final size
        const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
        const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        // The box's frame is not known before it is shown; the owner's is the best guess.
        // A window's position is its frame's.
        const QSize frame = owner ? owner->frameGeometry().size() - owner->size() : QSize();
        QRect outer(QPoint(), size() + frame);
        outer.moveCenter(screen->availableGeometry().center());
        move(outer.topLeft());
    }
};

void showBox(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    CentredBox box(icon, applicationTitle(), QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")),
                   QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

} // namespace

QString applicationTitle()
{
    return QStringLiteral("VORN");
}

std::optional<QString> DesktopDialogs::openFileName(QWidget *parent, const QString &initialName)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Some desktops' own dialogs refuse a name that does not exist yet; Qt's accepts it,
    // and the editor then reports plainly that the file was not found.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (!initialName.isEmpty())
        dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    return files.front();
}

void DesktopDialogs::message(QWidget *parent, const QString &text)
{
    showBox(parent, QMessageBox::NoIcon, text);
}

void DesktopDialogs::error(QWidget *parent, const QString &text)
{
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    showBox(parent, QMessageBox::Critical, text);
}

} // namespace vorn
