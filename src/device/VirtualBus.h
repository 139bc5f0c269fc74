// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/DeviceMonitor.h"
#include "device/HidBus.h"
#include "device/VirtualLight.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace lumavert {

/// A HID bus that holds virtual lights instead of hardware, for tests and --simulate. Lights can
/// be plugged and unplugged at run time; each interface that comes or goes raises an arrival or
/// removal event on monitor(), called on the thread that made the change (for a light that
/// unplugs itself after N writes: the writing thread), never under the bus's lock.
class VirtualBus final : public HidBus {
  public:
    VirtualBus();
    ~VirtualBus() override;

    VirtualBus(const VirtualBus&) = delete;
    VirtualBus& operator=(const VirtualBus&) = delete;

    /// Adds a light, plugged in, after everything already on the bus; raises its arrival events.
    /// The bus owns the light.
    VirtualLight& addLight(const VirtualLightConfig& config = {});

    /// Lists a HID interface that is not a light (it cannot be opened).
    void addOtherDevice(const HidDeviceInfo& info);

    /// Plugs a light back in; handles opened before stay dead. No-op when already plugged.
    void plug(VirtualLight& light);
    /// Unplugs a light: its open handles fail and it is no longer listed. No-op when unplugged.
    void unplug(VirtualLight& light);

    /// The hotplug events of this bus.
    DeviceMonitor& monitor();

    std::vector<HidDeviceInfo> enumerate() override;
    OpenResult open(const std::string& path) override;

  private:
    friend class VirtualLight;
    class Handle;
    class Monitor;

    struct Entry {
        HidDeviceInfo info;
        VirtualLight* light = nullptr; // null for a device that is not a light
        bool lightInterface = false;   // the light's own interface, not its second one
    };

    std::string nextPath();
    std::vector<DeviceChange> setPlugged(VirtualLight& light, bool plugged);
    void raise(const std::vector<DeviceChange>& events);
    bool receive(Handle& handle, bool feature, std::span<const std::uint8_t> report);
    int read(Handle& handle, std::span<std::uint8_t> buffer, int timeoutMs);
    bool alive(const Handle& handle) const;

    mutable std::mutex mutex_;
    // Held while events are delivered; recursive, as a receiver may plug or unplug in turn.
    std::recursive_mutex deliveryMutex_;
    std::condition_variable reportsChanged_;
    std::vector<std::unique_ptr<VirtualLight>> lights_;
    std::vector<Entry> entries_;
    int nextNode_ = 0;
    std::unique_ptr<Monitor> monitor_;
    DeviceMonitor::Callback onChange_;
};

} // namespace lumavert
