// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>

namespace lumavert {

/// Event codes of a device change, as the main window handles them.
enum DeviceEvent : int {
    DeviceNodesChanged = 7,
    DeviceArrival = 0x8000,
    DeviceRemoveComplete = 0x8004,
};

/// A HID interface came, went or changed.
struct DeviceChange {
    int code = DeviceNodesChanged; ///< a DeviceEvent
    std::string path;              ///< the interface's path, when known

    bool operator==(const DeviceChange&) const = default;
};

/// A source of device-change events. Each implementation says on which thread it calls back.
class DeviceMonitor {
  public:
    using Callback = std::function<void(const DeviceChange&)>;

    virtual ~DeviceMonitor() = default;

    /// Starts delivering events to `onChange`, replacing an earlier callback. False when the
    /// source cannot be watched; no events come then.
    virtual bool start(Callback onChange) = 0;

    /// Stops delivering events; no callback starts after it returns.
    virtual void stop() = 0;
};

} // namespace lumavert
