#pragma once

#include "model/LightMode.h"

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

} // namespace lumavert::test
