// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints the hidraw changes the program's udev monitor reports, one line each ("arrival PATH",
// "removal PATH", "change PATH"), for SECONDS, then exits; the kernel test runs it beside
// systemd-udevd:
//   <build>/tools/lumavert-udev-watch SECONDS
// Exits 1 when udev cannot be watched here.

#include "device/hidapi/UdevMonitor.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <poll.h>

using namespace lumavert;

namespace {

const char* nameOf(int code) {
    switch (code) {
    case DeviceArrival:
        return "arrival";
    case DeviceRemoveComplete:
        return "removal";
    default:
        return "change";
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2 || std::atoi(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: lumavert-udev-watch SECONDS\n");
        return 2;
    }
    UdevMonitor monitor;
    if (!monitor.start([](const DeviceChange& change) {
            std::printf("%s %s\n", nameOf(change.code), change.path.c_str());
            std::fflush(stdout);
        })) {
        std::fprintf(stderr, "lumavert-udev-watch: udev cannot be watched here\n");
        return 1;
    }
    std::printf("watching\n");
    std::fflush(stdout);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[1]));
    while (std::chrono::steady_clock::now() < end) {
        pollfd socket{monitor.fd(), POLLIN, 0};
        if (::poll(&socket, 1, 100) > 0) {
            monitor.drain();
        }
    }
    return 0;
}
