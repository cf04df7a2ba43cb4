#pragma once

#include <QString>

#include <optional>

namespace vorn {

/// The two releases of the game whose images the editor patches.
enum class Region { U, J };

/// The caption that names a region in the window: "Zephyra (U)" or "Zephyra (J)".
QString regionCaption(Region region);

/// The region a caption names; compares the whole text, case-sensitively.
/// Returns nullopt for any other text.
std::optional<Region> regionFromCaption(const QString &caption);

constexpr Region otherRegion(Region region)
{
    return region == Region::U ? Region::J : Region::U;
}

} // namespace vorn
