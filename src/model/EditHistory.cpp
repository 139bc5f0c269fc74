// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/EditHistory.h"

#include <utility>

namespace lumavert {

EditHistory::EditHistory(const ModeSet& modes, const ViewState& view, std::size_t depth)
    : present_{modes, view}
    , kept_(modes)
    , depth_(depth) {}

bool EditHistory::record(const ModeSet& modes, const ViewState& view, int gesture) {
    if (modes == present_.modes) {
        present_.view = view;
        return false;
    }
    const bool continues = gesture != 0 && gesture == presentGesture_;
    if (continues && !undo_.empty() && undo_.back().modes == modes) {
        // Dragged back to where the gesture started: the step it made goes again.
        present_ = std::move(undo_.back());
        present_.view = view;
        undo_.pop_back();
        presentGesture_ = 0;
        return true;
    }
    if (!continues) {
        undo_.push_back(std::move(present_));
        if (undo_.size() > depth_) {
            undo_.pop_front();
        }
        redo_.clear();
    }
    present_ = {modes, view};
    presentGesture_ = gesture;
    return true;
}

std::optional<EditSnapshot> EditHistory::undo() {
    if (undo_.empty()) {
        return std::nullopt;
    }
    redo_.push_back(std::exchange(present_, std::move(undo_.back())));
    undo_.pop_back();
    presentGesture_ = 0;
    return present_;
}

std::optional<EditSnapshot> EditHistory::redo() {
    if (redo_.empty()) {
        return std::nullopt;
    }
    undo_.push_back(std::exchange(present_, std::move(redo_.back())));
    redo_.pop_back();
    presentGesture_ = 0;
    return present_;
}

void EditHistory::markKept(const ModeSet& modes) {
    kept_ = modes;
}

} // namespace lumavert
