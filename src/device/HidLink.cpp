// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/HidLink.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace lumavert {

namespace {

constexpr std::array kAcceptedDevices{
    AcceptedDevice{0x13EC, 0x0056, true, true},
    AcceptedDevice{0x04D8, 0x003F, false, false},
    AcceptedDevice{0x1017, 0x1000, false, false},
};

// Large enough for any input report a light sends; longer ones would be cut silently.
constexpr std::size_t kInputReportCapacity = 64;
// The kernel keeps at most this many reports per open handle.
constexpr int kMostQueuedReports = 64;

// Some platforms name interface 0 of a composite device only in its path.
bool pathNamesInterfaceZero(const HidDeviceInfo& info) {
    char mark[32];
    std::snprintf(mark, sizeof mark, "vid_%04x&pid_%04x&mi_00", info.vendorId, info.productId);
    return info.path.find(mark) != std::string::npos;
}

bool accepts(const AcceptedDevice& row, const HidDeviceInfo& info) {
    if (info.vendorId != row.vendorId || info.productId != row.productId) {
        return false;
    }
    return !row.onlyInterfaceZero || info.interfaceNumber == 0 || pathNamesInterfaceZero(info);
}

// Waits for one input report until it comes, the device fails or a stop is requested.
int readOneReport(HidHandle& device, std::span<std::uint8_t> report, const std::stop_token& stop) {
    while (!stop.stop_requested()) {
        const int received = device.readInputReport(report, HidLink::kReadPollMs);
        if (received != 0) {
            return received;
        }
    }
    return 0;
}

void drainStaleReports(HidHandle& device, std::span<std::uint8_t> report) {
    for (int i = 0; i < kMostQueuedReports && device.readInputReport(report, 0) > 0; ++i) {
    }
}

} // namespace

std::span<const AcceptedDevice> acceptedDevices() {
    return kAcceptedDevices;
}

std::string usbId(std::uint16_t vendorId, std::uint16_t productId) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", vendorId, productId);
    return text;
}

std::optional<AcceptedDevice> matchAcceptedDevice(const HidDeviceInfo& info) {
    for (const AcceptedDevice& row : kAcceptedDevices) {
        if (accepts(row, info)) {
            return row;
        }
    }
    return std::nullopt;
}

HidLink::HidLink(HidBus& bus)
    : bus_(bus) {}

HidLink::~HidLink() {
    if (monitorStarted_) {
        monitor_->stop();
    }
}

void HidLink::setDeviceChangeReceiver(DeviceMonitor* monitor, DeviceMonitor::Callback receiver) {
    monitor_ = monitor;
    receiver_ = std::move(receiver);
}

HidLink::Scan HidLink::scan() {
    ProbeResult refused;
    for (const HidDeviceInfo& info : bus_.enumerate()) {
        const std::optional<AcceptedDevice> row = matchAcceptedDevice(info);
        if (!row) {
            continue;
        }
        OpenResult opened = bus_.open(info.path);
        if (opened.status == OpenStatus::Opened) {
            usesFeatureReports_ = row->usesFeatureReports;
            return {std::move(opened.handle), {ProbeStatus::Found, info, row->usesFeatureReports}};
        }
        if (opened.status == OpenStatus::PermissionDenied &&
            refused.status == ProbeStatus::NotFound) {
            refused = {ProbeStatus::PermissionDenied, info, row->usesFeatureReports};
        }
    }
    return {nullptr, refused};
}

int HidLink::probe() {
    Scan found = scan();
    if (!notificationRegistered_) {
        registerForDeviceChanges();
        notificationRegistered_ = true;
    }
    lastProbe_ = std::move(found.result);
    present_ = found.handle != nullptr;
    return present_ ? 1 : 0;
}

int HidLink::registerForDeviceChanges() {
    if (monitor_ == nullptr || !receiver_) {
        return 0;
    }
    monitorStarted_ = monitor_->start(receiver_);
    return monitorStarted_ ? 1 : 0;
}

int HidLink::writeReport(std::span<const std::uint8_t> block) {
    lastWriteFailure_ = WriteFailure::Gone;
    if (!present_) {
        return 0;
    }
    const Scan found = scan();
    if (!found.handle) {
        return 0;
    }
    HidHandle& device = *found.handle;
    const bool feature = found.result.usesFeatureReports;
    // Report id 0, the block, then zeros up to the report length the light states: nothing
    // pads for us, and a light refuses an output report of any other length.
    const std::size_t blockReport = block.size() + 1;
    lastOutputReportLength_ = device.outputReportLength();
    const auto stated = static_cast<std::size_t>(lastOutputReportLength_);
    if (!feature && stated != 0 && stated < blockReport) {
        lastWriteFailure_ = WriteFailure::ReportTooShort;
        return 0;
    }
    std::vector<std::uint8_t> report(feature || stated == 0 ? blockReport : stated, 0);
    std::copy(block.begin(), block.end(), report.begin() + 1);
    const bool sent = feature ? device.sendFeatureReport(report) : device.writeOutputReport(report);
    lastWriteFailure_ = sent ? WriteFailure::None : WriteFailure::Refused;
    return sent ? 1 : 0;
}

int HidLink::readReports(std::span<std::uint8_t> buffer, int chunk, std::stop_token stop) {
    if (chunk <= 0) {
        return 0;
    }
    const Scan found = scan();
    if (!found.handle) {
        return 0;
    }
    HidHandle& device = *found.handle;
    std::array<std::uint8_t, kInputReportCapacity> report{};
    drainStaleReports(device, report);

    const auto chunkSize = static_cast<std::size_t>(chunk);
    int received = 0;
    for (std::size_t offset = 0; offset + chunkSize <= buffer.size(); offset += chunkSize) {
        const int length = readOneReport(device, report, stop);
        if (stop.stop_requested()) {
            break;
        }
        if (length > 0) {
            const auto payload = std::min(chunkSize, static_cast<std::size_t>(length));
            std::copy_n(report.begin(), payload, buffer.begin() + static_cast<long>(offset));
            ++received;
        }
    }
    return received;
}

} // namespace lumavert
