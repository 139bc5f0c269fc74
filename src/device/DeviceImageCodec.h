// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/LightMode.h"

#include <array>
#include <cstdint>

namespace lumavert {

inline constexpr int kBlockSize = 64;
inline constexpr int kRecordSize = 10;
inline constexpr int kImageSize = 4 * kBlockSize;

/// Block markers, written in byte 0 and byte 63 of a block.
enum BlockMarker : std::uint8_t {
    MarkerPreview = 0x80,
    MarkerImage1 = 0x81,
    MarkerImage2 = 0x82,
    MarkerImage3 = 0x83,
    MarkerImage4 = 0x84,
    MarkerReadRequest = 0x85,
};

using Block = std::array<std::uint8_t, kBlockSize>;
using ModeRecord = std::array<std::uint8_t, kRecordSize>;
/// The light's 256-byte mode memory as image blocks 1 to 4.
using DeviceImage = std::array<Block, 4>;

/// Overwrites the record with the mode's 10 bytes. Entries past the 18 a record holds are ignored.
void encodeModeRecord(const LightMode& mode, ModeRecord& record);

/// Overwrites the fields the record carries; the others keep what the caller put there.
void decodeModeRecord(const ModeRecord& record, LightMode& mode);

/// The block that makes the light show one mode at once.
void encodePreviewBlock(const LightMode& mode, Block& block);

/// Image blocks 1 to 4 of a Mode set; modes past the 20 the image holds are ignored.
void encodeDeviceImage(const ModeSet& modes, DeviceImage& image);

/// The block that asks the light to send its Device image.
void encodeReadRequest(Block& block);

/// Replaces the set by the decoded modes (at most 20, whatever the count byte claims).
void decodeDeviceImage(const DeviceImage& image, ModeSet& modes);

} // namespace lumavert
