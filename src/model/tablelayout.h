#pragma once

#include "region.h"

#include <cstdint>

// Where the passwords lie in an image. Every number of the layout lives here.
namespace vorn {

/// Password slots, numbered 1 to SlotCount.
inline constexpr int SlotCount = 17;
/// Characters per password, one byte each.
inline constexpr int SlotLength = 4;
/// Slots a load reads, in either region.
inline constexpr int SlotsRead = SlotCount;
/// Bytes a load reads from the table offset.
inline constexpr int TableBytesRead = SlotsRead * SlotLength;
/// Slots the completeness check after opening looks at, in either region.
inline constexpr int SlotsChecked = 15;

/// Byte offset of the first password character in an image of the region.
constexpr std::int64_t tableOffset(Region region)
{
    return region == Region::U ? 6803 : 620;
}

/// Slots a save writes and tests: 1-15 in (U), 1-17 in (J).
constexpr int slotsWritten(Region region)
{
    return region == Region::U ? 15 : 17;
}

constexpr int bytesWritten(Region region)
{
    return slotsWritten(region) * SlotLength;
}

/// Whether a slot (1-17) is shown in the region; (U) hides 16 and 17.
constexpr bool slotShown(Region region, int slot)
{
    return slot <= slotsWritten(region);
}

/// Byte offset of character k (1-4) of slot n (1-17).
constexpr std::int64_t byteOffset(Region region, int slot, int k)
{
    return tableOffset(region) + SlotLength * (slot - 1) + (k - 1);
}

} // namespace vorn
