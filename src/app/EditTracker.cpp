// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/EditTracker.h"

#include "controls/ValueSlider.h"
#include "rows/InPlaceEdit.h"
#include "rows/PickerRow.h"

#include <QEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace lumavert {

EditTracker::EditTracker(QWidget* window, ModeSet& modes, ViewState& view)
    : QObject(window)
    , modes_(modes)
    , view_(view)
    , history_(modes, view) {
    struct Key {
        const char* name;
        QKeySequence keys;
        void (EditTracker::*action)();
    };
    const Key keys[] = {
        {"undoKey", QKeySequence(Qt::ControlModifier | Qt::Key_Z), &EditTracker::undo},
        {"redoKey", QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z),
         &EditTracker::redo},
        {"redoKeyY", QKeySequence(Qt::ControlModifier | Qt::Key_Y), &EditTracker::redo},
    };
    for (const Key& key : keys) {
        auto* shortcut = new QShortcut(key.keys, window);
        shortcut->setObjectName(QLatin1String(key.name));
        connect(shortcut, &QShortcut::activated, this, key.action);
    }
}

void EditTracker::watchRow(PickerRow* row) {
    rows_.push_back(row);
    row->valueBar()->installEventFilter(this);
    // Connected after the row's own handlers, so the record already holds the value.
    connect(row->valueBar(), &ValueSlider::messageSent, this, [this](int message, int) {
        if (message == SliderDrag) {
            record(presses_);
            emit valueEdited();
        }
    });
    connect(row->editBox(), &InPlaceEdit::commitRequested, this, [this] {
        record();
        emit valueEdited();
    });
}

bool EditTracker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        ++presses_; // before the bar writes the value under the pointer
    }
    return QObject::eventFilter(watched, event);
}

void EditTracker::record(int gesture) {
    history_.record(modes_, view_, gesture);
}

void EditTracker::undo() {
    finishTyping();
    restore(history_.undo());
}

void EditTracker::redo() {
    finishTyping();
    restore(history_.redo());
}

void EditTracker::finishTyping() {
    // A value still being typed is committed first, as leaving the box would.
    for (PickerRow* row : rows_) {
        row->editBox()->finish();
    }
}

void EditTracker::restore(const std::optional<EditSnapshot>& snapshot) {
    if (!snapshot) {
        return;
    }
    modes_ = snapshot->modes;
    view_ = snapshot->view;
    emit restored();
}

} // namespace lumavert
