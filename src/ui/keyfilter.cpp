#include "keyfilter.h"

#include "model/charcodes.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace vorn {

namespace {

bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

// The clipboard, undo and select-all shortcuts typed with a letter (Ctrl+C, Ctrl+V, Ctrl+X,
// Ctrl+Z, Ctrl+A, ...). Shift+Insert, Ctrl+Insert and Shift+Delete still paste, copy and cut.
bool isBlockedShortcut(const QKeyEvent *key)
{
    if (key->key() < Qt::Key_A || key->key() > Qt::Key_Z)
        return false;
    for (QKeySequence::StandardKey shortcut : {QKeySequence::Paste, QKeySequence::Copy,
                                               QKeySequence::Cut, QKeySequence::Undo,
                                               QKeySequence::Redo, QKeySequence::SelectAll}) {
        if (key->matches(shortcut))
            return true;
    }
    return false;
}

// Returns true when the key must be discarded.
bool discardKey(const QKeyEvent *key)
{
    if (isBlockedShortcut(key) || key->key() == Qt::Key_Backspace)
        return true;
    // Delete removes one character; with a modifier it would remove a word or a line.
    if (key->key() == Qt::Key_Delete
        && (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return true;
    if (isNavigationKey(key->key()))
        return false;
    const QString text = key->text();
    if (text.isEmpty())
        return false; // a lone modifier or a function key inserts nothing
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    return text.size() != 1 || !isPasswordKey(text.front());
}

bool allPasswordKeys(const QString &text)
{
    return std::all_of(text.begin(), text.end(), isPasswordKey);
}

} // namespace

bool isPasswordKey(QChar c)
{
    // Small letters too: a save raises them to the table's capitals.
    return isPasswordChar(upperCaseAscii(QString(c)).front());
}

bool PasswordKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return discardKey(static_cast<QKeyEvent *>(event));
    case QEvent::InputMethod: {
        // Composed input (dead keys, input methods) is typing too. An input method may also
        // ask to replace text around the caret; that would delete, which Backspace may not.
        const auto *input = static_cast<QInputMethodEvent *>(event);
        return input->replacementLength() != 0 || !allPasswordKeys(input->commitString());
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace vorn
