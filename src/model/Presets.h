// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "i18n/TextCatalogue.h"
#include "model/LightMode.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumavert {

/// The six fixed Mode sets; each value is the command id of its entry in the preset menu.
enum class Preset : int {
    Factory = 263,
    Household = 260,
    Outdoor = 261,
    Military = 262,
    Tactical = 264,
    Fishing = 265,
};

/// One preset as the window's menu and the command-line tool offer it.
struct PresetInfo {
    Preset preset;
    std::string_view cliName; ///< the name the command-line tool accepts
    Text label;               ///< the menu entry

    constexpr int commandId() const { return static_cast<int>(preset); }
};

/// The presets in the order of the preset menu.
inline constexpr std::array<PresetInfo, 6> kPresets{{
    {Preset::Factory, "factory", Text::FactoryReset},
    {Preset::Household, "household", Text::Household},
    {Preset::Outdoor, "outdoor", Text::Outdoor},
    {Preset::Military, "military", Text::Military},
    {Preset::Tactical, "tactical", Text::Tactical},
    {Preset::Fishing, "fishing", Text::Fishing},
}};

/// The preset the command-line tool calls `cliName` (exact, lower case), if any.
std::optional<Preset> presetByCliName(std::string_view cliName);

/// "factory, household, ... or fishing": the names the command-line tool accepts.
std::string presetCliNames();

// Each replaces the whole set by the preset's modes and returns true; it cannot fail. The caller
// resets the view afterwards.
bool applyPreset(Preset preset, ModeSet& modes);
bool applyFactoryPreset(ModeSet& modes);
bool applyHouseholdPreset(ModeSet& modes);
bool applyOutdoorPreset(ModeSet& modes);
bool applyMilitaryPreset(ModeSet& modes);
bool applyTacticalPreset(ModeSet& modes);
bool applyFishingPreset(ModeSet& modes);

} // namespace lumavert
