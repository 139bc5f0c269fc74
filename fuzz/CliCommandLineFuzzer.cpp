// Any argument list for lumavert-cli (the input split at NUL bytes): the parser either refuses it
// with a reason or returns a command line whose values are all usable.

#include "FuzzSupport.h"
#include "cli/CliCommandLine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace lumavert;

namespace {

std::vector<std::string> splitArguments(std::string_view input) {
    std::vector<std::string> args;
    std::size_t start = 0;
    for (std::size_t nul = input.find('\0'); nul != std::string_view::npos;
         nul = input.find('\0', start)) {
        args.emplace_back(input.substr(start, nul - start));
        start = nul + 1;
    }
    if (start < input.size()) {
        args.emplace_back(input.substr(start));
    }
    return args;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args =
        splitArguments({reinterpret_cast<const char*>(data), size});
    std::string error;
    const std::optional<CliCommandLine> line = parseCommandLine(args, error);
    if (!line) {
        require(!error.empty(), "a refusal says why");
        return 0;
    }
    require(error.empty(), "an accepted command line carries no error");
    require(line->stageDelayMs >= 1 && line->stageDelayMs <= 1000, "the stage delay is 1 to 1000");
    require(!line->output || !line->output->empty(), "-o names a file");
    require(!line->simulateFile || !line->simulateFile->empty(), "--simulate= names a file");
    if (!line->help && !line->version) {
        require(!commandName(line->command).empty(), "the command has a name");
        require(line->operands.size() <= 2, "no command takes more than two operands");
    }
    return 0;
}
