// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/ValueRounding.h"

#include <cmath>
#include <limits>

namespace lumavert {

double roundToStep(double value, double step) {
    if (!(step > 0.0)) {
        return value;
    }
    return std::trunc((value + step * 0.5) / step) * step;
}

int truncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(std::fmin(std::fmax(value, lowest), highest)));
}

} // namespace lumavert
