// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumavert {

/// The options lumavert and lumavert-cli both take. Both programs read them with
/// takeSharedOption, so each means the same in either.
struct SharedOptions {
    bool help = false;     ///< -h, --help
    bool version = false;  ///< --version
    bool simulate = false; ///< --simulate[=FILE]: a virtual light instead of the USB bus
    std::optional<std::filesystem::path> simulateFile; ///< keeps the light's memory; never empty
};

/// Takes `argument` into `options` when it is a shared option and returns true. A shared option
/// with a bad value ("--simulate=" without a FILE) is taken too, with `error` set; `error` is
/// left alone otherwise.
bool takeSharedOption(std::string_view argument, SharedOptions& options, std::string& error);

/// The --help lines of the shared options.
std::string sharedOptionsHelp();

} // namespace lumavert
