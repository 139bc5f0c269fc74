// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any argument list for lumavert-cli (the input split at NUL bytes), run as a whole against a
// virtual light, in a folder of its own. The parser refuses with a reason or returns values that
// are all usable; a run ends with 0, 1 or 2, where 2 means the usage was wrong, and a failed run
// says why in exactly one line.

#include "FuzzSupport.h"
#include "cli/CliApp.h"
#include "cli/CliCommandLine.h"
#include "config/ModeSetFile.h"
#include "device/ImageFile.h"
#include "device/VirtualBus.h"
#include "model/Presets.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

using namespace lumavert;

namespace {

// Every path stays inside the run's folder, and every transfer is short.
std::vector<std::string> splitArguments(std::string_view input) {
    std::vector<std::string> args;
    std::size_t start = 0;
    for (std::size_t end = 0; end <= input.size(); ++end) {
        if (end < input.size() && input[end] != '\0') {
            continue;
        }
        std::string arg(input.substr(start, end - start));
        std::replace(arg.begin(), arg.end(), '/', '_');
        args.push_back(std::move(arg));
        start = end + 1;
    }
    return args;
}

void checkParsed(const std::vector<std::string>& args, std::optional<CliCommandLine>& line) {
    std::string error;
    line = parseCommandLine(args, error);
    if (!line) {
        require(!error.empty(), "a refusal says why");
        return;
    }
    require(error.empty(), "an accepted command line carries no error");
    require(!line->output || !line->output->empty(), "-o names a file");
    require(!line->simulateFile || !line->simulateFile->empty(), "--simulate= names a file");
    if (!line->help && !line->version) {
        require(!commandName(line->command).empty(), "the command has a name");
        require(line->operands.size() <= 2, "no command takes more than two operands");
    }
}

// The files a run may name: a Mode set and its image.
void prepareFolder(const ScratchFolder& folder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path(""), error)) {
        std::filesystem::remove_all(entry.path(), error);
    }
    ModeSet modes;
    applyPreset(Preset::Tactical, modes);
    saveModeSet(modes, folder.path("a.ini"));
    DeviceImage image;
    encodeDeviceImage(modes, image);
    std::string ignored;
    writeImageFile(folder.path("i.bin"), image, ignored);
}

int errorLines(const std::string& text) {
    int count = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        count += line.starts_with("lumavert-cli:") ? 1 : 0;
    }
    return count;
}

struct RunFolder : ScratchFolder {
    RunFolder() { std::filesystem::current_path(path("")); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const RunFolder folder;
    const std::vector<std::string> args =
        splitArguments({reinterpret_cast<const char*>(data), size});
    std::optional<CliCommandLine> line;
    checkParsed(args, line);

    prepareFolder(folder);
    auto bus = std::make_shared<VirtualBus>();
    bus->addLight();
    const CliEnvironment environment{[&bus] { return bus; }, {}, TransferDelays{12, 60}};
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCli(args, out, err, environment);

    require(code == ExitOk || code == ExitFailure || code == ExitUsage, "exit status 0, 1 or 2");
    require(code == ExitOk || errorLines(err.str()) == 1, "a failed run says why in one line");
    require(code == ExitUsage || line.has_value(), "a command line the parser refuses is usage");
    require(code != ExitUsage || !line || line->command == CliCommand::Preset ||
                line->command == CliCommand::Test,
            "only a wrong command line, preset name or mode number is usage");
    return 0;
}
