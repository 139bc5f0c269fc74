// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/Presets.h"

#include "ModelBuilders.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace lumavert {
namespace {

// The command-line name, the menu label and the modes each preset replaces a full set by.
TEST(Presets, EachMenuEntryReplacesTheWholeSetByItsModes) {
    const LightMode full = steadyMode(100), half = steadyMode(50), low = steadyMode(5);
    const LightMode strobe{KindFrequency, 1, 9, 0, {}, 0};
    const LightMode& sos = test::kSosMode;
    const struct {
        Preset preset;
        std::string_view cliName;
        Text label;
        ModeSet modes;
    } cases[] = {
        {Preset::Factory, "factory", Text::FactoryReset, {full, half, low, strobe}},
        {Preset::Household, "household", Text::Household, {low, half, full}},
        {Preset::Outdoor, "outdoor", Text::Outdoor, {full, half, low, sos}},
        {Preset::Military, "military", Text::Military, {full, low, strobe}},
        {Preset::Tactical, "tactical", Text::Tactical, {full, half, strobe}},
        {Preset::Fishing, "fishing", Text::Fishing, {full, half, low}},
    };
    ASSERT_EQ(std::size(cases), kPresets.size());
    for (std::size_t k = 0; k < kPresets.size(); ++k) {
        const auto& c = cases[k];
        EXPECT_EQ(kPresets[k].preset, c.preset) << "menu order";
        EXPECT_EQ(kPresets[k].label, c.label) << c.cliName;
        EXPECT_EQ(presetByCliName(c.cliName), c.preset) << c.cliName;
        ModeSet modes(kMaxModes, makeDefaultMode());
        EXPECT_TRUE(applyPreset(c.preset, modes));
        EXPECT_EQ(modes, c.modes) << c.cliName;
    }
    EXPECT_EQ(presetByCliName("Factory"), std::nullopt);
    EXPECT_EQ(presetByCliName(""), std::nullopt);
    EXPECT_EQ(presetCliNames(), "factory, household, outdoor, military, tactical or fishing");
}

} // namespace
} // namespace lumavert
