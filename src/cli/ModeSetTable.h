#pragma once

#include "model/LightMode.h"

#include <string>

namespace lumavert {

/// The Mode set as a table for a terminal: one line per mode with its kind, value, minutes and
/// Steps (lighting/dimming in ms).
std::string formatModeSet(const ModeSet& modes);

} // namespace lumavert
