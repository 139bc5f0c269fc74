// Runs the real lumavert-cli as a user would, through a shell.
#include "CliTestSupport.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace lumavert {
namespace {

struct ShellRun {
    int status;
    std::string out;
};

ShellRun runShell(const std::string& arguments) {
    const std::string command = std::string("'") + LUMAVERT_CLI_PATH + "' " + arguments;
    FILE* pipe = ::popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    std::string out;
    std::array<char, 512> chunk;
    for (std::size_t got; (got = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0;) {
        out.append(chunk.data(), got);
    }
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(CliBinary, PresetThenEncode) {
    ScratchFolder folder;
    const std::string file = folder.path("household.ini");
    ASSERT_EQ(runShell("preset household -o '" + file + "'").status, 0);
    const ShellRun encoded = runShell("encode '" + file + "'");
    EXPECT_EQ(encoded.status, 0);
    EXPECT_EQ(encoded.out.substr(0, 12), "81 02 01 05 ");
    EXPECT_EQ(encoded.out.size(), 4u * (64 * 3));
}

TEST(CliBinary, UploadThenDownloadThroughASimulatedLight) {
    ScratchFolder folder;
    const std::string modes = folder.path("tactical.ini");
    const std::string light = "--simulate='" + folder.path("light.bin") + "' --stage-delay-ms=40 ";
    ASSERT_EQ(runShell("preset tactical -o '" + modes + "'").status, 0);
    EXPECT_EQ(runShell(light + "upload '" + modes + "' 2>/dev/null").status, 0);
    const ShellRun downloaded = runShell(light + "download 2>/dev/null");
    EXPECT_EQ(downloaded.status, 0);
    EXPECT_EQ(downloaded.out, runShell("show '" + modes + "'").out);
    EXPECT_EQ(std::filesystem::file_size(folder.path("light.bin")), 256u);
}

TEST(CliBinary, BadUsageExitsWithTwoAndAnErrorLine) {
    const ShellRun refused = runShell("frobnicate 2>&1");
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out,
              "lumavert-cli: unknown command 'frobnicate' (see lumavert-cli --help)\n");
}

} // namespace
} // namespace lumavert
