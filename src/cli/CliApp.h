#pragma once

#include "device/HidBus.h"

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
};

/// Exit codes of lumavert-cli.
enum CliExit : int { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

/// Runs lumavert-cli with its arguments (without the program name). Results go to `out`,
/// progress and errors to `err`; an error is one line that says what went wrong and where.
int runCli(std::span<const std::string> args, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment);

} // namespace lumavert
