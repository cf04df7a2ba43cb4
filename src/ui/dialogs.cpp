#include "dialogs.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace vorn {

namespace {

// A box in the middle of the screen that holds the window, modal to the window all the same.
// It asks for that place even where a window manager would place dialogs itself.
class CentredBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

    /// Sizes the box and places its frame, before it is shown. A window manager frames a box
    /// only as it appears, and then puts the frame where it was asked to only if the box was
    /// placed before it existed; else it puts the box there, its frame above and left of it.
    void placeFrame()
    {
        ensurePolished();
        fitText();
        move(framePosition()); // before the box exists, a window's position is its frame's
    }

protected:
    bool event(QEvent *event) override
    {
        const bool handled = QMessageBox::event(event);
        // Qt sizes the box again on each of these; its size must stay ours.
        if (isVisible()
            && (event->type() == QEvent::LayoutRequest || event->type() == QEvent::FontChange
                || event->type() == QEvent::StyleChange))
            fitText();
        return handled;
    }

    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        fitText();
        // Qt's sizing and ours each resize the box, and a resize places the box itself rather
        // than its frame: place the frame again.
        if (windowHandle())
            windowHandle()->setFramePosition(framePosition());
    }

private:
    const QWidget *owner() const { return parentWidget() ? parentWidget()->window() : nullptr; }

    const QScreen *ownerScreen() const
    {
        const QScreen *held = owner() ? owner()->screen() : nullptr;
        return held ? held : QGuiApplication::primaryScreen();
    }

    // The top-left corner of a frame centred on the work area.
    QPoint framePosition() const
    {
        const QScreen *screen = ownerScreen();
        if (!screen)
            return pos();
        // The box's own frame is not known before it is shown; the owner's, from the same
        // manager, is the best guess.
        const QWidget *owner = this->owner();
        const QSize frame = owner ? owner->frameGeometry().size() - owner->size() : QSize();
        QRect outer(QPoint(), size() + frame);
        outer.moveCenter(screen->availableGeometry().center());
        return outer.topLeft();
    }

    // Qt wraps every line wider than 500 pixels; here only a line of text wider than half the
    // screen wraps, and then at half the screen. The icon and margins do not count.
    void fitText()
    {
        auto *label = findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        const QScreen *screen = ownerScreen();
        if (!label || !layout() || !screen)
            return;
        const int half = screen->availableGeometry().width() / 2;
        const bool wrap = label->fontMetrics().size(0, label->text()).width() > half;
        label->setWordWrap(wrap);
        label->setMinimumWidth(wrap ? half : 0);
        layout()->activate();
        const int width = layout()->totalMinimumSize().width();
        setFixedSize(width, layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width)
                                                          : layout()->totalMinimumSize().height());
        // What this resize asks for is already done.
        QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
    }
};

void showBox(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    CentredBox box(icon, applicationTitle(), QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")),
                   QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.placeFrame();
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
