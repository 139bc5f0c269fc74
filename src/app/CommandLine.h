#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumavert {

/// What the window's command line asks for. Without options the program starts as it always
/// has: German texts, the real light.
struct CommandLine {
    bool help = false;
    bool version = false;
    std::string language = "de";
    bool simulate = false;
    std::string simulateFile; ///< empty: a light that lives only while the program runs
    std::string error;        ///< not empty when the arguments were not understood
};

/// Reads the arguments after the program name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

/// The text `--help` prints.
std::string commandLineHelp(const std::string& programName);

} // namespace lumavert
