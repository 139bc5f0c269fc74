// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/LightMode.h"
#include "model/ViewState.h"

#include <array>

namespace lumavert {

/// What one row shows; `visible` false means hidden and the other fields are unused.
struct RowContent {
    bool visible = false;
    bool selected = false;
    bool marked = false;
    int number = 0;        ///< shown as "%d."
    int modePosition = -1; ///< the mode the row is bound to (the selected mode on step rows)
    int entryIndex = -1;   ///< the bound entry of `steps`; -1 on mode rows

    bool operator==(const RowContent&) const = default;
};

/// A vertical scroll bar; `visible` false means hidden and the other fields are unused.
struct ScrollBarContent {
    bool visible = false;
    int minimum = 0;
    int maximum = 0;
    int page = 0;
    int position = 0;

    bool operator==(const ScrollBarContent&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

/// Text of the customize key above the step rows: kept, "Customize" or "S.O.S".
enum class Heading { Unchanged, Customize, Sos };

struct ModePanelContent {
    std::array<RowContent, kModeRows> rows;
    ScrollBarContent scrollBar;
    Point addModeButton; ///< top-left; the key is 60 x 56
};

struct StepPanelContent {
    std::array<RowContent, kStepRows> rows;
    ScrollBarContent scrollBar;
    bool addStepButtonVisible = false;
    bool addStepButtonMoved = false;      ///< false: the key keeps its last place
    Point addStepButton;                  ///< top-left, only meaningful when moved
    Heading heading = Heading::Unchanged; ///< text of the customize key above the step rows
};

/// What the five mode rows, their scroll bar and the add-mode key show.
ModePanelContent modePanelContent(const ModeSet& modes, const ViewState& view);
/// What the two step rows, their scroll bar, the add-step key and the heading show. A selection
/// that names no mode counts as no selection.
StepPanelContent stepPanelContent(const ModeSet& modes, const ViewState& view);

} // namespace lumavert
