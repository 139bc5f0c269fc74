// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ResultTable.h"

#include <chrono>
#include <string>

namespace lumavert {

/// Starts `gui` (no light attached), waits until its start-up has settled, counts the
/// wake-ups of all its threads over `idle`, then reads its peak resident memory.
void benchIdleWindow(ResultTable& table, const std::string& gui, std::chrono::seconds idle);

/// The peak resident memory of `cli encode` on the Factory preset's file, measured by
/// `peakMemoryProgram` (lumavert-bench-peak-memory).
void benchCliMemory(ResultTable& table, const std::string& cli,
                    const std::string& peakMemoryProgram);

} // namespace lumavert
