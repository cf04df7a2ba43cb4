#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace vorn {

/// The modal dialogs the window shows. The window talks to them only through this seam,
/// so tests can answer them without a screen or a user.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    /// Asks for an image file, starting at `initialName`; a name that does not exist may
    /// be chosen. Returns nullopt when the user cancels.
    virtual std::optional<QString> openFileName(QWidget *parent, const QString &initialName) = 0;

    /// A notice without icon, captioned with the application title, with one OK button.
    /// "\r\n" in `text` starts a new line.
    virtual void message(QWidget *parent, const QString &text) = 0;

    /// The error box: stop icon, application title, one OK button.
    virtual void error(QWidget *parent, const QString &text) = 0;
};

/// The application title every box carries.
QString applicationTitle();

/// The real dialogs of the desktop.
class DesktopDialogs : public Dialogs
{
public:
    std::optional<QString> openFileName(QWidget *parent, const QString &initialName) override;
    void message(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
};

} // namespace vorn
