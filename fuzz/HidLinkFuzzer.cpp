// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A bus the input makes up: its interfaces (ids, interface numbers, paths, what opening each
// gives) and the input reports that arrive (of any length, with timeouts and failures between
// them). Nothing is written before a probe has found a light; the probe picks what the table of
// accepted lights picks, in the bus's order; a read fills the buffer report by report, leaving
// a failed report's chunk as it was.

#include "FuzzSupport.h"
#include "device/HidLink.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

using namespace lumavert;

namespace {

constexpr int kChunk = 8;
constexpr std::size_t kImageBytes = 256;
constexpr std::uint8_t kUntouched = 0xEE;

/// What one read gives: a report of `bytes`, nothing in time (empty, `failed` false), or a
/// failure.
struct Arrival {
    std::vector<std::uint8_t> bytes;
    bool failed = false;
};

struct FuzzedInterface {
    HidDeviceInfo info;
    OpenStatus open;
};

struct Traffic {
    std::deque<Arrival> stale; ///< queued before the handle opened: read without waiting
    std::deque<Arrival> arrivals;
    int writes = 0;
    int opens = 0;
};

class FuzzedHandle : public HidHandle {
  public:
    explicit FuzzedHandle(Traffic& traffic)
        : traffic_(traffic) {}
    bool sendFeatureReport(std::span<const std::uint8_t>) override { return sent(); }
    bool writeOutputReport(std::span<const std::uint8_t>) override { return sent(); }
    int outputReportLength() const override { return 65; }
    int readInputReport(std::span<std::uint8_t> buffer, int timeoutMs) override {
        std::deque<Arrival>& queue = timeoutMs == 0 ? traffic_.stale : traffic_.arrivals;
        if (queue.empty()) {
            return timeoutMs == 0 ? 0 : -1; // a light that sends no more has gone
        }
        const Arrival arrival = queue.front();
        queue.pop_front();
        const std::size_t copied = std::min(buffer.size(), arrival.bytes.size());
        std::copy_n(arrival.bytes.begin(), copied, buffer.begin());
        return arrival.failed ? -1 : static_cast<int>(copied);
    }

  private:
    bool sent() {
        ++traffic_.writes;
        return true;
    }
    Traffic& traffic_;
};

class FuzzedBus : public HidBus {
  public:
    FuzzedBus(std::vector<FuzzedInterface> interfaces, Traffic& traffic)
        : interfaces_(std::move(interfaces))
        , traffic_(traffic) {}

    std::vector<HidDeviceInfo> enumerate() override {
        std::vector<HidDeviceInfo> listed;
        for (const FuzzedInterface& interface : interfaces_) {
            listed.push_back(interface.info);
        }
        return listed;
    }

    OpenResult open(const std::string& path) override {
        ++traffic_.opens;
        for (const FuzzedInterface& interface : interfaces_) {
            if (interface.info.path == path) {
                OpenResult result{interface.open, nullptr};
                if (interface.open == OpenStatus::Opened) {
                    result.handle = std::make_unique<FuzzedHandle>(traffic_);
                }
                return result;
            }
        }
        return {OpenStatus::Absent, nullptr};
    }

  private:
    std::vector<FuzzedInterface> interfaces_;
    Traffic& traffic_;
};

std::vector<FuzzedInterface> interfacesFrom(FuzzedDataProvider& input) {
    constexpr std::array<std::pair<std::uint16_t, std::uint16_t>, 5> kIds{
        {{0x13EC, 0x0056}, {0x04D8, 0x003F}, {0x1017, 0x1000}, {0x13EC, 0x0057}, {0x046D, 0xC077}}};
    std::vector<FuzzedInterface> interfaces(input.ConsumeIntegralInRange(0, 6));
    for (std::size_t i = 0; i < interfaces.size(); ++i) {
        const auto [vendor, product] = kIds[input.ConsumeIntegralInRange<std::size_t>(0, 4)];
        const std::string mark = input.ConsumeBool() ? "vid_13ec&pid_0056&mi_00#" : "";
        interfaces[i].info = {mark + "hid" + std::to_string(i), vendor, product,
                              input.ConsumeIntegralInRange(-1, 2)};
        interfaces[i].open = static_cast<OpenStatus>(input.ConsumeIntegralInRange(0, 3));
    }
    return interfaces;
}

std::deque<Arrival> arrivalsFrom(FuzzedDataProvider& input, int most) {
    std::deque<Arrival> arrivals(input.ConsumeIntegralInRange(0, most));
    for (Arrival& arrival : arrivals) {
        const int kind = input.ConsumeIntegralInRange(0, 3);
        arrival.failed = kind == 0;
        if (kind >= 2) {
            arrival.bytes = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(1, 12));
        }
    }
    return arrivals;
}

/// The table of accepted lights, written out again: the first row that takes the interface.
std::optional<bool> usesFeatureReports(const HidDeviceInfo& info) {
    if (info.vendorId == 0x13EC && info.productId == 0x0056) {
        if (info.interfaceNumber == 0 ||
            info.path.find("vid_13ec&pid_0056&mi_00") != std::string::npos) {
            return true;
        }
        return std::nullopt;
    }
    const bool output = (info.vendorId == 0x04D8 && info.productId == 0x003F) ||
                        (info.vendorId == 0x1017 && info.productId == 0x1000);
    return output ? std::optional<bool>(false) : std::nullopt;
}

ProbeResult expectedProbe(const std::vector<FuzzedInterface>& interfaces) {
    ProbeResult refused;
    for (const FuzzedInterface& interface : interfaces) {
        const std::optional<bool> feature = usesFeatureReports(interface.info);
        if (!feature) {
            continue;
        }
        if (interface.open == OpenStatus::Opened) {
            return {ProbeStatus::Found, interface.info, *feature};
        }
        if (interface.open == OpenStatus::PermissionDenied &&
            refused.status == ProbeStatus::NotFound) {
            refused = {ProbeStatus::PermissionDenied, interface.info, *feature};
        }
    }
    return refused;
}

/// The buffer after 32 reads of the arrivals, and how many reports came.
int expectedRead(std::deque<Arrival> arrivals, std::vector<std::uint8_t>& buffer) {
    int received = 0;
    for (std::size_t offset = 0; offset < buffer.size(); offset += kChunk) {
        while (!arrivals.empty() && !arrivals.front().failed && arrivals.front().bytes.empty()) {
            arrivals.pop_front(); // nothing in time: the read waits on
        }
        if (arrivals.empty() || arrivals.front().failed) {
            if (!arrivals.empty()) {
                arrivals.pop_front();
            }
            continue;
        }
        const std::vector<std::uint8_t>& report = arrivals.front().bytes;
        std::copy_n(report.begin(), std::min<std::size_t>(kChunk, report.size()),
                    buffer.begin() + static_cast<std::ptrdiff_t>(offset));
        arrivals.pop_front();
        ++received;
    }
    return received;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::vector<FuzzedInterface> interfaces = interfacesFrom(input);
    Traffic traffic;
    traffic.stale = arrivalsFrom(input, 8);
    traffic.arrivals = arrivalsFrom(input, 80);
    const std::deque<Arrival> arrivals = traffic.arrivals;
    FuzzedBus bus(interfaces, traffic);
    HidLink link(bus);
    const std::array<std::uint8_t, 64> block{0x81};

    require(link.writeReport(block) == 0 && traffic.opens == 0,
            "before a probe a write does not touch the bus");
    const ProbeResult expected = expectedProbe(interfaces);
    const bool found = link.probe() == 1;
    require(found == (expected.status == ProbeStatus::Found),
            "the probe finds what the table finds");
    require(link.lastProbe().status == expected.status &&
                link.lastProbe().device == expected.device &&
                (!found || link.lastProbe().usesFeatureReports == expected.usesFeatureReports),
            "the probe picks the first accepted interface in the bus's order");
    if (!found) {
        require(link.writeReport(block) == 0 && traffic.writes == 0,
                "nothing is written with no light");
    }

    std::vector<std::uint8_t> buffer(kImageBytes, kUntouched);
    std::vector<std::uint8_t> model = buffer;
    const int received = link.readReports(buffer, kChunk);
    const int modelled = found ? expectedRead(arrivals, model) : 0;
    require(received == modelled, "every report that came is counted");
    require(buffer == model, "reports fill the buffer in order; a failed one leaves its chunk");
    return 0;
}
