// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program/SharedOptions.h"

namespace lumavert {

namespace {

constexpr std::string_view kSimulateWithFile = "--simulate=";

} // namespace

bool takeSharedOption(std::string_view argument, SharedOptions& options, std::string& error) {
    if (argument == "--help" || argument == "-h") {
        options.help = true;
    } else if (argument == "--version") {
        options.version = true;
    } else if (argument == "--simulate") {
        options.simulate = true;
    } else if (argument.starts_with(kSimulateWithFile)) {
        const std::string_view file = argument.substr(kSimulateWithFile.size());
        if (file.empty()) {
            error = "--simulate= needs a FILE";
        } else {
            options.simulate = true;
            options.simulateFile = file;
        }
    } else {
        return false;
    }
    return true;
}

std::string sharedOptionsHelp() {
    return "  --simulate[=FILE]   use a virtual light (13ec:0056) instead of the USB bus; with\n"
           "                      FILE its 256-byte memory is read from and saved to FILE (a\n"
           "                      new FILE starts with the Factory preset)\n"
           "  -h, --help          show this help and exit\n"
           "  --version           show the version and exit\n";
}

} // namespace lumavert
