#include "region.h"

namespace vorn {

QString regionCaption(Region region)
{
    return region == Region::U ? QStringLiteral("Zephyra (U)") : QStringLiteral("Zephyra (J)");
}

std::optional<Region> regionFromCaption(const QString &caption)
{
    for (Region region : {Region::U, Region::J}) {
        if (caption == regionCaption(region))
            return region;
    }
    return std::nullopt;
}

} // namespace vorn
