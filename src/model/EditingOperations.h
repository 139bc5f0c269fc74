#pragma once

#include "model/LightMode.h"
#include "model/ViewState.h"

namespace lumavert {

// The main window's reactions to its keys, scroll bars and row notifications. Each changes the
// Mode set and the view state and says which panels to redraw.

Refresh addMode(ModeSet& modes, ViewState& view);          ///< command 206
Refresh addStep(ModeSet& modes, ViewState& view);          ///< command 207
Refresh modeRowsLineUp(ModeSet& modes, ViewState& view);   ///< command 208
Refresh modeRowsLineDown(ModeSet& modes, ViewState& view); ///< command 209
Refresh stepRowsLineUp(ModeSet& modes, ViewState& view);   ///< command 210
Refresh stepRowsLineDown(ModeSet& modes, ViewState& view); ///< command 211

/// Scroll bar 218; `thumb` is the thumb position for ScrollThumbTrack.
Refresh scrollModeRows(const ModeSet& modes, ViewState& view, int code, int thumb);
/// Scroll bar 219; `thumb` counts Steps.
Refresh scrollStepRows(const ModeSet& modes, ViewState& view, int code, int thumb);

/// A row notification (RowNotice) from the row `id` (1-based) of type `rowType`.
Refresh handleRowNotice(ModeSet& modes, ViewState& view, int notice, int rowType, int id);

Refresh insertMode(ModeSet& modes, ViewState& view, int id);
Refresh deleteMode(ModeSet& modes, ViewState& view, int id);
Refresh deleteStep(ModeSet& modes, ViewState& view, int id);
Refresh selectMode(ModeSet& modes, ViewState& view, int id);
Refresh selectEntry(ModeSet& modes, ViewState& view, int id);
Refresh applySos(ModeSet& modes, ViewState& view, int id);

/// All positions back to the top, nothing selected or tested.
Refresh resetView(ViewState& view);

/// Picks the next mode to test, brings it into view and selects it. Only when the set is not
/// empty; the position to send is then `view.testedMode`.
Refresh advanceTest(const ModeSet& modes, ViewState& view);

} // namespace lumavert
