// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/LightMode.h"

namespace lumavert {

LightMode makeDefaultMode() {
    return LightMode{};
}

const std::vector<std::int32_t>& sosPattern() {
    static const std::vector<std::int32_t> pattern{
        500,  500,  500,  500, 500, 1200, 1200, 1200, 1200,
        1200, 1200, 1200, 500, 500, 500,  500,  500,  2000,
    };
    return pattern;
}

void applySosPattern(LightMode& mode) {
    mode.sos = 1;
    mode.kind = KindCustomize;
    mode.brightness = 1;
    mode.frequency = 1;
    mode.minutes = 0;
    mode.steps = sosPattern();
}

int stepCount(const LightMode& mode) {
    return entryCount(mode) / 2;
}

void appendStep(LightMode& mode) {
    const LightMode fresh = makeDefaultMode();
    mode.steps.insert(mode.steps.end(), fresh.steps.begin(), fresh.steps.end());
}

void eraseStep(LightMode& mode, int first) {
    if (first < 0 || first >= entryCount(mode)) {
        return;
    }
    const auto begin = mode.steps.begin() + first;
    const auto end = first + 2 <= entryCount(mode) ? begin + 2 : mode.steps.end();
    mode.steps.erase(begin, end);
}

} // namespace lumavert
