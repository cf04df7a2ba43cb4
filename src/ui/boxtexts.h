#pragma once

#include <QString>

// Texts the window's message boxes show.
namespace vorn {

/// The text the error box shows for a failure's message: a period is added when the
/// last character's code is above that of "." (so after a letter or a digit).
QString errorBoxText(const QString &message);

/// The About box: six lines joined by "\r\n". The third and fourth name the web site and
/// the forum the publisher gave; an address left empty is never made up, the line says
/// instead who built the program or that no address was named.
QString aboutText(const QString &homepage, const QString &forum, const QString &vendor);

} // namespace vorn
