// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/LightMode.h"

#include <optional>
#include <vector>

namespace lumavert {

// What the light keeps of a Mode set: the set as its Device image gives it back. Everything
// here goes through the image codec itself, so it cannot disagree with an upload.

/// The mode as the light gives it back: durations as multiples of 188 ms (at least 50), no
/// minutes, no S.O.S mark, no lone last entry. Fields its kind does not use are the defaults.
LightMode keptMode(const LightMode& mode);

/// The set as the light gives it back after an upload.
ModeSet keptModeSet(const ModeSet& modes);

/// How the light changes what a row shows.
struct KeptChange {
    std::optional<int> value;    ///< the value kept instead, when it differs from the one shown
    bool entryDropped = false;   ///< the entry shown is not kept at all
    bool sosMarkDropped = false; ///< the mode comes back as a plain custom mode

    bool operator==(const KeptChange&) const = default;
    bool any() const { return value || entryDropped || sosMarkDropped; }
};

/// For a mode row (entryIndex -1: the brightness, frequency or minutes of its kind) or a step
/// row (the entry at entryIndex).
KeptChange keptChange(const LightMode& mode, int entryIndex);

/// The numbers (from 1) of the modes in which two sets differ, those only one holds included.
std::vector<int> differingModes(const ModeSet& a, const ModeSet& b);

} // namespace lumavert
