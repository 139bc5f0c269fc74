#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumavert {

enum class CliCommand { Devices, Upload, Download, Test, Show, Encode, Decode, Preset };

/// The arguments of one lumavert-cli run, checked against the command's form.
struct CliCommandLine {
    bool help = false;
    bool version = false;
    bool simulate = false;
    std::optional<std::filesystem::path> simulateFile;
    /// The transfer dialog's stage delay; only tests shorten it (--stage-delay-ms=N).
    int stageDelayMs = 1000;
    CliCommand command = CliCommand::Devices;
    std::vector<std::string> operands;
    std::optional<std::filesystem::path> output; ///< -o FILE
    bool binary = false;                         ///< --binary
};

/// Parses the arguments (without the program name). Options may stand anywhere; "--" ends them.
/// With --help or --version the command is not checked. On bad usage returns nothing and says
/// why in `error`.
std::optional<CliCommandLine> parseCommandLine(std::span<const std::string> args,
                                               std::string& error);

/// The command's name as typed, e.g. "upload".
std::string commandName(CliCommand command);

/// The text --help prints.
std::string cliUsage();

} // namespace lumavert
