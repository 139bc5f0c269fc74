// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/PanelContents.h"

#include "ModelBuilders.h"

#include <gtest/gtest.h>

namespace lumavert {
namespace {

using test::customMode;
using test::viewAt;

const RowContent kHidden{};

// A shown mode row bound to the mode at `position`.
RowContent mode(int position, bool selected = false, bool marked = false) {
    return {true, selected, marked, position + 1, position, -1};
}

// A shown step row bound to an entry of the mode at position 1.
RowContent entry(int index, bool selected = false) {
    return {true, selected, false, index / 2 + 1, 1, index};
}

TEST(ModePanel, ShowsFiveModesFromTheTopWithScrollBarAndKeyBeneath) {
    const struct {
        int count, modeTop;
        std::array<RowContent, kModeRows> rows;
        ScrollBarContent scrollBar;
        Point addModeButton;
    } cases[] = {
        {1, 0, {mode(0), kHidden, kHidden, kHidden, kHidden}, {}, {235, 220}},
        {5, 0, {mode(0), mode(1), mode(2), mode(3, false, true), mode(4, true)}, {}, {235, 460}},
        {7,
         2,
         {mode(2), mode(3, false, true), mode(4, true), mode(5), mode(6)},
         {true, 0, 6, 5, 2},
         {235, 460}},
    };
    for (const auto& c : cases) {
        const ModePanelContent panel =
            modePanelContent(test::numberedModes(c.count), viewAt(c.modeTop, 4, 3));
        EXPECT_EQ(panel.rows, c.rows) << c.count;
        EXPECT_EQ(panel.scrollBar, c.scrollBar) << c.count;
        EXPECT_EQ(panel.addModeButton, c.addModeButton) << c.count;
    }
}

TEST(StepPanel, ShowsNoStepsUnlessACustomModeIsSelected) {
    for (const int selected : {-1, 9, 1}) { // none, a stale selection, a Brightness mode
        const ModeSet modes{customMode(4), makeDefaultMode()};
        const StepPanelContent panel = stepPanelContent(modes, viewAt(0, selected));
        EXPECT_EQ(panel.rows, (std::array<RowContent, kStepRows>{}));
        EXPECT_FALSE(panel.scrollBar.visible || panel.addStepButtonVisible ||
                     panel.addStepButtonMoved);
        EXPECT_EQ(panel.heading, selected == 1 ? Heading::Customize : Heading::Unchanged);
    }
}

// The heading reads S.O.S only while the mode is marked S.O.S.
TEST(StepPanel, CustomModeShowsOneStepWithScrollBarAndKeyBeneath) {
    const struct {
        int entries, entryTop, selectedEntry, sos;
        RowContent lighting, dimming;
        ScrollBarContent scrollBar;
        Point addStepButton;
    } cases[] = {
        {6, 2, 3, 0, entry(2), entry(3, true), {true, 0, 2, 1, 1}, {635, 260}},
        {6, 0, -1, 1, entry(0), entry(1), {true, 0, 2, 1, 0}, {635, 260}},
        {0, 0, -1, 0, kHidden, kHidden, {}, {635, 140}},
        {1, 0, 0, 0, entry(0, true), kHidden, {}, {635, 200}},
        {2, 0, -1, 0, entry(0), entry(1), {}, {635, 260}},
        // A lone lighting duration is a Step of its own that the scroll bar reaches.
        {3, 2, -1, 0, entry(2), kHidden, {true, 0, 1, 1, 1}, {635, 260}},
    };
    for (const auto& c : cases) {
        ModeSet modes{makeDefaultMode(), customMode(c.entries)};
        modes[1].sos = c.sos;
        const StepPanelContent panel =
            stepPanelContent(modes, viewAt(0, 1, -1, c.entryTop, c.selectedEntry));
        EXPECT_EQ(panel.rows[0], c.lighting) << c.entries;
        EXPECT_EQ(panel.rows[1], c.dimming) << c.entries;
        EXPECT_EQ(panel.scrollBar, c.scrollBar) << c.entries;
        EXPECT_TRUE(panel.addStepButtonVisible && panel.addStepButtonMoved);
        EXPECT_EQ(panel.addStepButton, c.addStepButton) << c.entries;
        EXPECT_EQ(panel.heading, c.sos ? Heading::Sos : Heading::Customize) << c.entries;
    }
}

} // namespace
} // namespace lumavert
