// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/DeviceImageCodec.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace lumavert {

namespace {

constexpr int kNibbleUnit = 188;
constexpr int kShortestEntry = 50;
constexpr int kLongestEntry = 3000;
/// Nine duration bytes of two nibbles each.
constexpr int kRecordEntries = 2 * (kRecordSize - 1);
constexpr int kRecordsPerBlock = 6;
constexpr int kMinutesOffset = 21;
constexpr int kPreviewMinutesOffset = 1 + kRecordSize;

std::uint8_t low8(std::int32_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

void frameBlock(Block& block, BlockMarker marker) {
    block.fill(0);
    block.front() = marker;
    block.back() = marker;
}

/// Where mode i's record starts: block 1 keeps byte 1 for the count, the others start at 1.
struct RecordSlot {
    std::size_t block;
    std::size_t offset;
};

RecordSlot recordSlot(int index) {
    const int block = index / kRecordsPerBlock;
    const int first = block == 0 ? 2 : 1;
    return {static_cast<std::size_t>(block),
            static_cast<std::size_t>(first + kRecordSize * (index % kRecordsPerBlock))};
}

void encodeSteps(const std::vector<std::int32_t>& steps, ModeRecord& record) {
    // Entries beyond what the record holds are dropped rather than written past it.
    const int count = std::min(static_cast<int>(steps.size()), kRecordEntries);
    record[0] = low8(((count & ~1) << 1) | KindCustomize);
    for (int i = 0; i < count; ++i) {
        const int nibble = (steps[static_cast<std::size_t>(i)] / kNibbleUnit) & 0x0F;
        const int shift = i % 2 == 0 ? 0 : 4;
        record[static_cast<std::size_t>(1 + i / 2)] |= low8(nibble << shift);
    }
}

void decodeSteps(const ModeRecord& record, std::vector<std::int32_t>& steps) {
    // Byte 0 can claim up to 63 Steps; the record holds only 9.
    const int count = std::min((record[0] >> 2) * 2, kRecordEntries);
    steps.clear();
    for (int i = 0; i < count; ++i) {
        const int shift = i % 2 == 0 ? 0 : 4;
        const int nibble = (record[static_cast<std::size_t>(1 + i / 2)] >> shift) & 0x0F;
        const int value = nibble * kNibbleUnit;
        steps.push_back(value < kShortestEntry || value > kLongestEntry ? kShortestEntry : value);
    }
}

} // namespace

void encodeModeRecord(const LightMode& mode, ModeRecord& record) {
    record.fill(0);
    record[0] = low8(mode.kind);
    switch (mode.kind) {
    case KindBrightness:
        record[1] = low8(mode.brightness);
        break;
    case KindFrequency:
        record[1] = low8(mode.frequency);
        break;
    case KindCustomize:
        encodeSteps(mode.steps, record);
        break;
    default:
        break;
    }
}

void decodeModeRecord(const ModeRecord& record, LightMode& mode) {
    mode.kind = record[0] & 0x03;
    switch (mode.kind) {
    case KindBrightness:
        mode.brightness = record[1];
        break;
    case KindFrequency:
        mode.frequency = record[1];
        break;
    case KindCustomize:
        decodeSteps(record, mode.steps);
        break;
    default:
        break;
    }
}

void encodePreviewBlock(const LightMode& mode, Block& block) {
    frameBlock(block, MarkerPreview);
    ModeRecord record;
    encodeModeRecord(mode, record);
    std::copy(record.begin(), record.end(), block.begin() + 1);
    block[kPreviewMinutesOffset] = low8(mode.minutes);
}

void encodeDeviceImage(const ModeSet& modes, DeviceImage& image) {
    const BlockMarker markers[] = {MarkerImage1, MarkerImage2, MarkerImage3, MarkerImage4};
    for (std::size_t b = 0; b < image.size(); ++b) {
        frameBlock(image[b], markers[b]);
    }
    const int count = std::min(modeCount(modes), kMaxModes);
    image[0][1] = low8(count - 1);
    for (int i = 0; i < count; ++i) {
        const LightMode& mode = modes[static_cast<std::size_t>(i)];
        ModeRecord record;
        encodeModeRecord(mode, record);
        const RecordSlot slot = recordSlot(i);
        std::copy(record.begin(), record.end(), image[slot.block].begin() + slot.offset);
        image[3][static_cast<std::size_t>(kMinutesOffset + i)] = low8(mode.minutes);
    }
}

void encodeReadRequest(Block& block) {
    frameBlock(block, MarkerReadRequest);
}

constexpr std::uint8_t kErasedCount = 0xFF;

void decodeDeviceImage(const DeviceImage& image, ModeSet& modes) {
    // 0xFF is what an empty set encodes to, and what an erased memory reads. Other counts past
    // the 20 slots the image has are cut to those slots.
    const int storedCount = image[0][1] == kErasedCount ? 0 : image[0][1] + 1;
    const int count = std::min(storedCount, kMaxModes);
    modes.clear();
    for (int i = 0; i < count; ++i) {
        const RecordSlot slot = recordSlot(i);
        ModeRecord record;
        const auto first = image[slot.block].begin() + slot.offset;
        std::copy(first, first + kRecordSize, record.begin());
        LightMode mode = makeDefaultMode();
        decodeModeRecord(record, mode);
        modes.push_back(std::move(mode));
    }
}

} // namespace lumavert
