// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "program/SharedOptions.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumavert {

enum class CliCommand { Devices, Upload, Download, Test, Show, Encode, Decode, Preset };

/// The arguments of one lumavert-cli run, checked against the command's form.
struct CliCommandLine : SharedOptions {
    CliCommand command = CliCommand::Devices;
    std::vector<std::string> operands;
    std::optional<std::filesystem::path> output; ///< -o FILE
    bool binary = false;                         ///< --binary
    bool verify = false;                         ///< --verify
    bool json = false;                           ///< --json
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
