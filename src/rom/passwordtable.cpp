#include "passwordtable.h"

#include "model/charcodes.h"
#include "romfile.h"

#include <QCoreApplication>

namespace vorn {

TableRead readPasswordTable(RomFile &file)
{
    std::array<std::uint8_t, TableBytesRead> bytes{};
    TableRead result;
    const std::size_t got = file.read(bytes, result.failure);
    result.slotsRead = static_cast<int>(got / SlotLength);
    for (int slot = 0; slot < result.slotsRead; ++slot)
        result.texts[slot] =
            slotTextFromBytes(std::span(bytes).subspan(slot * SlotLength, SlotLength));
    return result;
}

std::vector<std::uint8_t> encodePasswords(std::span<const QString> texts, Region region)
{
    const int written = slotsWritten(region);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(bytesWritten(region));
    for (int slot = 0; slot < written; ++slot) {
        const QString text = slot < static_cast<int>(texts.size()) ? texts[slot] : QString();
        for (int k = 0; k < SlotLength; ++k) {
            const std::optional<std::uint8_t> byte = charToByte(text.mid(k, 1));
            if (!byte)
                throw ConversionFailure(QString()); // the character has no code text
            bytes.push_back(*byte);
        }
    }
    return bytes;
}

QString tooShortMessage()
{
    return QCoreApplication::translate(
        "vorn", "The file is too short to hold the password table of this region; nothing was written");
}

void requireRoomForTable(RomFile &file, Region region)
{
    if (file.size() < tableOffset(region) + bytesWritten(region))
        throw IoFailure(FileError::ReadPastEnd, tooShortMessage());
}

} // namespace vorn
