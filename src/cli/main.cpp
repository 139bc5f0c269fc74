#include "cli/CliApp.h"
#include "device/hidapi/HidapiBus.h"

#include <iostream>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const lumavert::CliEnvironment environment{
        [] { return std::make_shared<lumavert::HidapiBus>(); }};
    return lumavert::runCli(args, std::cout, std::cerr, environment);
}
