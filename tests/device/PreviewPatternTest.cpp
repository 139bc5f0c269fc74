// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/PreviewPattern.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <numeric>

namespace lumavert {
namespace {

TEST(PreviewPattern, EdgesOfEachKindOfMode) {
    struct Case {
        const char* name;
        LightMode mode;
        std::vector<PreviewPhase> phases;
    };
    const Case cases[] = {
        {"steady", steadyMode(35), {{35, 0}}},
        {"1 Hz", strobeMode(1), {{100, 500}, {0, 500}}},
        {"3 Hz", strobeMode(3), {{100, 167}, {0, 166}, {100, 167}, {0, 167}, {100, 166}, {0, 167}}},
        {"0 Hz", strobeMode(0), {{0, 0}}},
        {"kept durations",
         customSteps({500, 1200, 50, 3000}),
         {{100, 376}, {0, 1128}, {100, 50}, {0, 2820}}},
        {"lone last entry", customSteps({188, 376, 564}), {{100, 188}, {0, 376}}},
        {"no Steps", customSteps({}), {{0, 0}}},
        {"kind 0", LightMode{0, 5, 5, 0, {}, 0}, {{0, 0}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(previewPattern(&c.mode), c.phases) << c.name;
    }
    EXPECT_TRUE(previewPattern(nullptr).empty());
}

TEST(PreviewPattern, AStrobeFlashesItsFrequencyTimesASecond) {
    for (int hz : {7, 40, 255}) {
        const LightMode mode = strobeMode(hz);
        const std::vector<PreviewPhase> phases = previewPattern(&mode);
        const int flashes = std::min(hz, kFastestPreviewHz);
        ASSERT_EQ(phases.size(), static_cast<std::size_t>(2 * flashes)) << hz;
        EXPECT_EQ(
            std::accumulate(phases.begin(), phases.end(), 0,
                            [](int sum, const PreviewPhase& p) { return sum + p.durationMs; }),
            1000)
            << hz;
        for (std::size_t k = 0; k < phases.size(); ++k) {
            EXPECT_EQ(phases[k].level, k % 2 == 0 ? 100 : 0) << hz;
            EXPECT_GE(phases[k].durationMs, 500 / flashes - 1) << hz;
        }
    }
}

} // namespace
} // namespace lumavert
