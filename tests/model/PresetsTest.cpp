#include "model/Presets.h"

#include <gtest/gtest.h>

namespace lumavert {
namespace {

LightMode presetMode(std::int32_t kind, std::int32_t brightness, std::int32_t frequency) {
    return LightMode{kind, brightness, frequency, 0, {}, 0};
}

const LightMode kFull = presetMode(1, 100, 1);
const LightMode kHalf = presetMode(1, 50, 1);
const LightMode kLow = presetMode(1, 5, 1);
const LightMode kStrobe = presetMode(2, 1, 9);
const LightMode kSos{3,
                     1,
                     1,
                     0,
                     {500, 500, 500, 500, 500, 1200, 1200, 1200, 1200, 1200, 1200, 1200, 500, 500,
                      500, 500, 500, 2000},
                     1};

struct PresetCase {
    const char* name;
    Preset preset;
    bool (*apply)(ModeSet&);
    ModeSet expected;
};

class PresetContents : public testing::TestWithParam<PresetCase> {};

TEST_P(PresetContents, ReplacesAFullSetByExactlyThePresetModes) {
    ModeSet modes(kMaxModes, makeDefaultMode());
    EXPECT_TRUE(GetParam().apply(modes));
    EXPECT_EQ(modes, GetParam().expected);
    EXPECT_TRUE(GetParam().apply(modes));
    EXPECT_EQ(modes, GetParam().expected) << "applying twice equals applying once";
}

TEST_P(PresetContents, ApplyPresetDispatchesToTheSamePreset) {
    ModeSet modes;
    EXPECT_TRUE(applyPreset(GetParam().preset, modes));
    EXPECT_EQ(modes, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    AllPresets, PresetContents,
    testing::Values(
        PresetCase{"Factory", Preset::Factory, applyFactoryPreset, {kFull, kHalf, kLow, kStrobe}},
        PresetCase{"Household", Preset::Household, applyHouseholdPreset, {kLow, kHalf, kFull}},
        PresetCase{"Outdoor", Preset::Outdoor, applyOutdoorPreset, {kFull, kHalf, kLow, kSos}},
        PresetCase{"Military", Preset::Military, applyMilitaryPreset, {kFull, kLow, kStrobe}},
        PresetCase{"Tactical", Preset::Tactical, applyTacticalPreset, {kFull, kHalf, kStrobe}},
        PresetCase{"Fishing", Preset::Fishing, applyFishingPreset, {kFull, kHalf, kLow}}),
    [](const testing::TestParamInfo<PresetCase>& each) { return std::string(each.param.name); });

TEST(PresetTable, ListsTheMenuInOrderWithCommandIdsAndCliNames) {
    const std::pair<int, std::string_view> expected[] = {
        {263, "factory"},  {260, "household"}, {261, "outdoor"},
        {262, "military"}, {264, "tactical"},  {265, "fishing"},
    };
    ASSERT_EQ(std::size(expected), kPresets.size());
    for (std::size_t i = 0; i < kPresets.size(); ++i) {
        EXPECT_EQ(kPresets[i].commandId(), expected[i].first);
        EXPECT_EQ(kPresets[i].cliName, expected[i].second);
        EXPECT_EQ(presetByCliName(expected[i].second), kPresets[i].preset);
    }
}

TEST(PresetTable, UnknownNamesFindNothing) {
    EXPECT_EQ(presetByCliName("Factory"), std::nullopt);
    EXPECT_EQ(presetByCliName(""), std::nullopt);
}

} // namespace
} // namespace lumavert
