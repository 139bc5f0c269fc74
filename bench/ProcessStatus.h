// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumavert {

/// A number field of a /proc status file, e.g. "VmHWM" in kB or "voluntary_ctxt_switches".
/// Nothing when the field is absent or not a number.
std::optional<long> statusField(std::string_view statusText, std::string_view field);

/// How often one thread of a process has given up the processor so far.
struct ThreadSwitches {
    pid_t tid = 0;
    std::string name;
    long voluntary = 0;   ///< it went to sleep: waiting for a timer, a file, a lock
    long involuntary = 0; ///< the scheduler took the processor away
};

/// Every thread of a running process, as /proc/<pid>/task lists them now.
std::vector<ThreadSwitches> threadSwitches(pid_t pid);

/// The wake-ups between two looks at the same process. A thread that only the later look lists
/// counts with all its switches; one that ended in between is not seen.
struct WakeUps {
    long voluntary = 0;
    long involuntary = 0;
    std::vector<std::string> threads; ///< "name (n)" of every thread that woke, in tid order

    long total() const { return voluntary + involuntary; }
};
WakeUps wakeUpsBetween(const std::vector<ThreadSwitches>& before,
                       const std::vector<ThreadSwitches>& after);

/// The peak resident memory of a running process in kB (VmHWM); nothing once it has gone.
std::optional<long> peakResidentKb(pid_t pid);

} // namespace lumavert
