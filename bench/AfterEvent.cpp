// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AfterEvent.h"

#include <algorithm>

namespace lumavert {

AfterEvent::AfterEvent(QObject& target, std::vector<QEvent::Type> types, Handled handled)
    : target_(target)
    , types_(std::move(types))
    , handled_(std::move(handled)) {
    target_.installEventFilter(this);
}

AfterEvent::~AfterEvent() {
    target_.removeEventFilter(this);
}

bool AfterEvent::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &target_ ||
        std::find(types_.begin(), types_.end(), event->type()) == types_.end()) {
        return false;
    }
    target_.event(event);
    handled_();
    return true;
}

} // namespace lumavert
