#include "app/CommandLine.h"

#include <string_view>

namespace lumavert {

namespace {

constexpr std::string_view kSimulate = "--simulate";
constexpr std::string_view kLanguage = "--lang=";

void readArgument(std::string_view argument, CommandLine& options) {
    if (argument == "--help" || argument == "-h") {
        options.help = true;
    } else if (argument == "--version") {
        options.version = true;
    } else if (argument == kSimulate) {
        options.simulate = true;
    } else if (argument.starts_with(kSimulate) && argument[kSimulate.size()] == '=' &&
               argument.size() > kSimulate.size() + 1) {
        options.simulate = true;
        options.simulateFile = std::string(argument.substr(kSimulate.size() + 1));
    } else if (argument.starts_with(kLanguage) && argument.size() > kLanguage.size()) {
        options.language = std::string(argument.substr(kLanguage.size()));
    } else {
        options.error = "unknown option '" + std::string(argument) + "'";
    }
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine options;
    for (const std::string& argument : arguments) {
        readArgument(argument, options);
        if (!options.error.empty()) {
            break;
        }
    }
    return options;
}

std::string commandLineHelp(const std::string& programName) {
    return "Usage: " + programName +
           " [OPTION]...\n"
           "Programs the light modes of a USB LED flashlight.\n"
           "\n"
           "  --simulate[=FILE]  attach a virtual light instead of the USB one; with FILE its\n"
           "                     memory is kept in FILE (a new FILE starts with the factory\n"
           "                     modes)\n"
           "  --lang=CODE        texts in English (en), German (de, the default), French (fr),\n"
           "                     Spanish (sp), Portuguese (pt) or Chinese (cn)\n"
           "  --help             show this help and exit\n"
           "  --version          show the version and exit\n";
}

} // namespace lumavert
