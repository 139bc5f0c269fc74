// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/LightMode.h"
#include "model/ViewState.h"

namespace lumavert::test {

/// `count` default modes told apart by brightness: the mode at position p has p + 1 %.
inline ModeSet numberedModes(int count) {
    ModeSet modes(count, makeDefaultMode());
    for (int p = 0; p < count; ++p) {
        modes[p].brightness = p + 1;
    }
    return modes;
}

/// A custom mode whose entries are 100, 200, 300, ... so each entry is recognisable.
inline LightMode customMode(int entries) {
    LightMode mode = makeDefaultMode();
    mode.kind = KindCustomize;
    mode.steps.clear();
    for (int e = 0; e < entries; ++e) {
        mode.steps.push_back(100 * (e + 1));
    }
    return mode;
}

inline ViewState viewAt(int modeTop, int selectedMode, int testedMode = -1, int entryTop = 0,
                        int selectedEntry = -1) {
    return {modeTop, selectedMode, testedMode, entryTop, selectedEntry};
}

// Written out rather than taken from the code, so that a changed constant shows.
inline const LightMode kNewMode{KindBrightness, 5, 1, 0, {50, 50}, 0};
inline const std::vector<std::int32_t> kSosSteps{500,  500,  500,  500,  500,  1200,
                                                 1200, 1200, 1200, 1200, 1200, 1200,
                                                 500,  500,  500,  500,  500,  2000};
inline const LightMode kSosMode{KindCustomize, 1, 1, 0, kSosSteps, 1};

} // namespace lumavert::test
