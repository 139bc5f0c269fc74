// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any 256 bytes as the light's memory read back: decoding stays within the model's limits and
// encodes back to itself, and saving the decoded set gives a file that loads as the same set
// exactly when every value lies within the load ranges.

#include "FuzzSupport.h"
#include "config/ModeSetFile.h"
#include "device/DeviceImageCodec.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace lumavert;

namespace {

DeviceImage imageFrom(const std::uint8_t* data, std::size_t size) {
    DeviceImage image{};
    for (std::size_t i = 0; i < std::min<std::size_t>(size, kImageSize); ++i) {
        image[i / kBlockSize][i % kBlockSize] = data[i];
    }
    return image;
}

bool isDecodedDuration(std::int32_t entry) {
    return entry == 50 || (entry % 188 == 0 && entry >= 188 && entry <= 15 * 188);
}

void checkDecodedMode(const LightMode& mode) {
    require(mode.kind >= 0 && mode.kind <= 3, "the kind comes from two bits");
    require(mode.steps.size() <= kMaxEntries && mode.steps.size() % 2 == 0,
            "whole Steps, at most nine");
    require(std::ranges::all_of(mode.steps, isDecodedDuration), "durations are nibbles of 188 ms");
    require(mode.minutes == 0 && mode.sos == 0, "minutes and the S.O.S mark are not read back");
    Block preview;
    encodePreviewBlock(mode, preview);
    require(preview.front() == MarkerPreview && preview.back() == MarkerPreview,
            "the preview block is framed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder scratch;
    ModeSet modes;
    const DeviceImage image = imageFrom(data, size);
    decodeDeviceImage(image, modes);
    // A count byte of 0xFF is an erased light or an empty set; any other gives 1 to 20 modes.
    require(modes.empty() == (image[0][1] == 0xFF) && modes.size() <= kMaxModes,
            "no modes exactly for count 0xFF, else 1 to 20");
    std::ranges::for_each(modes, checkDecodedMode);

    DeviceImage encoded;
    encodeDeviceImage(modes, encoded);
    ModeSet again;
    decodeDeviceImage(encoded, again);
    require(again == modes, "a decoded set encodes to an image that decodes to it");

    const auto file = scratch.path("downloaded.ini");
    require(saveModeSet(modes, file), "a decoded set is saved");
    ModeSet loaded{makeDefaultMode()};
    const bool accepted = loadModeSet(loaded, file);
    require(accepted == std::ranges::all_of(modes, withinLoadRanges),
            "the file is refused exactly when a value lies outside the load ranges");
    require(loaded == (accepted ? modes : ModeSet{makeDefaultMode()}),
            "an accepted file gives the saved set, a refused one changes nothing");
    return 0;
}
