#include "sampleimage.h"

#include "charcodes.h"
#include "tablelayout.h"

namespace vorn {

namespace {

std::uint32_t next(std::uint32_t &state)
{
    // xorshift32: fixed output for a fixed seed on every platform.
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

} // namespace

QByteArray sampleFiller(int size, std::uint32_t seed)
{
    std::uint32_t state = seed ? seed : 0x9E3779B9u;
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = static_cast<char>(next(state) >> 24);
    return bytes;
}

QStringList samplePasswords(std::uint32_t seed)
{
    const QString chars = passwordChars();
    std::uint32_t state = (seed ? seed : 1u) * 2654435761u;
    QStringList passwords;
    for (int slot = 0; slot < SlotCount; ++slot) {
        QString text;
        for (int k = 0; k < SlotLength; ++k)
            text += chars[next(state) % chars.size()];
        passwords << text;
    }
    return passwords;
}

void putTable(QByteArray &image, Region region, const QList<QByteArray> &slotBytes)
{
    for (int slot = 1; slot <= slotBytes.size() && slot <= SlotCount; ++slot) {
        const QByteArray &bytes = slotBytes[slot - 1];
        for (int k = 1; k <= SlotLength && k <= bytes.size(); ++k)
            image[static_cast<qsizetype>(byteOffset(region, slot, k))] = bytes[k - 1];
    }
}

QByteArray sampleImage(Region region, std::uint32_t seed)
{
    QByteArray image = sampleFiller(SampleImageSize, seed);
    QList<QByteArray> slotBytes;
    for (const QString &password : samplePasswords(seed))
        slotBytes << password.toLatin1();
    putTable(image, region, slotBytes);
    // A byte without a character makes the other region's slot 1 short, so the image
    // opens cleanly in its own region only, whatever the filler happens to be.
    image[static_cast<qsizetype>(tableOffset(otherRegion(region)))] = '\0';
    return image;
}

} // namespace vorn
