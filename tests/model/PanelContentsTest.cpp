#include "model/PanelContents.h"

#include "ModelBuilders.h"

#include <gtest/gtest.h>

namespace lumavert {
namespace {

using test::customMode;
using test::numberedModes;

const RowContent kHidden{};

RowContent modeRow(int position, bool selected = false, bool marked = false) {
    return {true, selected, marked, position + 1, position, -1};
}

RowContent stepRow(int mode, int entry, bool selected = false) {
    return {true, selected, false, entry / 2 + 1, mode, entry};
}

ViewState viewAt(int modeTop, int selectedMode, int testedMode = -1, int entryTop = 0,
                 int selectedEntry = -1) {
    return {modeTop, selectedMode, testedMode, entryTop, selectedEntry};
}

// Mode panel.

TEST(ModePanel, ShowsFiveModesFromTheTopWithScrollBarAndKeyBeneath) {
    struct Case {
        int count, modeTop;
        std::array<RowContent, kModeRows> rows;
        ScrollBarContent scrollBar;
        Point addModeButton;
    };
    const Case cases[] = {
        {1, 0, {modeRow(0), kHidden, kHidden, kHidden, kHidden}, {}, {235, 220}},
        {5,
         0,
         {modeRow(0), modeRow(1), modeRow(2), modeRow(3, false, true), modeRow(4, true)},
         {},
         {235, 460}},
        {7,
         2,
         {modeRow(2), modeRow(3, false, true), modeRow(4, true), modeRow(5), modeRow(6)},
         {true, 0, 6, 5, 2},
         {235, 460}},
    };
    for (const Case& c : cases) {
        const ModePanelContent panel =
            modePanelContent(numberedModes(c.count), viewAt(c.modeTop, 4, 3));
        EXPECT_EQ(panel.rows, c.rows) << c.count;
        EXPECT_EQ(panel.scrollBar, c.scrollBar) << c.count;
        EXPECT_EQ(panel.addModeButton, c.addModeButton) << c.count;
    }
}

// Step panel.

TEST(StepPanel, ShowsNoStepsUnlessACustomModeIsSelected) {
    // No selection, a stale selection, a Brightness mode.
    for (const int selected : {-1, 9, 1}) {
        const ModeSet modes{customMode(4), makeDefaultMode()};
        const StepPanelContent panel = stepPanelContent(modes, viewAt(0, selected));
        EXPECT_EQ(panel.rows, (std::array<RowContent, kStepRows>{}));
        EXPECT_FALSE(panel.scrollBar.visible);
        EXPECT_FALSE(panel.addStepButtonVisible);
        EXPECT_FALSE(panel.addStepButtonMoved);
        EXPECT_EQ(panel.heading, selected == 1 ? Heading::Customize : Heading::Unchanged);
    }
}

TEST(StepPanel, CustomModeShowsOneStepWithScrollBarAndKeyBeneath) {
    struct Case {
        int entries, entryTop, selectedEntry;
        RowContent lighting, dimming;
        ScrollBarContent scrollBar;
        Point addStepButton;
    };
    const Case cases[] = {
        {6, 2, 3, stepRow(1, 2), stepRow(1, 3, true), {true, 0, 2, 1, 1}, {635, 260}},
        {0, 0, -1, kHidden, kHidden, {}, {635, 140}},
        {1, 0, 0, stepRow(1, 0, true), kHidden, {}, {635, 200}},
        {2, 0, -1, stepRow(1, 0), stepRow(1, 1), {}, {635, 260}},
        // A lone lighting duration is a Step of its own that the scroll bar reaches.
        {3, 2, -1, stepRow(1, 2), kHidden, {true, 0, 1, 1, 1}, {635, 260}},
    };
    for (const Case& c : cases) {
        const ModeSet modes{makeDefaultMode(), customMode(c.entries)};
        const StepPanelContent panel =
            stepPanelContent(modes, viewAt(0, 1, -1, c.entryTop, c.selectedEntry));
        EXPECT_EQ(panel.rows[0], c.lighting) << c.entries;
        EXPECT_EQ(panel.rows[1], c.dimming) << c.entries;
        EXPECT_EQ(panel.scrollBar, c.scrollBar) << c.entries;
        EXPECT_TRUE(panel.addStepButtonVisible);
        EXPECT_TRUE(panel.addStepButtonMoved);
        EXPECT_EQ(panel.addStepButton, c.addStepButton) << c.entries;
        EXPECT_EQ(panel.heading, Heading::Customize);
    }
}

TEST(StepPanel, HeadingReadsSosOnlyWhileTheModeIsMarkedSos) {
    LightMode mode = makeDefaultMode();
    applySosPattern(mode);
    EXPECT_EQ(stepPanelContent(ModeSet{mode}, viewAt(0, 0)).heading, Heading::Sos);
    mode.sos = 0;
    EXPECT_EQ(stepPanelContent(ModeSet{mode}, viewAt(0, 0)).heading, Heading::Customize);
}

} // namespace
} // namespace lumavert
