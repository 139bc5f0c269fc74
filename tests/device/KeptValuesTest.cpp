// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/KeptValues.h"

#include "TestSupport.h"

#include "model/LightMode.h"

#include <gtest/gtest.h>

namespace lumavert {
namespace {

TEST(KeptChange, NamesTheDurationTheLightKeepsWhenItDiffers) {
    struct Case {
        std::int32_t entry;
        std::optional<int> kept;
    };
    for (const Case c : {Case{50, {}},
                         {100, 50},
                         {187, 50},
                         {188, {}},
                         {500, 376},
                         {1200, 1128},
                         {2000, 1880},
                         {2820, {}},
                         {3000, 2820}}) {
        const LightMode mode = customSteps({50, c.entry});
        EXPECT_EQ(keptChange(mode, 1), (KeptChange{c.kept, false, false})) << c.entry;
    }
}

TEST(KeptChange, OnModeRowsNamesLostMinutesAndTheLostSosMark) {
    LightMode sos = makeDefaultMode();
    applySosPattern(sos);
    const LightMode timed = customSteps({50, 50}, 5);
    LightMode bright = steadyMode(100);
    bright.minutes = 5; // not shown on a Brightness row
    const LightMode strobe = strobeMode(40);
    struct Case {
        const char* name;
        LightMode mode;
        KeptChange change;
    };
    const Case cases[] = {
        {"S.O.S", sos, {{}, false, true}},
        {"minutes", timed, {0, false, false}},
        {"brightness", bright, {}},
        {"frequency", strobe, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keptChange(c.mode, -1), c.change) << c.name;
    }
}

TEST(KeptChange, ALoneLastEntryIsNotKept) {
    const LightMode odd = customSteps({500, 500, 800});
    EXPECT_EQ(keptChange(odd, 2), (KeptChange{{}, true, false}));
    EXPECT_EQ(keptChange(odd, 1), (KeptChange{376, false, false}));
}

TEST(DifferingModes, NumbersChangedAndMissingModes) {
    const ModeSet three{makeDefaultMode(), makeDefaultMode(), makeDefaultMode()};
    ModeSet changed = three;
    changed[1].brightness = 90;
    EXPECT_EQ(differingModes(three, three), std::vector<int>{});
    EXPECT_EQ(differingModes(three, changed), std::vector<int>{2});
    EXPECT_EQ(differingModes(changed, ModeSet(three.begin(), three.begin() + 1)),
              (std::vector<int>{2, 3}));
}

} // namespace
} // namespace lumavert
