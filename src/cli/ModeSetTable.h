// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/LightMode.h"

#include <string>

namespace lumavert {

/// The Mode set as a table for a terminal: one line per mode with its kind, value, minutes and
/// Steps (lighting/dimming in ms), then the Steps as the light keeps them.
std::string formatModeSet(const ModeSet& modes);

} // namespace lumavert
