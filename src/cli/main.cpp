// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CliApp.h"
#include "cli/DescriptorOutput.h"
#include "device/hidapi/HidapiBus.h"

#include <cstring>
#include <iostream>
#include <vector>

#include <unistd.h>

int main(int argc, char** argv) {
    lumavert::DescriptorOutput::holdStandardDescriptors();
    lumavert::DescriptorOutput results(STDOUT_FILENO);
    std::ostream out(&results);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const lumavert::CliEnvironment environment{
        [] { return std::make_shared<lumavert::HidapiBus>(); },
        [&results] { return std::string(std::strerror(results.error())); },
        lumavert::TransferDelays{}};
    return lumavert::runCli(args, out, std::cerr, environment);
}
