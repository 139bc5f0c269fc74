// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// lumavert-bench-peak-memory PROGRAM [ARGUMENT]...: runs the program and prints
// "<peak resident kB> <exit code>". A process of its own, so that the benchmark's memory
// does not count in the program's peak.
#include "PeakMemory.h"

#include <iostream>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::cerr << "Usage: lumavert-bench-peak-memory PROGRAM [ARGUMENT]...\n";
        return 2;
    }
    const lumavert::MeasuredRun run = lumavert::runForPeakMemory({argv + 1, argv + argc});
    std::cout << run.peakResidentKb << ' ' << (run.normal ? run.code : -1) << '\n';
    return 0;
}
