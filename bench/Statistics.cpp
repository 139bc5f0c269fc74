// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Statistics.h"

#include <algorithm>
#include <cmath>

namespace lumavert {

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle),
                     values.end());
    const double upper = values[middle];
    if (values.size() % 2 == 1) {
        return upper;
    }
    const double lower =
        *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
    return (lower + upper) / 2.0;
}

double worstDeviation(const std::vector<double>& values, double expected) {
    double worst = 0.0;
    for (const double value : values) {
        if (std::abs(value - expected) > std::abs(worst)) {
            worst = value - expected;
        }
    }
    return worst;
}

bool growsAtMostLinearly(int smallSize, double smallCost, int largeSize, double largeCost,
                         double tolerance) {
    const double smallPerItem = smallCost / smallSize;
    const double largePerItem = largeCost / largeSize;
    return largePerItem <= smallPerItem * tolerance;
}

} // namespace lumavert
