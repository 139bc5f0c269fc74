#include "model/LightMode.h"

#include <gtest/gtest.h>

namespace lumavert {
namespace {

TEST(LightMode, DefaultModeIsBrightnessFivePercentWithOneShortStep) {
    const LightMode mode = makeDefaultMode();
    EXPECT_EQ(mode.kind, KindBrightness);
    EXPECT_EQ(mode.brightness, 5);
    EXPECT_EQ(mode.frequency, 1);
    EXPECT_EQ(mode.minutes, 0);
    EXPECT_EQ(mode.steps, (std::vector<std::int32_t>{50, 50}));
    EXPECT_EQ(mode.sos, 0);
}

TEST(LightMode, SosReplacesAllStepsAndResetsValues) {
    LightMode mode = makeDefaultMode();
    mode.brightness = 80;
    mode.minutes = 7;
    for (int i = 0; i < 3; ++i) {
        appendStep(mode);
    }
    applySosPattern(mode);
    EXPECT_EQ(mode.kind, KindCustomize);
    EXPECT_EQ(mode.sos, 1);
    EXPECT_EQ(mode.brightness, 1);
    EXPECT_EQ(mode.frequency, 1);
    EXPECT_EQ(mode.minutes, 0);
    ASSERT_EQ(entryCount(mode), 18);
    EXPECT_EQ(stepCount(mode), 9);
    EXPECT_EQ(mode.steps[5], 1200);
    EXPECT_EQ(mode.steps[17], 2000);
}

TEST(LightMode, EraseStepRemovesThePairAndToleratesAnOddTail) {
    LightMode mode = makeDefaultMode();
    mode.steps = {100, 200, 300, 400, 500};
    eraseStep(mode, 0);
    EXPECT_EQ(mode.steps, (std::vector<std::int32_t>{300, 400, 500}));
    eraseStep(mode, 2);
    EXPECT_EQ(mode.steps, (std::vector<std::int32_t>{300, 400}));
    eraseStep(mode, 5);
    EXPECT_EQ(mode.steps, (std::vector<std::int32_t>{300, 400}));
}

} // namespace
} // namespace lumavert
