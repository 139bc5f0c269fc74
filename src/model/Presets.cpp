// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/Presets.h"

#include <algorithm>
#include <initializer_list>

namespace lumavert {
namespace {

struct PresetMode {
    std::int32_t kind;
    std::int32_t brightness;
    std::int32_t frequency;
};

constexpr PresetMode kFull{KindBrightness, 100, 1};
constexpr PresetMode kHalf{KindBrightness, 50, 1};
constexpr PresetMode kLow{KindBrightness, 5, 1};
constexpr PresetMode kStrobe{KindFrequency, 1, 9};

// Unlike a new mode, a preset mode starts without Steps.
LightMode makePresetMode(const PresetMode& values) {
    LightMode mode;
    mode.kind = values.kind;
    mode.brightness = values.brightness;
    mode.frequency = values.frequency;
    mode.steps.clear();
    return mode;
}

bool fill(ModeSet& modes, std::initializer_list<PresetMode> values) {
    modes.clear();
    for (const PresetMode& value : values) {
        modes.push_back(makePresetMode(value));
    }
    return true;
}

} // namespace

std::optional<Preset> presetByCliName(std::string_view cliName) {
    const auto found = std::ranges::find(kPresets, cliName, &PresetInfo::cliName);
    return found == kPresets.end() ? std::nullopt : std::optional(found->preset);
}

std::string presetCliNames() {
    std::string names;
    for (const PresetInfo& info : kPresets) {
        if (!names.empty()) {
            names += &info == &kPresets.back() ? " or " : ", ";
        }
        names += info.cliName;
    }
    return names;
}

bool applyPreset(Preset preset, ModeSet& modes) {
    switch (preset) {
    case Preset::Factory:
        return applyFactoryPreset(modes);
    case Preset::Household:
        return applyHouseholdPreset(modes);
    case Preset::Outdoor:
        return applyOutdoorPreset(modes);
    case Preset::Military:
        return applyMilitaryPreset(modes);
    case Preset::Tactical:
        return applyTacticalPreset(modes);
    case Preset::Fishing:
        return applyFishingPreset(modes);
    }
    return false;
}

bool applyFactoryPreset(ModeSet& modes) {
    return fill(modes, {kFull, kHalf, kLow, kStrobe});
}

bool applyHouseholdPreset(ModeSet& modes) {
    return fill(modes, {kLow, kHalf, kFull});
}

bool applyOutdoorPreset(ModeSet& modes) {
    fill(modes, {kFull, kHalf, kLow});
    LightMode sos = makeDefaultMode();
    applySosPattern(sos);
    modes.push_back(sos);
    return true;
}

bool applyMilitaryPreset(ModeSet& modes) {
    return fill(modes, {kFull, kLow, kStrobe});
}

bool applyTacticalPreset(ModeSet& modes) {
    return fill(modes, {kFull, kHalf, kStrobe});
}

bool applyFishingPreset(ModeSet& modes) {
    return fill(modes, {kFull, kHalf, kLow});
}

} // namespace lumavert
