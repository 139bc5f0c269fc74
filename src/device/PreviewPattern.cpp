// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/PreviewPattern.h"

#include "device/KeptValues.h"

#include <algorithm>
#include <cmath>

namespace lumavert {

namespace {

constexpr int kFull = 100;
const std::vector<PreviewPhase> kDark{{0, 0}};

std::vector<PreviewPhase> strobe(int frequency) {
    if (frequency < 1) {
        return kDark;
    }
    const int flashes = std::min(frequency, kFastestPreviewHz);
    // 2 * flashes edges in one second, each at the nearest millisecond, so no drift adds up.
    const auto edge = [flashes](int k) {
        return static_cast<int>(std::lround(k * 500.0 / flashes));
    };
    std::vector<PreviewPhase> phases;
    for (int k = 0; k < 2 * flashes; ++k) {
        phases.push_back({k % 2 == 0 ? kFull : 0, edge(k + 1) - edge(k)});
    }
    return phases;
}

std::vector<PreviewPhase> custom(const LightMode& mode) {
    const std::vector<std::int32_t> steps = keptMode(mode).steps;
    if (steps.empty()) {
        return kDark;
    }
    std::vector<PreviewPhase> phases;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        phases.push_back({i % 2 == 0 ? kFull : 0, steps[i]});
    }
    return phases;
}

} // namespace

std::vector<PreviewPhase> previewPattern(const LightMode* mode) {
    if (mode == nullptr) {
        return {};
    }
    switch (mode->kind) {
    case KindBrightness:
        return {{std::clamp(mode->brightness, 0, kFull), 0}};
    case KindFrequency:
        return strobe(mode->frequency);
    case KindCustomize:
        return custom(*mode);
    default:
        return kDark;
    }
}

} // namespace lumavert
