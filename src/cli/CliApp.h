// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/HidBus.h"
#include "device/TransferSequence.h"

#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string>

namespace lumavert {

/// What the command-line tool takes from the system, so tests can run it in-process.
struct CliEnvironment {
    /// The real HID bus; asked for only by commands that talk to a light without --simulate.
    std::function<std::shared_ptr<HidBus>()> systemBus;
    /// Why writing the results failed, in the system's words; asked once the stream has failed.
    std::function<std::string()> outputError;
    /// The transfers' pacing: the light's own, unless a test shortens it.
    TransferDelays delays;
};

/// Exit codes of lumavert-cli.
enum CliExit : int { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

/// Runs lumavert-cli with its arguments (without the program name). Results go to `out`,
/// progress and errors to `err`; an error is one line that says what went wrong and where.
/// Never throws. `out` is flushed at the end; when any write to it failed, the run fails.
int runCli(std::span<const std::string> args, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment);

} // namespace lumavert
