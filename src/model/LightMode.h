// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

namespace lumavert {

/// Largest number of Light modes the light's memory holds.
inline constexpr int kMaxModes = 20;
/// Largest number of duration entries of one mode: 9 Steps of two entries.
inline constexpr int kMaxEntries = 18;

/// Values of LightMode::kind.
enum ModeKind : std::int32_t { KindBrightness = 1, KindFrequency = 2, KindCustomize = 3 };

/// One selectable behaviour of the light. A plain value: copies never share entries.
struct LightMode {
    std::int32_t kind = KindBrightness;
    std::int32_t brightness = 5; ///< percent, edited 1..100
    std::int32_t frequency = 1;  ///< hertz, edited 1..40
    std::int32_t minutes = 0;    ///< edited 0..10, stored and sent for every kind
    /// Durations in ms: even positions light, odd positions dim; 2k and 2k+1 form Step k+1.
    std::vector<std::int32_t> steps{50, 50};
    std::int32_t sos = 0; ///< 1 when the steps are the S.O.S pattern chosen by the user

    bool operator==(const LightMode&) const = default;
};

/// The Light modes in the order the light stores them; a mode's position is its identity.
using ModeSet = std::vector<LightMode>;

/// The mode every new mode starts as: Brightness 5 %, one Step of 50 ms and 50 ms.
LightMode makeDefaultMode();

/// The 18 entries (9 Steps) of the S.O.S pattern.
const std::vector<std::int32_t>& sosPattern();

/// Turns the mode into the S.O.S custom mode (kind 3, sos 1, brightness and frequency 1).
void applySosPattern(LightMode& mode);

/// Number of complete and incomplete Steps: entries / 2.
int stepCount(const LightMode& mode);

/// Appends one Step of 50 ms lighting and 50 ms dimming.
void appendStep(LightMode& mode);

/// Removes the entries at first and first + 1; later entries move up by two.
void eraseStep(LightMode& mode, int first);

/// Number of entries of the mode's steps as a signed count.
inline int entryCount(const LightMode& mode) {
    return static_cast<int>(mode.steps.size());
}

/// Number of modes of the set as a signed count.
inline int modeCount(const ModeSet& modes) {
    return static_cast<int>(modes.size());
}

} // namespace lumavert
