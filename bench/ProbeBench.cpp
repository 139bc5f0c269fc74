// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProbeBench.h"

#include "Statistics.h"

#include "device/HidLink.h"
#include "device/VirtualBus.h"

#include <chrono>
#include <stdexcept>

namespace lumavert {

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kLongestLargestProbeUs = 5000.0;

/// A light of the output-report kind: it lists one interface, so `interfaces` stays exact.
VirtualLightConfig lastLight() {
    VirtualLightConfig config;
    config.vendorId = 0x04D8;
    config.productId = 0x003F;
    return config;
}

double medianProbeMicroseconds(int interfaces, int repetitions) {
    VirtualBus bus;
    for (int other = 1; other < interfaces; ++other) {
        bus.addOtherDevice({"virtual/other" + std::to_string(other), 0x046D,
                            static_cast<std::uint16_t>(other), 0});
    }
    bus.addLight(lastLight());
    HidLink link(bus);
    if (link.probe() == 0) { // the first probe also registers for device changes: not timed
        throw std::runtime_error("the probe missed the virtual light");
    }
    std::vector<double> times;
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        const Clock::time_point start = Clock::now();
        link.probe();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    return median(times);
}

std::string microseconds(double us) {
    return formatNumber(us, 1) + " µs";
}

std::string nanoseconds(double us) {
    return formatNumber(us * 1000.0, 0) + " ns";
}

} // namespace

void benchProbe(ResultTable& table, std::span<const int> interfaceCounts, int repetitions) {
    std::vector<double> medians;
    for (const int interfaces : interfaceCounts) {
        medians.push_back(medianProbeMicroseconds(interfaces, repetitions));
        const bool largest = interfaces == interfaceCounts.back();
        table.add({"`probe`, " + std::to_string(interfaces) +
                       " HID interface(s) on the virtual bus (median of " +
                       std::to_string(repetitions) + ")",
                   microseconds(medians.back()),
                   largest ? "< " + formatNumber(kLongestLargestProbeUs / 1000.0, 0) + " ms" : "",
                   largest ? std::optional<bool>(medians.back() < kLongestLargestProbeUs)
                           : std::nullopt});
    }
    const int small = interfaceCounts[interfaceCounts.size() - 2];
    const int large = interfaceCounts.back();
    const double smallCost = medians[medians.size() - 2];
    const double largeCost = medians.back();
    table.add({"`probe` cost per interface, " + std::to_string(small) + " → " +
                   std::to_string(large) + " interfaces",
               nanoseconds(smallCost / small) + " → " + nanoseconds(largeCost / large),
               "linear (≤ +25 %)", growsAtMostLinearly(small, smallCost, large, largeCost)});
}

} // namespace lumavert
