// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/LightMode.h"

#include <vector>

namespace lumavert {

/// One stretch of what the light shows: a glow level held for a time.
struct PreviewPhase {
    int level = 0;      ///< 0 dark to 100 full
    int durationMs = 0; ///< 0: held for good

    bool operator==(const PreviewPhase&) const = default;
};

/// Fastest strobe the preview shows; faster frequencies, which only a foreign image holds,
/// blink at this one.
inline constexpr int kFastestPreviewHz = 40;

/// What the light shows for a mode, as phases repeated without end: one phase held for good for
/// a steady mode, a strobe's flashes over one second (their edges rounded to whole
/// milliseconds), or the Steps with the durations the light keeps. Nothing for no mode.
std::vector<PreviewPhase> previewPattern(const LightMode* mode);

} // namespace lumavert
