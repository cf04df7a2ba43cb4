#pragma once

#include <QObject>

namespace vorn {

/// Whether typing may insert the character into a password field: 0-9, A-Z, a-z.
bool isPasswordKey(QChar c);

/// Lets only 0-9, A-Z and a-z be typed into a password field. Keys that edit or move
/// without producing a character (Delete, arrows, Home, End, Tab, Shift+Insert, Ctrl+Insert,
/// Shift+Delete) still work; Backspace and the shortcuts typed with a letter (Ctrl+C, Ctrl+V,
/// Ctrl+X, Ctrl+Z, Ctrl+A) do nothing, nor may an input method replace text around the
/// caret. Pasting is left alone: only the field's length limit applies to it.
class PasswordKeyFilter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace vorn
