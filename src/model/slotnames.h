#pragma once

#include "region.h"

#include <QString>

namespace vorn {

/// The level a slot (1-17) unlocks in the region; "None" for the slots (U) does not use.
QString slotName(Region region, int slot);

/// The name every slot label carries before the window names it.
QString unusedSlotName();

/// The hint line shown in (J) only.
QString hintText();

} // namespace vorn
