// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/DeviceMonitor.h"
#include "device/HidBus.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QSocketNotifier;

namespace lumavert {

class UdevMonitor;
class VirtualBus;

/// The bus the program talks to the light on, with its source of device changes: the system's
/// (hidapi and udev) or a virtual light's.
class DeviceEnvironment {
  public:
    /// The system's HID devices; udev's events reach the window through the event loop.
    static std::unique_ptr<DeviceEnvironment> system();
    /// One virtual light of the feature-report kind; with a file, its memory lives there.
    /// Null, with `error` set, when the file cannot be used.
    static std::unique_ptr<DeviceEnvironment>
    simulated(const std::optional<std::filesystem::path>& memoryFile, std::string& error);
    ~DeviceEnvironment();

    HidBus& bus() { return *bus_; }
    DeviceMonitor* monitor() { return monitor_; }

  private:
    DeviceEnvironment() = default;

    std::unique_ptr<HidBus> bus_;
    std::unique_ptr<UdevMonitor> udev_;
    std::unique_ptr<QSocketNotifier> udevNotifier_;
    DeviceMonitor* monitor_ = nullptr;
};

} // namespace lumavert
