// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

namespace lumavert {

/// The middle value of a sample; the mean of the two middle ones for an even count, 0 for none.
double median(std::vector<double> values);

/// The value farthest from `expected`, with its sign; 0 for none.
double worstDeviation(const std::vector<double>& values, double expected);

/// Whether cost grows at most linearly with size: the cost per item of the larger measurement
/// exceeds that of the smaller by no more than `tolerance` (1.25: 25 %).
bool growsAtMostLinearly(int smallSize, double smallCost, int largeSize, double largeCost,
                         double tolerance = 1.25);

} // namespace lumavert
