#include "model/EditingOperations.h"

#include "ModelBuilders.h"

#include <gtest/gtest.h>

namespace lumavert {
namespace {

using test::customMode;
using test::numberedModes;

ViewState viewAt(int modeTop, int selectedMode, int testedMode = -1, int entryTop = 0,
                 int selectedEntry = -1) {
    return {modeTop, selectedMode, testedMode, entryTop, selectedEntry};
}

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
    struct Case {
        int count, modeTop, expectedCount, expectedTop;
    };
    for (const Case c : {Case{1, 0, 2, 0}, {5, 0, 6, 1}, {19, 2, 20, 15}, {20, 2, 20, 15}}) {
        ModeSet modes = numberedModes(c.count);
        ViewState view = viewAt(c.modeTop, 1, 0);
        EXPECT_EQ(addMode(modes, view), Refresh::Both);
        ASSERT_EQ(modeCount(modes), c.expectedCount) << c.count;
        EXPECT_EQ(view, viewAt(c.expectedTop, 1, 0)) << c.count;
        if (c.count < kMaxModes) {
            EXPECT_EQ(modes.back(), makeDefaultMode());
        }
    }
}

TEST(AddStep, AppendsWholeStepsUpToNineAndShowsTheLastStep) {
    struct Case {
        int entries, expectedEntries, expectedTop;
    };
    // An odd count from a loaded file never grows past the light's 18 entries.
    for (const Case c : {Case{0, 2, 0}, {2, 4, 2}, {16, 18, 16}, {18, 18, 16}, {17, 17, 16}}) {
        ModeSet modes{makeDefaultMode(), customMode(c.entries)};
        ViewState view = viewAt(0, 1, -1, 0, 1);
        EXPECT_EQ(addStep(modes, view), Refresh::StepPanel);
        ASSERT_EQ(entryCount(modes[1]), c.expectedEntries) << c.entries;
        EXPECT_EQ(view, viewAt(0, 1, -1, c.expectedTop, 1)) << c.entries;
        if (c.expectedEntries > c.entries) {
            EXPECT_EQ(modes[1].steps.back(), 50);
            EXPECT_EQ(modes[1].steps[c.entries], 50);
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
        EXPECT_EQ(stepRowsLineUp(modes, view), Refresh::None);
        EXPECT_EQ(deleteStep(modes, view, 1), Refresh::Both);
        EXPECT_EQ(modes, before);
        EXPECT_EQ(view, viewAt(0, selected, -1, 2));
    }
}

// Scrolling: the line commands and both scroll bars with every code at both ends.

struct ScrollCase {
    int size; // modes, or entries of the selected custom mode
    int top, code, thumb, expectedTop;
    Refresh expectedRefresh;
};

TEST(ScrollModeRows, FollowsEachScrollCode) {
    const ScrollCase cases[] = {
        {12, 4, ScrollLineUp, 0, 3, Refresh::ModePanel},
        {12, 0, ScrollLineUp, 0, 0, Refresh::None},
        {12, 6, ScrollLineDown, 0, 7, Refresh::ModePanel},
        {12, 7, ScrollLineDown, 0, 7, Refresh::None},
        {4, 0, ScrollLineDown, 0, 0, Refresh::None},
        {12, 7, ScrollPageUp, 0, 2, Refresh::ModePanel},
        {12, 5, ScrollPageUp, 0, 0, Refresh::ModePanel},
        {12, 0, ScrollPageUp, 0, 0, Refresh::ModePanel},
        {12, 1, ScrollPageDown, 0, 6, Refresh::ModePanel},
        {12, 4, ScrollPageDown, 0, 7, Refresh::ModePanel},
        {12, 7, ScrollPageDown, 0, 7, Refresh::ModePanel},
        {12, 0, ScrollThumbTrack, 6, 6, Refresh::ModePanel},
        {12, 0, ScrollThumbTrack, 40, 7, Refresh::ModePanel},
        {12, 3, ScrollThumbTrack, -1, 0, Refresh::ModePanel},
        {12, 3, 4, 6, 3, Refresh::None}, // SB_THUMBPOSITION
        {12, 3, 8, 6, 3, Refresh::None}, // SB_ENDSCROLL
    };
    for (const ScrollCase& c : cases) {
        ViewState view = viewAt(c.top, -1);
        EXPECT_EQ(scrollModeRows(numberedModes(c.size), view, c.code, c.thumb), c.expectedRefresh)
            << "top " << c.top << " code " << c.code;
        EXPECT_EQ(view.modeTop, c.expectedTop) << "top " << c.top << " code " << c.code;
    }
}

TEST(ScrollStepRows, MovesByWholeStepsAndStopsAtTheLastStep) {
    const ScrollCase cases[] = {
        {18, 2, ScrollLineUp, 0, 0, Refresh::StepPanel},
        {18, 0, ScrollLineUp, 0, 0, Refresh::None},
        {18, 14, ScrollLineDown, 0, 16, Refresh::StepPanel},
        {18, 16, ScrollLineDown, 0, 16, Refresh::None},
        {18, 6, ScrollPageUp, 0, 4, Refresh::StepPanel},
        {18, 0, ScrollPageUp, 0, 0, Refresh::StepPanel},
        {18, 14, ScrollPageDown, 0, 16, Refresh::StepPanel},
        {18, 16, ScrollPageDown, 0, 16, Refresh::StepPanel},
        {5, 2, ScrollPageDown, 0, 4, Refresh::StepPanel}, // lone lighting entry, top stays even
        {18, 0, ScrollThumbTrack, 3, 6, Refresh::StepPanel},
        {18, 0, ScrollThumbTrack, 30, 16, Refresh::StepPanel},
        {18, 4, 7, 3, 4, Refresh::None},
    };
    for (const ScrollCase& c : cases) {
        const ModeSet modes{customMode(c.size)};
        ViewState view = viewAt(0, 0, -1, c.top);
        EXPECT_EQ(scrollStepRows(modes, view, c.code, c.thumb), c.expectedRefresh)
            << "top " << c.top << " code " << c.code;
        EXPECT_EQ(view.entryTop, c.expectedTop) << "top " << c.top << " code " << c.code;
    }
}

TEST(LineCommands, MoveOneLineAndRedrawOnlyWhenMoved) {
    ModeSet modes = numberedModes(7);
    modes[0] = customMode(4);
    ViewState view = viewAt(0, 0, -1, 0);
    EXPECT_EQ(modeRowsLineUp(modes, view), Refresh::None);
    EXPECT_EQ(modeRowsLineDown(modes, view), Refresh::ModePanel);
    EXPECT_EQ(modeRowsLineDown(modes, view), Refresh::ModePanel);
    EXPECT_EQ(modeRowsLineDown(modes, view), Refresh::None);
    EXPECT_EQ(stepRowsLineUp(modes, view), Refresh::None);
    EXPECT_EQ(stepRowsLineDown(modes, view), Refresh::StepPanel);
    EXPECT_EQ(stepRowsLineDown(modes, view), Refresh::None);
    EXPECT_EQ(view, viewAt(2, 0, -1, 2));
}

// Mode row notifications.

TEST(InsertMode, InsertsADefaultModeAtTheRowAndSelectsIt) {
    ModeSet modes = numberedModes(8);
    ViewState view = viewAt(4, 1, 7, 2, 3);
    EXPECT_EQ(handleRowNotice(modes, view, NoticeInsert, RowTypeMode, 3), Refresh::Both);
    EXPECT_EQ(identities(modes), (std::vector<int>{1, 2, 3, 4, 5, 6, 5, 7, 8}));
    EXPECT_EQ(modes[6], makeDefaultMode());
    EXPECT_EQ(view, viewAt(4, 6, 7, 0, -1));
}

TEST(InsertMode, AddsNothingAtTwentyModes) {
    ModeSet modes = numberedModes(kMaxModes);
    ViewState view = viewAt(15, 16, 2, 2, 3);
    EXPECT_EQ(insertMode(modes, view, 1), Refresh::Both);
    EXPECT_EQ(modes, numberedModes(kMaxModes));
    EXPECT_EQ(view, viewAt(15, 16, 2, 2, 3));
}

TEST(DeleteMode, ErasesTheRowsModeAndKeepsTheSelectionMeaningful) {
    struct Case {
        int count, modeTop, selected, id;
        int expectedSelected, expectedTop;
    };
    const Case cases[] = {
        {6, 0, 3, 2, 2, 0},   // above the selection: the same mode stays selected
        {6, 0, 3, 4, 3, 0},   // the selection: the next mode takes over
        {6, 1, 5, 5, 4, 0},   // the selected last mode: the one before it
        {6, 0, 1, 4, 1, 0},   // below the selection
        {6, 0, -1, 1, -1, 0}, // no selection
        {3, 0, 2, 3, 1, 0},   // short set: the panel stays at the top
        {7, 2, -1, 5, -1, 1}, // last row of a full panel: rows stay filled
        {20, 15, 0, 1, 0, 14}, {20, 3, 0, 1, 0, 3},
    };
    for (const Case& c : cases) {
        ModeSet modes = numberedModes(c.count);
        ViewState view = viewAt(c.modeTop, c.selected, 4, 2, 1);
        EXPECT_EQ(deleteMode(modes, view, c.id), Refresh::Both);
        std::vector<int> expected = identities(numberedModes(c.count));
        expected.erase(expected.begin() + c.modeTop + c.id - 1);
        EXPECT_EQ(identities(modes), expected) << c.count << "/" << c.id;
        EXPECT_EQ(view, viewAt(c.expectedTop, c.expectedSelected, 4, 0, -1))
            << c.count << "/" << c.id;
    }
}

TEST(DeleteMode, TheOnlyModeBecomesTheDefaultModeAndTheViewStays) {
    ModeSet modes{customMode(6)};
    ViewState view = viewAt(0, 0, 0, 2, 3);
    EXPECT_EQ(deleteMode(modes, view, 1), Refresh::Both);
    EXPECT_EQ(modes, ModeSet{makeDefaultMode()});
    EXPECT_EQ(view, viewAt(0, 0, 0, 2, 3));
}

TEST(SelectMode, KindChangeAndValuePressSelectTheModeAndClearTheTestMark) {
    for (const int notice : {NoticeKindChanged, NoticeValuePressed}) {
        ModeSet modes = numberedModes(7);
        ViewState view = viewAt(2, 0, 1, 4, 3);
        EXPECT_EQ(handleRowNotice(modes, view, notice, RowTypeMode, 3), Refresh::Both);
        EXPECT_EQ(view, viewAt(2, 4, -1, 0, -1));
        EXPECT_EQ(modes, numberedModes(7));
    }
}

TEST(ApplySos, TurnsTheRowsModeIntoTheSosModeAndSelectsIt) {
    ModeSet modes = numberedModes(3);
    ViewState view = viewAt(0, 0, 2, 2, 1);
    EXPECT_EQ(handleRowNotice(modes, view, NoticeSos, RowTypeMode, 2), Refresh::Both);
    EXPECT_EQ(modes[1].steps, sosPattern());
    EXPECT_EQ(modes[1].sos, 1);
    EXPECT_EQ(modes[1].kind, KindCustomize);
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
        {2, 0, 1, 1, {100, 200}, 0, 1}, // the last Step stays
        {4, 2, -1, 1, {100, 200}, 0, -1},
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

TEST(SelectEntry, SelectsTheRowsEntryOnly) {
    for (const int notice : {NoticeKindChanged, NoticeValuePressed}) {
        ModeSet modes{customMode(6)};
        ViewState view = viewAt(0, 0, 0, 2, -1);
        EXPECT_EQ(handleRowNotice(modes, view, notice, RowTypeStep, 2), Refresh::Both);
        EXPECT_EQ(view, viewAt(0, 0, 0, 2, 3));
    }
}

TEST(RowNotices, NoticesNamingNothingOnlyRedraw) {
    struct Case {
        int notice, rowType, id;
        Refresh expected;
    };
    const Case cases[] = {
        {NoticeInsert, RowTypeStep, 1, Refresh::Both},
        {NoticeSos, RowTypeStep, 2, Refresh::Both},
        {NoticeDelete, 0, 1, Refresh::Both},
        {NoticeKindChanged, 3, 1, Refresh::Both},
        {NoticeDelete, RowTypeMode, 4, Refresh::Both},       // past the last mode
        {NoticeSos, RowTypeMode, 6, Refresh::Both},          // no such row
        {NoticeValuePressed, RowTypeMode, 0, Refresh::Both}, // no such row
        {NoticeValuePressed, RowTypeStep, 2, Refresh::Both}, // past the last entry
        {NoticeDelete, RowTypeStep, 3, Refresh::Both},       // no such row
        {NoticeInsert - 1, RowTypeMode, 1, Refresh::None},
        {NoticeValuePressed + 1, RowTypeMode, 1, Refresh::None},
    };
    for (const Case& c : cases) {
        ModeSet modes{customMode(5), makeDefaultMode(), makeDefaultMode()};
        ViewState view = viewAt(0, 0, 1, 4, 4);
        const ModeSet before = modes;
        EXPECT_EQ(handleRowNotice(modes, view, c.notice, c.rowType, c.id), c.expected)
            << std::hex << c.notice << " type " << c.rowType << " row " << c.id;
        EXPECT_EQ(modes, before);
        EXPECT_EQ(view, viewAt(0, 0, 1, 4, 4));
    }
}

// Whole-view operations.

TEST(ResetView, ShowsTheTopWithNothingSelected) {
    ViewState view = viewAt(7, 3, 2, 4, 5);
    EXPECT_EQ(resetView(view), Refresh::Both);
    EXPECT_EQ(view, viewAt(0, -1, -1, 0, -1));
}

TEST(AdvanceTest, CyclesThroughTheSetAndBringsTheTestedModeIntoView) {
    struct Case {
        int count, modeTop, selected, tested;
        int expectedTested, expectedTop;
    };
    const Case cases[] = {
        {3, 0, -1, -1, 0, 0},                     // first Test without a selection: mode 1
        {3, 0, 2, -1, 2, 0},                      // first Test with a selection: that mode
        {3, 0, 1, 1, 2, 0},   {3, 0, 2, 2, 0, 0}, // wraps after the last mode
        {3, 0, 0, 7, 0, 0},                       // mark left past the end by deletions
        {12, 0, 6, 6, 7, 3},  {12, 5, 2, 2, 3, 3},
    };
    for (const Case& c : cases) {
        ViewState view = viewAt(c.modeTop, c.selected, c.tested, 4, 1);
        EXPECT_EQ(advanceTest(numberedModes(c.count), view), Refresh::Both);
        EXPECT_EQ(view, viewAt(c.expectedTop, c.expectedTested, c.expectedTested, 0, -1))
            << c.count << "/" << c.tested;
    }
    ViewState view = viewAt(0, -1);
    EXPECT_EQ(advanceTest(ModeSet{}, view), Refresh::None);
    EXPECT_EQ(view.testedMode, -1);
}

} // namespace
} // namespace lumavert
