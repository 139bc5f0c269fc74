// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/KeptValues.h"

#include "device/DeviceImageCodec.h"

#include <algorithm>

namespace lumavert {

namespace {

// The field a mode row shows for this kind; null for a kind without one.
const std::int32_t* modeRowField(const LightMode& mode) {
    switch (mode.kind) {
    case KindBrightness:
        return &mode.brightness;
    case KindFrequency:
        return &mode.frequency;
    case KindCustomize:
        return &mode.minutes;
    default:
        return nullptr;
    }
}

std::optional<int> changedTo(std::int32_t shown, std::int32_t kept) {
    return kept == shown ? std::nullopt : std::optional<int>(kept);
}

} // namespace

LightMode keptMode(const LightMode& mode) {
    ModeRecord record{};
    encodeModeRecord(mode, record);
    LightMode kept = makeDefaultMode();
    decodeModeRecord(record, kept);
    return kept;
}

ModeSet keptModeSet(const ModeSet& modes) {
    DeviceImage image{};
    encodeDeviceImage(modes, image);
    ModeSet kept;
    decodeDeviceImage(image, kept);
    return kept;
}

KeptChange keptChange(const LightMode& mode, int entryIndex) {
    const LightMode kept = keptMode(mode);
    KeptChange change;
    if (entryIndex < 0) {
        const std::int32_t* field = modeRowField(mode);
        if (field != nullptr && kept.kind == mode.kind) {
            change.value = changedTo(*field, *modeRowField(kept));
        }
        change.sosMarkDropped = mode.sos != 0;
        return change;
    }
    if (mode.kind != KindCustomize || entryIndex >= entryCount(mode)) {
        return change;
    }
    if (entryIndex >= entryCount(kept)) {
        change.entryDropped = true;
        return change;
    }
    const auto at = static_cast<std::size_t>(entryIndex);
    change.value = changedTo(mode.steps[at], kept.steps[at]);
    return change;
}

std::vector<int> differingModes(const ModeSet& a, const ModeSet& b) {
    std::vector<int> numbers;
    const std::size_t count = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (i >= a.size() || i >= b.size() || a[i] != b[i]) {
            numbers.push_back(static_cast<int>(i) + 1);
        }
    }
    return numbers;
}

} // namespace lumavert
