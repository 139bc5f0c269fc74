// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace lumavert {

/// One HID interface as the system lists it. Listing never opens the device.
struct HidDeviceInfo {
    std::string path; ///< what HidBus::open takes, e.g. "/dev/hidraw3"
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    int interfaceNumber = -1; ///< USB bInterfaceNumber; -1 when the bus does not know it

    bool operator==(const HidDeviceInfo&) const = default;
};

/// An open HID interface. Closed when destroyed. One thread at a time may use a handle;
/// different handles to the same interface may be used by different threads.
class HidHandle {
  public:
    virtual ~HidHandle() = default;

    /// Sends a feature report: `report[0]` is the report id, the rest its data.
    virtual bool sendFeatureReport(std::span<const std::uint8_t> report) = 0;

    /// Writes an output report: `report[0]` is the report id. Nothing pads it: pass
    /// outputReportLength() bytes.
    virtual bool writeOutputReport(std::span<const std::uint8_t> report) = 0;

    /// Length of the device's output report including the report id byte; 0 when unknown.
    virtual int outputReportLength() const = 0;

    /// Waits at most `timeoutMs` (0: do not wait) for one input report and copies its payload,
    /// without a report id byte, into `buffer`; a longer report is cut to the buffer.
    /// Returns the bytes copied, 0 when nothing came in time, -1 when the device failed or
    /// went away. Reports that arrived before the handle was opened are never returned.
    virtual int readInputReport(std::span<std::uint8_t> buffer, int timeoutMs) = 0;
};

/// Why HidBus::open gave no handle.
enum class OpenStatus {
    Opened,
    Absent,           ///< the interface is gone
    PermissionDenied, ///< it is there, but this user may not open it
    Failed,           ///< any other refusal
};

struct OpenResult {
    OpenStatus status = OpenStatus::Failed;
    std::unique_ptr<HidHandle> handle; ///< set exactly when status is Opened; the caller owns it
};

/// The system's HID interfaces. Implementations are safe to call from several threads at once;
/// the bus must outlive every handle it opened.
class HidBus {
  public:
    virtual ~HidBus() = default;

    /// Every HID interface present now, once per path, in the system's order.
    virtual std::vector<HidDeviceInfo> enumerate() = 0;

    /// Opens an interface for reading and writing. Pass only a path that enumerate() returned.
    virtual OpenResult open(const std::string& path) = 0;
};

} // namespace lumavert
