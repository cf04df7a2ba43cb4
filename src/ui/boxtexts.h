#pragma once

#include <QString>

// Texts the window's message boxes show.
namespace vorn {

/// The text the error box shows for a failure's message: a period is added when the
/// last character's code is above that of "." (so after a letter or a digit).
QString errorBoxText(const QString &message);

} // namespace vorn
