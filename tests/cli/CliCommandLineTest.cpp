#include "cli/CliCommandLine.h"

#include <gtest/gtest.h>

namespace lumavert {
namespace {

std::optional<CliCommandLine> parse(const std::vector<std::string>& args) {
    std::string error;
    return parseCommandLine(args, error);
}

TEST(CliCommandLine, OptionsMayStandAnywhere) {
    const auto line = parse({"download", "-o", "out.ini", "--simulate=light.bin"});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->command, CliCommand::Download);
    EXPECT_TRUE(line->simulate);
    EXPECT_EQ(line->simulateFile, "light.bin");
    EXPECT_EQ(line->output, "out.ini");
    EXPECT_EQ(line->stageDelayMs, 1000) << "the window's pacing unless a test shortens it";
}

TEST(CliCommandLine, DoubleDashEndsTheOptions) {
    const auto line = parse({"show", "--", "-odd.ini"});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->operands, std::vector<std::string>{"-odd.ini"});
}

TEST(CliCommandLine, HelpAndVersionNeedNoCommand) {
    EXPECT_TRUE(parse({"--help"})->help);
    EXPECT_TRUE(parse({"--version"})->version);
    EXPECT_TRUE(parse({"flash", "-h"})->help) << "help wins over a bad command";
}

TEST(CliCommandLine, RefusesMalformedOptions) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--simulate=", "devices"}, "--simulate= needs a FILE"},
        {{"download", "-o"}, "-o needs a FILE"},
        {{"download", "-o", "a", "-o", "b"}, "-o given twice"},
        {{"download", "--output="}, "-o needs a FILE"},
        {{"--stage-delay-ms=0", "devices"}, "--stage-delay-ms takes 1 to 1000"},
        {{"--stage-delay-ms=1001", "devices"}, "--stage-delay-ms takes 1 to 1000"},
        {{"--stage-delay-ms=5x", "devices"}, "--stage-delay-ms takes 1 to 1000"},
        {{"devices", "extra"}, "usage: lumavert-cli devices"},
        {{"test", "a.ini"}, "usage: lumavert-cli test FILE.ini N"},
    };
    for (const auto& [args, expected] : cases) {
        std::string error;
        EXPECT_FALSE(parseCommandLine(args, error)) << expected;
        EXPECT_EQ(error, expected);
    }
}

} // namespace
} // namespace lumavert
