// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/HidLink.h"

namespace lumavert {

/// The device status the main window shows.
enum class StatusLook { Unchanged, Connected, Disconnected };

/// What follows when a light is found.
enum class ArrivalAction {
    None,
    ReadBack,    ///< post the automatic read (the light takes feature reports)
    RaiseWindow, ///< restore the main window and bring it to the front
};

struct DeviceStatusChange {
    StatusLook look = StatusLook::Unchanged;
    ArrivalAction action = ArrivalAction::None;

    bool operator==(const DeviceStatusChange&) const = default;
};

/// The probe at start-up: connected or disconnected, and the read back of a light that takes
/// feature reports (the window is being shown anyway, so it is not raised).
DeviceStatusChange initialDeviceStatus(HidLink& link);

/// A device change by its event code: probes when the code asks for it (arrival, removal,
/// nodes changed) and says what the window does; any other code changes nothing.
DeviceStatusChange deviceChanged(HidLink& link, int eventCode);

} // namespace lumavert
