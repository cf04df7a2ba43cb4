#pragma once

#include "region.h"

#include <QByteArray>
#include <QStringList>

#include <cstdint>

// Synthetic images for trying the editor and for tests: no real game image is ever needed.
namespace vorn {

/// Size of a sample image: a 16-byte header and 128 KiB.
inline constexpr int SampleImageSize = 16 + 128 * 1024;

/// `size` bytes of filler that depend on the seed alone.
QByteArray sampleFiller(int size, std::uint32_t seed);

/// 17 complete passwords (0-9, A-Z) that depend on the seed alone.
QStringList samplePasswords(std::uint32_t seed);

/// Writes raw bytes into the region's table: slot n's bytes at its four offsets, slot 1
/// first, for as many slots as `slotBytes` holds (up to 17). Each entry must be four bytes.
void putTable(QByteArray &image, Region region, const QList<QByteArray> &slotBytes);

/// A full-size image with filler everywhere and a complete table of the region, whose
/// table at the other region's offset is incomplete.
QByteArray sampleImage(Region region, std::uint32_t seed = 1);

} // namespace vorn
