#pragma once

#include "failure.h"
#include "model/region.h"
#include "model/tablelayout.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vorn {

class RomFile;

/// What a load got from the password table.
struct TableRead
{
    /// Texts of slots 1-17; only the first `slotsRead` are meaningful.
    std::array<QString, SlotsRead> texts;
    /// Slots whose four bytes all arrived.
    int slotsRead = 0;
    /// Set when a byte could not be read; the slot holding it and all later ones are missing.
    std::optional<IoFailure> failure;
};

/// Reads the 17 slots (68 bytes) from the file's current position in one transfer,
/// with the outcome 68 one-byte reads would have. Never throws.
TableRead readPasswordTable(RomFile &file);

/// The bytes a save writes in the region: the first slotsWritten(region) texts, four
/// characters each, slot 1 first. Every character is converted before anything is
/// returned, so a character outside the table (ConversionFailure) leaves nothing half done.
std::vector<std::uint8_t> encodePasswords(std::span<const QString> texts, Region region);

/// Throws unless the file reaches the last byte a save in the region writes, so a save
/// never lengthens an image.
void requireRoomForTable(RomFile &file, Region region);

/// The message shown when a save finds the table does not fit.
QString tooShortMessage();

} // namespace vorn
