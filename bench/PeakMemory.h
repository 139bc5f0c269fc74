// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

namespace lumavert {

/// How a program run for its peak memory ended.
struct MeasuredRun {
    bool normal = false; ///< it returned from main or called exit
    int code = -1;       ///< the exit code when normal
    long peakResidentKb = 0;
};

/// Runs `arguments[0]` (a path) to its end with its output discarded and returns its peak
/// resident memory (ru_maxrss). The kernel counts the memory of the process that started it
/// up to the exec in that figure, so call this from a small process, never from a large one.
/// A program that cannot be started ends with code 127.
MeasuredRun runForPeakMemory(const std::vector<std::string>& arguments);

} // namespace lumavert
