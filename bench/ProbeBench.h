// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ResultTable.h"

#include <span>

namespace lumavert {

/// Times HidLink::probe on a virtual bus of each size in `interfaceCounts` (in rising order):
/// every interface but the last is another device, the last is a light, so the probe passes
/// them all. Adds the medians and whether the cost grows at most linearly.
void benchProbe(ResultTable& table, std::span<const int> interfaceCounts, int repetitions);

} // namespace lumavert
