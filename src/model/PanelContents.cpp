// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/PanelContents.h"

#include "model/EditingOperations.h"

#include <algorithm>

namespace lumavert {
namespace {

constexpr Point kFirstAddModePlace{235, 160};
constexpr Point kFirstAddStepPlace{635, 140};
constexpr int kRowHeight = 60;

Point below(Point first, int occupiedRows) {
    return {first.x, first.y + kRowHeight * occupiedRows};
}

ScrollBarContent scrollBar(int maximum, int page, int position) {
    return {.visible = true, .minimum = 0, .maximum = maximum, .page = page, .position = position};
}

RowContent modeRow(const ViewState& view, int position) {
    return {.visible = true,
            .selected = position == view.selectedMode,
            .marked = position == view.testedMode,
            .number = position + 1,
            .modePosition = position,
            .entryIndex = -1};
}

RowContent stepRow(const ViewState& view, int entry) {
    return {.visible = true,
            .selected = entry == view.selectedEntry,
            .marked = false,
            .number = entry / 2 + 1,
            .modePosition = view.selectedMode,
            .entryIndex = entry};
}

} // namespace

ModePanelContent modePanelContent(const ModeSet& modes, const ViewState& view) {
    const int count = modeCount(modes);
    ModePanelContent content;
    for (int k = 0; k < kModeRows; ++k) {
        const int position = view.modeTop + k;
        if (position >= 0 && position < count) {
            content.rows[k] = modeRow(view, position);
        }
    }
    if (count > kModeRows) {
        content.scrollBar = scrollBar(count - 1, kModeRows, view.modeTop);
    }
    content.addModeButton = below(kFirstAddModePlace, std::min(count, kModeRows));
    return content;
}

StepPanelContent stepPanelContent(const ModeSet& modes, const ViewState& view) {
    StepPanelContent content;
    const LightMode* mode = selectedModeOf(modes, view);
    if (mode == nullptr) {
        return content;
    }
    const bool custom = mode->kind == KindCustomize;
    content.heading = custom && mode->sos == 1 ? Heading::Sos : Heading::Customize;
    if (!custom) {
        return content;
    }
    const int entries = entryCount(*mode);
    for (int i = 0; i < kStepRows; ++i) {
        const int entry = view.entryTop + i;
        if (entry >= 0 && entry < entries) {
            content.rows[i] = stepRow(view, entry);
        }
    }
    // One scroll unit is one Step; a lone lighting duration at the end counts as a Step.
    if (entries > kStepRows) {
        content.scrollBar = scrollBar(lastStepTop(entries) / 2, 1, view.entryTop / 2);
    }
    content.addStepButtonVisible = true;
    content.addStepButtonMoved = true;
    content.addStepButton = below(kFirstAddStepPlace, std::min(entries, kStepRows));
    return content;
}

} // namespace lumavert
