// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs every benchmark and prints one markdown table; bench/run.sh builds and starts it.
#include "FootprintBench.h"
#include "ProbeBench.h"
#include "ResultTable.h"
#include "StartupBench.h"
#include "TransferBench.h"

#include <QApplication>

#include <array>
#include <fstream>
#include <iostream>
#include <string_view>
#include <thread>

using namespace lumavert;

namespace {

constexpr int kStartupRuns = 15;
constexpr int kTransferRuns = 3;
constexpr auto kIdleTime = std::chrono::seconds(10);
constexpr std::array kProbeSizes{1, 16, 128};
constexpr int kProbeRepetitions = 1000;

std::string processorName() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);) {
        if (line.starts_with("model name")) {
            return line.substr(line.find(':') + 2);
        }
    }
    return "an unknown processor";
}

/// The one-minute load average: the benchmarks share the processor with whatever else runs.
std::string loadAverage() {
    std::ifstream loadavg("/proc/loadavg");
    std::string oneMinute = "unknown";
    loadavg >> oneMinute;
    return oneMinute;
}

std::string machineNote(const std::string& loadAtStart) {
    return "Measured on " + processorName() + " (" +
           std::to_string(std::thread::hardware_concurrency()) + " cores, load average " +
           loadAtStart + " at the start), Qt " + qVersion() + ", " + LUMAVERT_BENCH_BUILD_TYPE +
           " build, QT_QPA_PLATFORM=offscreen, no light attached (the transfers use the virtual "
           "light).";
}

ResultTable runAll(const std::string& self) {
    const std::string loadAtStart = loadAverage();
    ResultTable table;
    benchStartup(table, self, kStartupRuns);
    benchIdleWindow(table, LUMAVERT_GUI_PROGRAM, kIdleTime);
    benchCliMemory(table, LUMAVERT_CLI_PROGRAM, LUMAVERT_PEAK_MEMORY_PROGRAM);
    benchTransfers(table, kTransferRuns);
    benchProbe(table, kProbeSizes, kProbeRepetitions);
    table.addNote(machineNote(loadAtStart));
    return table;
}

int usage() {
    std::cerr << "Usage: lumavert-bench [--out FILE]\n"
                 "       lumavert-bench --first-paint main|text|bare\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    // Offscreen unless told otherwise; the programs it starts inherit the choice.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--first-paint" && startupWindowNamed(args[1])) {
        return printFirstPaint(*startupWindowNamed(args[1]));
    }
    if (!args.empty() && (args.size() != 2 || args[0] != "--out")) {
        return usage();
    }
    try {
        const ResultTable table = runAll(QCoreApplication::applicationFilePath().toStdString());
        std::cout << table.markdown();
        if (!args.empty()) {
            std::ofstream(std::string(args[1])) << table.markdown();
        }
        return table.allTargetsMet() ? 0 : 1;
    } catch (const std::exception& error) {
        std::cerr << "lumavert-bench: " << error.what() << '\n';
        return 2;
    }
}
