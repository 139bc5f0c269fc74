// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/EditingOperations.h"

#include "ModelBuilders.h"

#include <gtest/gtest.h>

namespace lumavert {
namespace {

using test::customMode;
using test::numberedModes;
using test::viewAt;

/// Brightness values identify the modes of numberedModes(), in set order.
std::vector<int> identities(const ModeSet& modes) {
    std::vector<int> result;
    for (const LightMode& mode : modes) {
        result.push_back(mode.brightness);
    }
    return result;
}

// Add mode and Add step: limits, and where the view goes.

TEST(AddMode, AppendsADefaultModeBelowTwentyAndAlwaysShowsTheLastMode) {
    const int cases[][4] = {{1, 0, 2, 0}, {5, 0, 6, 1}, {19, 2, 20, 15}, {20, 2, 20, 15}};
    for (const auto& [count, modeTop, expectedCount, expectedTop] : cases) {
        ModeSet modes = numberedModes(count);
        ViewState view = viewAt(modeTop, 1, 0);
        EXPECT_EQ(addMode(modes, view), Refresh::Both);
        ASSERT_EQ(modeCount(modes), expectedCount) << count;
        EXPECT_EQ(view, viewAt(expectedTop, 1, 0)) << count;
        if (count < kMaxModes) {
            EXPECT_EQ(modes.back(), test::kNewMode);
        }
    }
}

TEST(AddStep, AppendsWholeStepsUpToNineAndShowsTheLastStep) {
    // An odd count from a loaded file never grows past the light's 18 entries.
    const int cases[][3] = {{0, 2, 0}, {2, 4, 2}, {16, 18, 16}, {18, 18, 16}, {17, 17, 16}};
    for (const auto& [entries, expectedEntries, expectedTop] : cases) {
        ModeSet modes{makeDefaultMode(), customMode(entries)};
        ViewState view = viewAt(0, 1, -1, 0, 1);
        EXPECT_EQ(addStep(modes, view), Refresh::StepPanel);
        ASSERT_EQ(entryCount(modes[1]), expectedEntries) << entries;
        EXPECT_EQ(view, viewAt(0, 1, -1, expectedTop, 1)) << entries;
        if (expectedEntries > entries) {
            EXPECT_EQ(modes[1].steps.back(), 50);
            EXPECT_EQ(modes[1].steps[entries], 50);
        }
    }
}

TEST(StepOperations, DoNothingWithoutASelectedCustomMode) {
    for (const int selected : {-1, 0, 2}) { // none, a Brightness mode, past the end
        ModeSet modes{makeDefaultMode(), customMode(4)};
        ViewState view = viewAt(0, selected, -1, 2);
        const ModeSet before = modes;
        EXPECT_EQ(addStep(modes, view), Refresh::None);
        EXPECT_EQ(scrollStepRows(modes, view, ScrollThumbTrack, 0), Refresh::None);
        EXPECT_EQ(deleteStep(modes, view, 1), Refresh::Both);
        EXPECT_EQ(modes, before);
        EXPECT_EQ(view, viewAt(0, selected, -1, 2));
    }
}

// Scrolling: the line commands and both scroll bars with every code at both ends.

// Mode rows move by one mode and pages of five; step rows by whole Steps (two entries).
TEST(Scrolling, FollowsEachScrollCodeAndStopsAtBothEnds) {
    const struct {
        bool steps;
        int size; // modes, or entries of the selected custom mode
        int top, code, thumb, expectedTop;
        Refresh expectedRefresh;
    } cases[] = {
        {false, 12, 4, ScrollLineUp, 0, 3, Refresh::ModePanel},
        {false, 12, 6, ScrollLineDown, 0, 7, Refresh::ModePanel},
        {false, 12, 7, ScrollLineDown, 0, 7, Refresh::None},
        {false, 4, 0, ScrollLineDown, 0, 0, Refresh::None},
        {false, 12, 7, ScrollPageUp, 0, 2, Refresh::ModePanel},
        {false, 12, 0, ScrollPageUp, 0, 0, Refresh::ModePanel},
        {false, 12, 1, ScrollPageDown, 0, 6, Refresh::ModePanel},
        {false, 12, 7, ScrollPageDown, 0, 7, Refresh::ModePanel},
        {false, 12, 0, ScrollThumbTrack, 6, 6, Refresh::ModePanel},
        {false, 12, 0, ScrollThumbTrack, 40, 7, Refresh::ModePanel},
        {false, 12, 3, ScrollThumbTrack, -1, 0, Refresh::ModePanel},
        {false, 12, 3, 4, 6, 3, Refresh::None}, // the thumb let go
        {false, 12, 3, 8, 6, 3, Refresh::None}, // the scrolling ended
        {true, 18, 2, ScrollLineUp, 0, 0, Refresh::StepPanel},
        {true, 18, 16, ScrollLineDown, 0, 16, Refresh::None},
        {true, 18, 6, ScrollPageUp, 0, 4, Refresh::StepPanel},
        {true, 18, 14, ScrollPageDown, 0, 16, Refresh::StepPanel},
        {true, 5, 2, ScrollPageDown, 0, 4, Refresh::StepPanel}, // lone lighting entry: top even
        {true, 18, 0, ScrollThumbTrack, 3, 6, Refresh::StepPanel},
        {true, 18, 0, ScrollThumbTrack, 30, 16, Refresh::StepPanel},
    };
    for (const auto& c : cases) {
        ViewState view = c.steps ? viewAt(0, 0, -1, c.top) : viewAt(c.top, -1);
        const Refresh refresh = c.steps
                                    ? scrollStepRows({customMode(c.size)}, view, c.code, c.thumb)
                                    : scrollModeRows(numberedModes(c.size), view, c.code, c.thumb);
        EXPECT_EQ(refresh, c.expectedRefresh) << c.steps << " top " << c.top << " code " << c.code;
        EXPECT_EQ(c.steps ? view.entryTop : view.modeTop, c.expectedTop)
            << c.steps << " top " << c.top << " code " << c.code;
    }
}

// Mode row notifications.

TEST(InsertMode, InsertsANewModeAtTheRowAndSelectsItButNotPastTwenty) {
    ModeSet modes = numberedModes(8);
    ViewState view = viewAt(4, 1, 7, 2, 3);
    EXPECT_EQ(handleRowNotice(modes, view, NoticeInsert, RowTypeMode, 3), Refresh::Both);
    EXPECT_EQ(identities(modes), (std::vector<int>{1, 2, 3, 4, 5, 6, 5, 7, 8}));
    EXPECT_EQ(modes[6], test::kNewMode);
    EXPECT_EQ(view, viewAt(4, 6, 7, 0, -1));

    modes = numberedModes(kMaxModes);
    view = viewAt(15, 16, 2, 2, 3);
    EXPECT_EQ(insertMode(modes, view, 1), Refresh::Both);
    EXPECT_EQ(modes, numberedModes(kMaxModes));
    EXPECT_EQ(view, viewAt(15, 16, 2, 2, 3));
}

TEST(DeleteMode, ErasesTheRowsModeAndKeepsTheSelectionMeaningful) {
    const int cases[][6] = {
        {6, 0, 3, 2, 2, 0},   // above the selection: the same mode stays selected
        {6, 0, 3, 4, 3, 0},   // the selection: the next mode takes over
        {6, 1, 5, 5, 4, 0},   // the selected last mode: the one before it
        {6, 0, 1, 4, 1, 0},   // below the selection
        {6, 0, -1, 1, -1, 0}, // no selection
        {3, 0, 2, 3, 1, 0},   // short set: the panel stays at the top
        {7, 2, -1, 5, -1, 1}, // last row of a full panel: rows stay filled
        {20, 15, 0, 1, 0, 14}, {20, 14, 0, 1, 0, 14}, {20, 3, 0, 1, 0, 3},
    };
    for (const auto& [count, modeTop, selected, id, expectedSelected, expectedTop] : cases) {
        ModeSet modes = numberedModes(count);
        ViewState view = viewAt(modeTop, selected, 4, 2, 1);
        EXPECT_EQ(deleteMode(modes, view, id), Refresh::Both);
        std::vector<int> expected = identities(numberedModes(count));
        expected.erase(expected.begin() + modeTop + id - 1);
        EXPECT_EQ(identities(modes), expected) << count << "/" << modeTop << "/" << id;
        EXPECT_EQ(view, viewAt(expectedTop, expectedSelected, 4, 0, -1))
            << count << "/" << modeTop << "/" << id;
    }
}

TEST(DeleteMode, TheOnlyModeBecomesTheDefaultModeAndTheViewStays) {
    ModeSet modes{customMode(6)};
    ViewState view = viewAt(0, 0, 0, 2, 3);
    EXPECT_EQ(deleteMode(modes, view, 1), Refresh::Both);
    EXPECT_EQ(modes, ModeSet{test::kNewMode});
    EXPECT_EQ(view, viewAt(0, 0, 0, 2, 3));
}

TEST(ApplySos, TurnsTheRowsModeIntoTheSosModeAndSelectsIt) {
    ModeSet modes = numberedModes(3);
    modes[1].minutes = 7;
    modes[1].frequency = 30;
    ViewState view = viewAt(0, 0, 2, 2, 1);
    EXPECT_EQ(handleRowNotice(modes, view, NoticeSos, RowTypeMode, 2), Refresh::Both);
    EXPECT_EQ(modes[1], test::kSosMode);
    EXPECT_EQ(view, viewAt(0, 1, -1, 0, -1));
}

// Step row notifications.

TEST(DeleteStep, RemovesTheShownStepAndKeepsTheSelectedEntry) {
    struct Case {
        int entries, entryTop, selectedEntry, id;
        std::vector<std::int32_t> expectedSteps;
        int expectedTop, expectedSelectedEntry;
    };
    const Case cases[] = {
        {2, 0, 1, 1, {100, 200}, 0, 1},   // the last Step stays
        {4, 2, -1, 2, {100, 200}, 0, -1}, // the dimming row deletes the same Step
        {6, 0, 5, 1, {300, 400, 500, 600}, 0, 3},
        {6, 2, 3, 2, {100, 200, 500, 600}, 2, -1},
        {6, 2, 1, 1, {100, 200, 500, 600}, 2, 1},
        {5, 4, -1, 1, {100, 200, 300, 400}, 2, -1},
        {5, 4, -1, 2, {100, 200, 300, 400, 500}, 4, -1}, // no entry behind the row
    };
    for (const Case& c : cases) {
        ModeSet modes{makeDefaultMode(), customMode(c.entries)};
        ViewState view = viewAt(0, 1, -1, c.entryTop, c.selectedEntry);
        EXPECT_EQ(handleRowNotice(modes, view, NoticeDelete, RowTypeStep, c.id), Refresh::Both);
        EXPECT_EQ(modes[1].steps, c.expectedSteps) << c.entries << "/" << c.entryTop;
        EXPECT_EQ(view, viewAt(0, 1, -1, c.expectedTop, c.expectedSelectedEntry))
            << c.entries << "/" << c.entryTop;
    }
}

// Kind changes and value presses select the row's mode (clearing the test mark) or entry;
// notices naming no row, mode or entry only redraw; unknown notices do nothing. None changes
// the set.
TEST(RowNotices, SelectOrOnlyRedraw) {
    const ViewState idle = viewAt(2, 0, 1, 4, 4);
    const struct {
        int notice, rowType, id;
        ViewState before, after;
        Refresh expected;
    } cases[] = {
        {NoticeKindChanged, RowTypeMode, 3, idle, viewAt(2, 4, -1, 0, -1), Refresh::Both},
        {NoticeValuePressed, RowTypeMode, 3, idle, viewAt(2, 4, -1, 0, -1), Refresh::Both},
        {NoticeKindChanged, RowTypeStep, 2, viewAt(2, 0, 1, 2), viewAt(2, 0, 1, 2, 3),
         Refresh::Both},
        {NoticeValuePressed, RowTypeStep, 1, viewAt(2, 0, 1, 4), idle, Refresh::Both},
        {NoticeValuePressed, RowTypeStep, 2, idle, idle, Refresh::Both}, // past the last entry
        {NoticeInsert, RowTypeStep, 1, idle, idle, Refresh::Both},
        {NoticeSos, RowTypeStep, 2, idle, idle, Refresh::Both},
        {NoticeDelete, 0, 1, idle, idle, Refresh::Both},
        {NoticeDelete, RowTypeStep, 3, idle, idle, Refresh::Both},
        {NoticeSos, RowTypeMode, 6, idle, idle, Refresh::Both},
        {NoticeValuePressed, RowTypeMode, 0, idle, idle, Refresh::Both},
        {NoticeDelete, RowTypeMode, 5, viewAt(3, 0), viewAt(3, 0),
         Refresh::Both}, // past the last mode
        {NoticeInsert - 1, RowTypeMode, 1, idle, idle, Refresh::None},
        {NoticeValuePressed + 1, RowTypeMode, 1, idle, idle, Refresh::None},
    };
    for (const auto& c : cases) {
        ModeSet modes = numberedModes(7);
        modes[0] = customMode(5);
        const ModeSet before = modes;
        ViewState view = c.before;
        EXPECT_EQ(handleRowNotice(modes, view, c.notice, c.rowType, c.id), c.expected)
            << std::hex << c.notice << " type " << c.rowType << " row " << c.id;
        EXPECT_EQ(modes, before);
        EXPECT_EQ(view, c.after) << std::hex << c.notice << " type " << c.rowType << " row "
                                 << c.id;
    }
}

// Whole-view operations.

TEST(AdvanceTest, CyclesThroughTheSetAndBringsTheTestedModeIntoView) {
    const int cases[][6] = {
        {3, 0, -1, -1, 0, 0},                     // first Test without a selection: mode 1
        {3, 0, 2, -1, 2, 0},                      // first Test with a selection: that mode
        {3, 0, 1, 1, 2, 0},   {3, 0, 2, 2, 0, 0}, // wraps after the last mode
        {3, 0, 0, 7, 0, 0},                       // mark left past the end by deletions
        {12, 0, 6, 6, 7, 3},  {12, 5, 2, 2, 3, 3},
    };
    for (const auto& [count, modeTop, selected, tested, expectedTested, expectedTop] : cases) {
        ViewState view = viewAt(modeTop, selected, tested, 4, 1);
        EXPECT_EQ(advanceTest(numberedModes(count), view), Refresh::Both);
        EXPECT_EQ(view, viewAt(expectedTop, expectedTested, expectedTested, 0, -1))
            << count << "/" << tested;
    }
    ViewState view = viewAt(0, -1);
    EXPECT_EQ(advanceTest(ModeSet{}, view), Refresh::None);
    EXPECT_EQ(view.testedMode, -1);
}

} // namespace
} // namespace lumavert
