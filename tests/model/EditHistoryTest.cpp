// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/EditHistory.h"

#include "ModelBuilders.h"

#include <gtest/gtest.h>

namespace lumavert {
namespace {

using test::customMode;
using test::numberedModes;

// A change of one entry deep inside the set, of the number of modes, and of the whole set:
// each is told from the set before and comes back with its view.
TEST(EditHistory, UndoAndRedoBringBackTheSetAndTheView) {
    const ModeSet before{makeDefaultMode(), customMode(6), makeDefaultMode()};
    const ViewState view{0, 1, -1, 2, 3}, changed{1, 0, -1, 0, -1};
    ModeSet typed = before;
    typed[1].steps[2] = 1500;
    for (const ModeSet& after :
         {typed, ModeSet(before.begin(), before.end() - 1), numberedModes(20)}) {
        EditHistory history(before, view);
        ASSERT_TRUE(history.record(after, changed));
        EXPECT_EQ(history.undo(), (EditSnapshot{before, view}));
        EXPECT_EQ(history.redo(), (EditSnapshot{after, changed}));
        EXPECT_FALSE(history.redo());
    }
}

TEST(EditHistory, ANewEditDropsTheRedoSteps) {
    EditHistory history(numberedModes(1), {});
    history.record(numberedModes(2), {});
    history.record(numberedModes(3), {});
    history.undo();
    history.undo();
    ASSERT_EQ(history.redoSteps(), 2u);

    history.record(numberedModes(4), {});
    EXPECT_EQ(history.redoSteps(), 0u);
    EXPECT_FALSE(history.redo());
    EXPECT_EQ(history.undo()->modes, numberedModes(1));
}

TEST(EditHistory, KeepsTheLastStepsUpToItsDepth) {
    EditHistory history(numberedModes(1), {}, 3);
    for (int count = 2; count <= 6; ++count) {
        history.record(numberedModes(count), {});
    }
    ASSERT_EQ(history.undoSteps(), 3u);
    history.undo();
    history.undo();
    EXPECT_EQ(history.undo()->modes, numberedModes(3)) << "the first two edits are forgotten";
    EXPECT_FALSE(history.undo());
}

TEST(EditHistory, AViewChangeIsNoStepButComesBackWithTheSet) {
    const ViewState scrolled{3, 4, -1, 0, -1};
    EditHistory history(numberedModes(8), {});
    EXPECT_FALSE(history.record(numberedModes(8), scrolled));
    EXPECT_EQ(history.undoSteps(), 0u);

    history.record(numberedModes(9), {4, 8, -1, 0, -1});
    EXPECT_EQ(history.undo()->view, scrolled);
}

TEST(EditHistory, AGestureIsOneStepAndNoneWhenItEndsWhereItBegan) {
    const auto withValue = [](int value) {
        ModeSet modes{customMode(2)};
        modes[0].steps[0] = value;
        return modes;
    };
    // The values one drag (gesture 7) writes, and the steps it leaves.
    for (const auto& [dragged, steps] :
         {std::pair{std::vector{150, 200, 250}, 1u}, std::pair{std::vector{150, 100}, 0u},
          std::pair{std::vector{150, 100, 300}, 1u}}) {
        EditHistory history(withValue(100), {});
        for (int value : dragged) {
            history.record(withValue(value), {}, 7);
        }
        EXPECT_EQ(history.undoSteps(), steps) << dragged.back();
        history.record(withValue(900), {}, 8);
        EXPECT_EQ(history.undoSteps(), steps + 1) << "another gesture is another step";
        history.undo();
        history.record(withValue(500), {}, 8);
        EXPECT_EQ(history.undoSteps(), steps + 1) << "an undo ends the gesture";
    }
}

// Saving, uploading, opening and downloading mark a set kept; undo and redo do not.
TEST(EditHistory, UnsavedWhileTheSetDiffersFromTheOneLastKept) {
    EditHistory history(numberedModes(1), {});
    EXPECT_FALSE(history.unsaved(numberedModes(1)));
    history.record(numberedModes(2), {});
    EXPECT_TRUE(history.unsaved(numberedModes(2)));
    history.markKept(numberedModes(2));
    EXPECT_FALSE(history.unsaved(numberedModes(2)));
    EXPECT_TRUE(history.unsaved(history.undo()->modes));
}

} // namespace
} // namespace lumavert
