// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/PickerRules.h"

#include "ModelBuilders.h"
#include "model/ViewState.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace lumavert {
namespace {

TEST(PickerRules, TypedTextsCommitWithinTheRangeOnTheStepOrNotAtAll) {
    const struct {
        int key;
        const char* typed;
        double stored; // -1: refused
    } cases[] = {
        {ItemLighting, "40", 50},      {ItemLighting, "5000", 3000},
        {ItemLighting, "1525", 1550},  {ItemLighting, "1524.9", 1500},
        {ItemLighting, "  +760", 750}, {ItemBrightness, "7.5e1", 75},
        {ItemBrightness, "-5", 1},     {ItemFrequency, "41", 40},
        {ItemSos, "11", 10},           {ItemLighting, "1200ms", -1},
        {ItemBrightness, "12 ", -1},   {ItemBrightness, "   ", -1},
        {ItemBrightness, "-", -1},     {ItemBrightness, "+-5", -1},
        {ItemBrightness, "7,5", -1},   {ItemBrightness, "0x20", -1},
        {ItemLighting, "1e999", -1},   {ItemLighting, "inf", -1},
        {ItemInsert, "50", -1},        {ItemDelete, "0", -1},
    };
    for (const auto& c : cases) {
        errno = ERANGE; // left over from elsewhere, it must not count
        EXPECT_EQ(committedValue(c.typed, itemRange(c.key)).value_or(-1), c.stored) << c.typed;
    }
}

TEST(PickerRules, RecordValuesOfWhatDoesNotExistAreNotReadNorWritten) {
    LightMode mode{KindCustomize, 42, 20, 3, {1000, 200, 300, 700}, 0};
    EXPECT_EQ(recordValue(mode, ItemDimming, 4), std::nullopt);
    EXPECT_EQ(recordValue(mode, ItemLighting, -1), std::nullopt);
    EXPECT_EQ(recordValue(mode, ItemInsert, 0), std::nullopt);
    const LightMode before = mode;
    writeRecordValue(mode, ItemLighting, 4, 900, 1);
    writeRecordValue(mode, ItemDelete, 0, 900, 0);
    writeRecordValue(mode, ItemBrightness, -1, 900, 0);
    EXPECT_EQ(mode, before);
}

TEST(PickerRules, ChoosingAnItemSetsTheKindAndNamesTheNotice) {
    const int cases[][5] = {{1, ItemBrightness, 1, 0, NoticeKindChanged},
                            {1, ItemFrequency, 2, 0, NoticeKindChanged},
                            {1, ItemCustomize, 3, 0, NoticeKindChanged},
                            {0, ItemSos, 3, 1, NoticeSos},
                            {1, ItemLighting, 3, 1, NoticeKindChanged},
                            {0, ItemDimming, 3, 0, NoticeKindChanged},
                            {0, ItemInsert, 1, 0, NoticeInsert},
                            {1, ItemDelete, 1, 1, NoticeDelete},
                            {0, 64, 1, 0, 0}};
    for (const auto& [sosBefore, key, kind, sos, notice] : cases) {
        LightMode mode = test::kNewMode;
        mode.sos = sosBefore;
        EXPECT_EQ(applyItemChoice(&mode, key), notice) << key;
        EXPECT_EQ(mode, (LightMode{kind, 5, 1, 0, {50, 50}, sos})) << key;
    }
}

} // namespace
} // namespace lumavert
