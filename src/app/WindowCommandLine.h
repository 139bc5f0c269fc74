// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "program/SharedOptions.h"

#include <optional>
#include <span>
#include <string>

namespace lumavert {

/// What the window's command line asks for. Without options the program starts as it always
/// has: German texts, the real light.
struct WindowCommandLine : SharedOptions {
    std::string language = "de"; ///< --lang=CODE
    std::string file;            ///< FILE: a Mode set file opened at start
};

/// Reads the arguments after the program name; needs no display. On bad usage returns nothing
/// and says why in `error`.
std::optional<WindowCommandLine> parseWindowCommandLine(std::span<const std::string> arguments,
                                                        std::string& error);

/// The text --help prints.
std::string windowUsage();

} // namespace lumavert
