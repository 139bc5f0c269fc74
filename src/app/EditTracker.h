// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/EditHistory.h"

#include <QObject>

#include <vector>

class QWidget;

namespace lumavert {

class PickerRow;

/// Keeps the undo history of the window's Mode set: notes every change, undoes and redoes it on
/// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y, and knows whether the set differs from the one last opened,
/// saved, downloaded or uploaded. A drag on a value bar, from press to release, is one step.
class EditTracker : public QObject {
    Q_OBJECT

  public:
    /// Works on the window's set and view, which must outlive the tracker; the keys belong to
    /// `window`.
    EditTracker(QWidget* window, ModeSet& modes, ViewState& view);

    /// Notes the values the row writes by itself: drags and typed values.
    void watchRow(PickerRow* row);

    /// Notes the set and view after a change; `gesture` as EditHistory::record takes it.
    void record(int gesture = 0);
    /// The present set is now kept (opened, saved, downloaded or uploaded).
    void markKept() { history_.markKept(modes_); }
    /// `modes` was kept, e.g. the set an upload that has just ended wrote.
    void markKept(const ModeSet& modes) { history_.markKept(modes); }
    bool unsaved() const { return history_.unsaved(modes_); }

    void undo();
    void redo();

    const EditHistory& history() const { return history_; }

  signals:
    /// An undo or redo has replaced the set and the view: every panel must be drawn again.
    void restored();
    /// A row has written a value into the set by itself.
    void valueEdited();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void finishTyping();
    void restore(const std::optional<EditSnapshot>& snapshot);

    ModeSet& modes_;
    ViewState& view_;
    EditHistory history_;
    std::vector<PickerRow*> rows_;
    int presses_ = 0; // presses on value bars so far: the number of the drag in progress
};

} // namespace lumavert
