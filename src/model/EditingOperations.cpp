// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/EditingOperations.h"

#include <algorithm>

namespace lumavert {
namespace {

constexpr int kEntriesPerStep = 2;

/// How far a panel's top position may move: by a line, by a page, up to its last top.
struct ScrollRange {
    int line;
    int page;
    int lastTop;
};

/// The model position that row `id` of a panel stands for, or -1 when the panel has no such row.
int rowPosition(int top, int id, int rowsInPanel) {
    return id >= 1 && id <= rowsInPanel ? top + id - 1 : -1;
}

bool isModePosition(const ModeSet& modes, int position) {
    return position >= 0 && position < modeCount(modes);
}

bool hasSelectedCustomMode(const ModeSet& modes, const ViewState& view) {
    const LightMode* mode = selectedModeOf(modes, view);
    return mode != nullptr && mode->kind == KindCustomize;
}

int lastModeTop(const ModeSet& modes) {
    return std::max(modeCount(modes) - kModeRows, 0);
}

void focusMode(ViewState& view, int position) {
    view.selectedMode = position;
    view.entryTop = 0;
    view.selectedEntry = -1;
}

int moveTop(int top, int delta, int lastTop) {
    if (delta < 0) {
        return top > 0 ? std::max(top + delta, 0) : top;
    }
    return top < lastTop ? std::min(top + delta, lastTop) : top;
}

// Lines redraw only when they moved; pages and the thumb always redraw.
Refresh scrollTop(int& top, const ScrollRange& range, int code, int thumb, Refresh panel) {
    const int before = top;
    switch (code) {
    case ScrollLineUp:
    case ScrollLineDown:
        top = moveTop(top, code == ScrollLineUp ? -range.line : range.line, range.lastTop);
        return top == before ? Refresh::None : panel;
    case ScrollPageUp:
    case ScrollPageDown:
        top = moveTop(top, code == ScrollPageUp ? -range.page : range.page, range.lastTop);
        return panel;
    case ScrollThumbTrack:
        top = std::clamp(thumb, 0, range.lastTop / range.line) * range.line;
        return panel;
    default:
        return Refresh::None;
    }
}

Refresh handleModeRowNotice(ModeSet& modes, ViewState& view, int notice, int id) {
    switch (notice) {
    case NoticeInsert:
        return insertMode(modes, view, id);
    case NoticeDelete:
        return deleteMode(modes, view, id);
    case NoticeSos:
        return applySos(modes, view, id);
    default: // kind changed or value bar pressed
        return selectMode(modes, view, id);
    }
}

Refresh handleStepRowNotice(ModeSet& modes, ViewState& view, int notice, int id) {
    switch (notice) {
    case NoticeDelete:
        return deleteStep(modes, view, id);
    case NoticeKindChanged:
    case NoticeValuePressed:
        return selectEntry(modes, view, id);
    default: // a step row has no insert and no S.O.S
        return Refresh::Both;
    }
}

} // namespace

const LightMode* selectedModeOf(const ModeSet& modes, const ViewState& view) {
    return isModePosition(modes, view.selectedMode) ? &modes[view.selectedMode] : nullptr;
}

int lastStepTop(int entries) {
    return entries > 0 ? (entries - 1) / kEntriesPerStep * kEntriesPerStep : 0;
}

Refresh addMode(ModeSet& modes, ViewState& view) {
    if (modeCount(modes) < kMaxModes) {
        modes.push_back(makeDefaultMode());
    }
    view.modeTop = lastModeTop(modes);
    return Refresh::Both;
}

Refresh addStep(ModeSet& modes, ViewState& view) {
    if (!hasSelectedCustomMode(modes, view)) {
        return Refresh::None;
    }
    LightMode& mode = modes[view.selectedMode];
    // Only whole Steps, and never past the light's room: an odd count stays as it is.
    if (entryCount(mode) + kEntriesPerStep <= kMaxEntries) {
        appendStep(mode);
    }
    view.entryTop = lastStepTop(entryCount(mode));
    return Refresh::StepPanel;
}

Refresh modeRowsLineUp(const ModeSet& modes, ViewState& view) {
    return scrollModeRows(modes, view, ScrollLineUp, 0);
}

Refresh modeRowsLineDown(const ModeSet& modes, ViewState& view) {
    return scrollModeRows(modes, view, ScrollLineDown, 0);
}

Refresh stepRowsLineUp(const ModeSet& modes, ViewState& view) {
    return scrollStepRows(modes, view, ScrollLineUp, 0);
}

Refresh stepRowsLineDown(const ModeSet& modes, ViewState& view) {
    return scrollStepRows(modes, view, ScrollLineDown, 0);
}

Refresh scrollModeRows(const ModeSet& modes, ViewState& view, int code, int thumb) {
    const ScrollRange range{1, kModeRows, lastModeTop(modes)};
    return scrollTop(view.modeTop, range, code, thumb, Refresh::ModePanel);
}

Refresh scrollStepRows(const ModeSet& modes, ViewState& view, int code, int thumb) {
    if (!hasSelectedCustomMode(modes, view)) {
        return Refresh::None;
    }
    // The step panel shows one Step, so a page is one Step too.
    const int entries = entryCount(modes[view.selectedMode]);
    const ScrollRange range{kEntriesPerStep, kEntriesPerStep, lastStepTop(entries)};
    return scrollTop(view.entryTop, range, code, thumb, Refresh::StepPanel);
}

Refresh handleRowNotice(ModeSet& modes, ViewState& view, int notice, int rowType, int id) {
    if (notice < NoticeInsert || notice > NoticeValuePressed) {
        return Refresh::None;
    }
    switch (rowType) {
    case RowTypeMode:
        return handleModeRowNotice(modes, view, notice, id);
    case RowTypeStep:
        return handleStepRowNotice(modes, view, notice, id);
    default:
        return Refresh::Both;
    }
}

Refresh insertMode(ModeSet& modes, ViewState& view, int id) {
    const int position = rowPosition(view.modeTop, id, kModeRows);
    if (modeCount(modes) >= kMaxModes || !isModePosition(modes, position)) {
        return Refresh::Both;
    }
    focusMode(view, position);
    modes.insert(modes.begin() + position, makeDefaultMode());
    return Refresh::Both;
}

Refresh deleteMode(ModeSet& modes, ViewState& view, int id) {
    const int position = rowPosition(view.modeTop, id, kModeRows);
    if (!isModePosition(modes, position)) {
        return Refresh::Both;
    }
    const int count = modeCount(modes);
    if (count == 1) {
        modes.front() = makeDefaultMode();
        return Refresh::Both;
    }
    // Keep the same mode selected; a deleted selection passes to the mode taking its place.
    const bool lastSelected = position == view.selectedMode && position == count - 1;
    if (position < view.selectedMode || lastSelected) {
        --view.selectedMode;
    }
    view.entryTop = 0;
    view.selectedEntry = -1;
    modes.erase(modes.begin() + position);
    if (view.modeTop > 0 && view.modeTop + kModeRows > modeCount(modes)) {
        --view.modeTop;
    }
    return Refresh::Both;
}

Refresh deleteStep(ModeSet& modes, ViewState& view, int id) {
    if (!hasSelectedCustomMode(modes, view)) {
        return Refresh::Both;
    }
    LightMode& mode = modes[view.selectedMode];
    const int entry = rowPosition(view.entryTop, id, kStepRows);
    if (entryCount(mode) <= kEntriesPerStep || entry < 0 || entry >= entryCount(mode)) {
        return Refresh::Both;
    }
    const int first = entry - entry % kEntriesPerStep;
    const int second = first + 1;
    if (view.selectedEntry == first || view.selectedEntry == second) {
        view.selectedEntry = -1;
    } else if (view.selectedEntry > second) {
        view.selectedEntry -= kEntriesPerStep;
    }
    eraseStep(mode, first);
    view.entryTop = std::min(view.entryTop, lastStepTop(entryCount(mode)));
    return Refresh::Both;
}

Refresh selectMode(const ModeSet& modes, ViewState& view, int id) {
    const int position = rowPosition(view.modeTop, id, kModeRows);
    if (isModePosition(modes, position)) {
        focusMode(view, position);
        view.testedMode = -1;
    }
    return Refresh::Both;
}

Refresh selectEntry(const ModeSet& modes, ViewState& view, int id) {
    const LightMode* mode = selectedModeOf(modes, view);
    const int entry = rowPosition(view.entryTop, id, kStepRows);
    if (mode != nullptr && entry >= 0 && entry < entryCount(*mode)) {
        view.selectedEntry = entry;
    }
    return Refresh::Both;
}

Refresh applySos(ModeSet& modes, ViewState& view, int id) {
    selectMode(modes, view, id);
    const int position = rowPosition(view.modeTop, id, kModeRows);
    if (isModePosition(modes, position)) {
        applySosPattern(modes[static_cast<std::size_t>(position)]);
    }
    return Refresh::Both;
}

Refresh resetView(ViewState& view) {
    view = ViewState{
        .modeTop = 0, .selectedMode = -1, .testedMode = -1, .entryTop = 0, .selectedEntry = -1};
    return Refresh::Both;
}

Refresh advanceTest(const ModeSet& modes, ViewState& view) {
    const int count = modeCount(modes);
    if (count == 0) {
        return Refresh::None;
    }
    int& tested = view.testedMode;
    if (tested < 0) {
        tested = selectedModeOf(modes, view) != nullptr ? view.selectedMode : 0;
    } else {
        // Deleting modes can leave the mark past the end: wrap from there as well.
        tested = tested >= count - 1 ? 0 : tested + 1;
    }
    if (tested >= view.modeTop + kModeRows) {
        view.modeTop = tested - (kModeRows - 1);
    } else if (tested < view.modeTop) {
        view.modeTop = tested;
    }
    focusMode(view, tested);
    return Refresh::Both;
}

} // namespace lumavert
