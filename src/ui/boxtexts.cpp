#include "boxtexts.h"

#include <QCoreApplication>
#include <QStringList>

namespace vorn {

QString errorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + QLatin1Char('.');
    return message;
}

QString aboutText(const QString &homepage, const QString &forum, const QString &vendor)
{
    QString site = QCoreApplication::translate("vorn", "Web site: %1").arg(homepage);
    QString place = QCoreApplication::translate("vorn", "Forum: %1").arg(forum);
    if (homepage.isEmpty() && forum.isEmpty()) {
        site = vendor.isEmpty()
                   ? QCoreApplication::translate("vorn", "Built from the VORN source code.")
                   : QCoreApplication::translate("vorn", "Built by %1 from the VORN source code.").arg(vendor);
        place = QCoreApplication::translate("vorn", "No web site or forum was named for this build.");
    } else if (homepage.isEmpty()) {
        site = QCoreApplication::translate("vorn", "No web site was named for this build.");
    } else if (forum.isEmpty()) {
        place = QCoreApplication::translate("vorn", "No forum was named for this build.");
    }
    const QString notice = QCoreApplication::translate(
        "vorn", "Free software for players and ROM hackers; not connected with the game's makers.");
    return QStringList{QCoreApplication::translate("vorn", "VORN  version 1.00"), QString(), site, place,
                       QString(), notice}
        .join(QLatin1String("\r\n"));
}

} // namespace vorn
