// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Plays the light on a USB gadget's /dev/hidgN: every report the host sends reaches a
// VirtualLight, whose answers go back as interrupt IN reports. The light's memory is saved to a
// file after every change, so that the test can check what it took.
//
//   kernel-gadget-light HIDG VID PID MEMORY [--silent] [--unbind-after N UDC_FILE]
//                       [--unbind-after-blocks N UDC_FILE]
//
// MEMORY is read first when it holds 256 bytes. --unbind-after unplugs the gadget (writes an
// empty line to UDC_FILE) once N input reports went out, as a light pulled during a download;
// --unbind-after-blocks once it took N blocks, as a light pulled during an upload.

#include "device/ImageFile.h"
#include "device/VirtualBus.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

using namespace lumavert;

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

int usage() {
    std::fprintf(stderr, "usage: kernel-gadget-light HIDG VID PID MEMORY [--silent] "
                         "[--unbind-after N UDC_FILE] [--unbind-after-blocks N UDC_FILE]\n");
    return 2;
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        return usage();
    }
    const std::string hidg = argv[1];
    VirtualLightConfig config;
    config.vendorId = static_cast<std::uint16_t>(std::strtoul(argv[2], nullptr, 16));
    config.productId = static_cast<std::uint16_t>(std::strtoul(argv[3], nullptr, 16));
    const std::string memoryFile = argv[4];
    bool silent = false;
    int unbindAfter = 0;
    int unbindAfterBlocks = 0;
    std::string udcFile;
    for (int i = 5; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--silent") {
            silent = true;
        } else if ((arg == "--unbind-after" || arg == "--unbind-after-blocks") && i + 2 < argc) {
            (arg == "--unbind-after" ? unbindAfter : unbindAfterBlocks) = std::atoi(argv[i + 1]);
            udcFile = argv[i + 2];
            i += 2;
        } else {
            return usage();
        }
    }

    VirtualBus bus;
    VirtualLight& light = bus.addLight(config);
    DeviceImage start{};
    std::string error;
    const bool haveMemory = readImageFile(memoryFile, start, error);
    light.saveMemoryTo(memoryFile);
    light.setMemory(haveMemory ? start : DeviceImage{});
    light.setSilent(silent);
    OpenResult opened = bus.open(light.path());
    const int fd = ::open(hidg.c_str(), O_RDWR);
    if (!opened.handle || fd < 0) {
        std::fprintf(stderr, "kernel-gadget-light: cannot open %s: %s\n", hidg.c_str(),
                     std::strerror(errno));
        return 1;
    }
    HidHandle& handle = *opened.handle;
    std::printf("light %04x:%04x on %s\n", config.vendorId, config.productId, hidg.c_str());
    std::fflush(stdout);

    // A report the host has already sent may still wait in the gadget's queue when the test
    // stops the light: on SIGTERM, take what is queued, then end.
    struct sigaction onTerm {};
    onTerm.sa_handler = requestStop;
    ::sigaction(SIGTERM, &onTerm, nullptr);
    int sent = 0;
    int blocks = 0;
    const auto unplug = [&udcFile](const char* after, int count) {
        std::ofstream(udcFile) << "\n";
        std::printf("unplugged after %d %s\n", count, after);
    };
    for (;;) {
        if (stopRequested != 0) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        }
        pollfd waiting{fd, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, stopRequested != 0 ? 0 : 2);
        if (ready == 0 && stopRequested != 0) {
            return 0;
        }
        if (ready > 0) {
            // Every SET_REPORT arrives here whole, without its id: the block, then the zeros of a
            // longer report. The light wants the block with report id 0 first.
            std::array<std::uint8_t, 4096> data{};
            const ssize_t got = ::read(fd, data.data(), data.size());
            if (got < 0 && errno != EINTR && errno != EAGAIN) {
                std::fprintf(stderr, "kernel-gadget-light: read: %s\n", std::strerror(errno));
                return 1;
            }
            if (got > 0) {
                std::vector<std::uint8_t> report(kBlockSize + 1, 0);
                std::copy_n(data.begin(), std::min<ssize_t>(got, kBlockSize), report.begin() + 1);
                const bool taken = light.usesFeatureReports() ? handle.sendFeatureReport(report)
                                                              : handle.writeOutputReport(report);
                std::printf("took %zd bytes, marker %02x%s\n", got, data[0],
                            taken ? "" : " (refused)");
                std::fflush(stdout);
                if (++blocks == unbindAfterBlocks) {
                    unplug("blocks", blocks);
                    return 0;
                }
            }
        }
        std::array<std::uint8_t, VirtualLight::kAnswerReportSize> answer{};
        while (handle.readInputReport(answer, 0) > 0) {
            if (!writeAll(fd, answer.data(), answer.size())) {
                std::fprintf(stderr, "kernel-gadget-light: write: %s\n", std::strerror(errno));
                return 1;
            }
            if (++sent == unbindAfter) {
                unplug("reports", sent);
                return 0;
            }
        }
    }
}
