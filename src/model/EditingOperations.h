// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/LightMode.h"
#include "model/ViewState.h"

namespace lumavert {

// The main window's reactions to its keys, scroll bars and row notifications. Each changes the
// Mode set and the view state and says which panels to redraw. A row notification whose row
// stands for no existing mode (or no entry of the selected mode) changes nothing and only asks
// for both panels.

Refresh addMode(ModeSet& modes, ViewState& view);                ///< command 206
Refresh addStep(ModeSet& modes, ViewState& view);                ///< command 207
Refresh modeRowsLineUp(const ModeSet& modes, ViewState& view);   ///< command 208
Refresh modeRowsLineDown(const ModeSet& modes, ViewState& view); ///< command 209
Refresh stepRowsLineUp(const ModeSet& modes, ViewState& view);   ///< command 210
Refresh stepRowsLineDown(const ModeSet& modes, ViewState& view); ///< command 211

/// Scroll bar 218; `thumb` is the thumb position for ScrollThumbTrack.
Refresh scrollModeRows(const ModeSet& modes, ViewState& view, int code, int thumb);
/// Scroll bar 219; `thumb` counts Steps.
Refresh scrollStepRows(const ModeSet& modes, ViewState& view, int code, int thumb);

/// A row notification (RowNotice) from the row `id` (1-based) of type `rowType`. An unknown
/// notice asks for nothing; an unknown row type only for both panels.
Refresh handleRowNotice(ModeSet& modes, ViewState& view, int notice, int rowType, int id);

// The row operations behind handleRowNotice; `id` is the row's identifier in its panel.
Refresh insertMode(ModeSet& modes, ViewState& view, int id);
Refresh deleteMode(ModeSet& modes, ViewState& view, int id);
Refresh deleteStep(ModeSet& modes, ViewState& view, int id);
Refresh selectMode(const ModeSet& modes, ViewState& view, int id);
Refresh selectEntry(const ModeSet& modes, ViewState& view, int id);
Refresh applySos(ModeSet& modes, ViewState& view, int id);

/// All positions back to the top, nothing selected or tested.
Refresh resetView(ViewState& view);

/// Picks the next mode to test, brings it into view and selects it. On an empty set it does
/// nothing and returns Refresh::None; otherwise the position to send is `view.testedMode`.
Refresh advanceTest(const ModeSet& modes, ViewState& view);

/// The selected mode, or nullptr when none is selected or the selection names no mode.
const LightMode* selectedModeOf(const ModeSet& modes, const ViewState& view);

/// Entry position of the last Step (0 when there is none): the lowest the step panel scrolls.
/// With an odd count the last Step is the lone lighting duration.
int lastStepTop(int entries);

} // namespace lumavert
