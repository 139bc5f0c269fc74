// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/DeviceMonitor.h"
#include "device/HidBus.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stop_token>
#include <string>

namespace lumavert {

/// One row of the table of lights the program talks to.
struct AcceptedDevice {
    std::uint16_t vendorId;
    std::uint16_t productId;
    bool onlyInterfaceZero;  ///< other interfaces of the composite device are not the light
    bool usesFeatureReports; ///< else output reports
};

/// The accepted lights in the order they are compared.
std::span<const AcceptedDevice> acceptedDevices();

/// A light's ids as lsusb and udev name them, e.g. "13ec:0056".
std::string usbId(std::uint16_t vendorId, std::uint16_t productId);

/// The first row that accepts the interface, or nothing.
std::optional<AcceptedDevice> matchAcceptedDevice(const HidDeviceInfo& info);

/// What the latest probe saw.
enum class ProbeStatus {
    NotFound,
    Found,
    PermissionDenied, ///< an accepted light is listed but this user may not open it
};

struct ProbeResult {
    ProbeStatus status = ProbeStatus::NotFound;
    HidDeviceInfo device; ///< the light found, or the one that could not be opened
    bool usesFeatureReports = false;
};

/// The single link to the light. Keeps no device open between operations: each one scans the
/// bus afresh, opens the first accepted interface in the bus's order and closes it again.
///
/// probe(), writeReport() and the accessors belong to the user-interface thread; readReports()
/// may run on one other thread at the same time.
/// Why the last writeReport() sent nothing the light took.
enum class WriteFailure {
    None,
    Gone,           ///< no light to write to
    Refused,        ///< the light was there and refused the report
    ReportTooShort, ///< the light states an output report too short for a block
};

class HidLink {
  public:
    /// The bus must outlive the link.
    explicit HidLink(HidBus& bus);
    /// Stops the device-change registration.
    ~HidLink();

    HidLink(const HidLink&) = delete;
    HidLink& operator=(const HidLink&) = delete;

    /// Where device changes go once registered. Set before
    /// the first probe; the monitor must outlive the link. The monitor decides the thread the
    /// receiver is called on.
    void setDeviceChangeReceiver(DeviceMonitor* monitor, DeviceMonitor::Callback receiver);

    /// 1 when an accepted light is attached, else 0; sets `present` and lastProbe(). The first
    /// call also registers for device changes, whatever it finds.
    int probe();

    /// Starts the monitor with the receiver; 1 when that worked, else 0. Called by the first probe.
    int registerForDeviceChanges();

    /// Sends a block as one report with report id 0 in front. 0 without touching the bus when no
    /// probe has found the light since it was last missed; 0 when the light is gone or refused
    /// the report; else 1.
    int writeReport(std::span<const std::uint8_t> block);
    /// Why the last writeReport() returned 0; None after one that returned 1.
    WriteFailure lastWriteFailure() const { return lastWriteFailure_; }
    /// Output report length, report id included, the light stated at the last write; 0 unknown.
    int lastOutputReportLength() const { return lastOutputReportLength_; }

    /// Reads buffer.size() / chunk input reports of `chunk` payload bytes each into `buffer`, in
    /// order. A read that fails leaves its chunk as it was and the next one goes on; a read that
    /// is still waiting ends when `stop` is requested (within kReadPollMs). Returns the number of
    /// reports received: 0 when the light is absent.
    int readReports(std::span<std::uint8_t> buffer, int chunk, std::stop_token stop = {});

    bool present() const { return present_; }
    bool usesFeatureReports() const { return usesFeatureReports_; }
    bool notificationRegistered() const { return notificationRegistered_; }
    const ProbeResult& lastProbe() const { return lastProbe_; }

    /// Longest wait of one read before the stop request is looked at again.
    static constexpr int kReadPollMs = 50;

  private:
    struct Scan {
        std::unique_ptr<HidHandle> handle;
        ProbeResult result;
    };
    Scan scan();

    HidBus& bus_;
    DeviceMonitor* monitor_ = nullptr;
    DeviceMonitor::Callback receiver_;
    bool present_ = false;
    std::atomic<bool> usesFeatureReports_ = false; // written by the worker's scan as well
    bool notificationRegistered_ = false;
    bool monitorStarted_ = false;
    ProbeResult lastProbe_;
    WriteFailure lastWriteFailure_ = WriteFailure::None;
    int lastOutputReportLength_ = 0;
};

} // namespace lumavert
