// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace lumavert {

/// trunc((value + step / 2) / step) * step: the nearest multiple of the step, halves upwards,
/// for values of at least zero. A step of zero or less leaves the value as it is.
double roundToStep(double value, double step);

/// The value truncated towards zero and limited to the int range; NaN gives 0.
int truncateToInt(double value);

} // namespace lumavert
