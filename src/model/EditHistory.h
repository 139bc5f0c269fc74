// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/LightMode.h"
#include "model/ViewState.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace lumavert {

/// A Mode set with the view that showed it.
struct EditSnapshot {
    ModeSet modes;
    ViewState view;

    bool operator==(const EditSnapshot&) const = default;
};

/// The window's undo and redo history as whole-set snapshots, and the set the user last opened,
/// saved, downloaded or uploaded. A Mode set is under 3 KB, so a hundred copies are cheap and
/// no operation needs an inverse of its own.
class EditHistory {
  public:
    /// Steps that can be undone; older ones are forgotten.
    static constexpr std::size_t kDepth = 100;

    /// Starts with `modes` as the present step and as the kept set.
    EditHistory(const ModeSet& modes, const ViewState& view, std::size_t depth = kDepth);

    /// Notes the set and the view after anything the user did. A set that differs from the
    /// present step's becomes a new step and the redo steps are dropped; an unchanged set only
    /// updates the view that the present step comes back with. A nonzero `gesture` equal to the
    /// one the present step was made with changes that step instead (a drag is one step), and a
    /// gesture that ends where it began leaves no step. True when the set differed.
    bool record(const ModeSet& modes, const ViewState& view, int gesture = 0);

    /// Goes one step back; the snapshot to show, or nothing at the oldest step.
    std::optional<EditSnapshot> undo();
    /// Goes one undone step forward again; nothing when none is left.
    std::optional<EditSnapshot> redo();

    std::size_t undoSteps() const { return undo_.size(); }
    std::size_t redoSteps() const { return redo_.size(); }

    /// `modes` was opened, saved, downloaded or uploaded: closing with it loses nothing.
    void markKept(const ModeSet& modes);
    /// True when `modes` differs from the set last marked kept.
    bool unsaved(const ModeSet& modes) const { return modes != kept_; }

  private:
    std::deque<EditSnapshot> undo_;
    std::vector<EditSnapshot> redo_;
    EditSnapshot present_;
    int presentGesture_ = 0;
    ModeSet kept_;
    std::size_t depth_;
};

} // namespace lumavert
