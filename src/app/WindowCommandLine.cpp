// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/WindowCommandLine.h"

#include <string_view>

namespace lumavert {

namespace {

constexpr std::string_view kLanguage = "--lang=";

// An option of the window's own or one it shares with lumavert-cli; false when unknown.
bool takeWindowOption(std::string_view argument, WindowCommandLine& options, std::string& error) {
    if (takeSharedOption(argument, options, error)) {
        return true;
    }
    if (argument.starts_with(kLanguage) && argument.size() > kLanguage.size()) {
        options.language = std::string(argument.substr(kLanguage.size()));
        return true;
    }
    return false;
}

} // namespace

std::optional<WindowCommandLine> parseWindowCommandLine(std::span<const std::string> arguments,
                                                        std::string& error) {
    WindowCommandLine options;
    bool optionsEnded = false;
    for (const std::string_view argument : arguments) {
        if (optionsEnded || !argument.starts_with('-')) {
            if (!options.file.empty()) {
                error = "only one FILE can be opened";
            }
            options.file = argument;
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (!takeWindowOption(argument, options, error)) {
            error = "unknown option '" + std::string(argument) + "'";
        }
        if (!error.empty()) {
            return std::nullopt;
        }
    }
    return options;
}

std::string windowUsage() {
    return "Usage: lumavert [OPTION]... [FILE]\n"
           "Programs the light modes of a USB LED flashlight; opens the Mode set FILE if given.\n"
           "\n"
           "Options:\n"
           "  --lang=CODE         texts in English (en), German (de, the default), French (fr),\n"
           "                      Spanish (sp), Portuguese (pt) or Chinese (cn)\n" +
           sharedOptionsHelp() +
           "\nThe display and its scale come from the environment (DISPLAY, QT_QPA_PLATFORM,\n"
           "QT_SCALE_FACTOR). Exit status: 0 closed, 1 the --simulate FILE cannot be used,\n"
           "2 bad usage.\n";
}

} // namespace lumavert
