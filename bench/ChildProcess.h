// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace lumavert {

/// A program the benchmarks start and watch from outside. Its standard error is discarded; its
/// standard output is captured or discarded. Killed and reaped when destroyed while running.
class ChildProcess {
  public:
    enum class Output { Capture, Discard };

    /// Starts `arguments[0]` (a path) with the rest as its arguments and this environment.
    /// Throws std::runtime_error when it cannot be started.
    ChildProcess(const std::vector<std::string>& arguments, Output output);
    ~ChildProcess();

    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }

    /// Everything it writes to standard output, read until it closes it (Capture only).
    std::string readOutput();

    /// Asks it to end (SIGTERM).
    void terminate();

    struct Exit {
        bool normal = false; ///< it returned from main or called exit
        int code = -1;       ///< the exit code when normal
    };
    /// Waits until it has ended.
    Exit wait();

  private:
    pid_t pid_ = -1;
    int outputFd_ = -1;
};

} // namespace lumavert
