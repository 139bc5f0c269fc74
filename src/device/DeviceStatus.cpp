// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/DeviceStatus.h"

#include "device/DeviceMonitor.h"

namespace lumavert {

namespace {

DeviceStatusChange connectedWithArrival(const HidLink& link) {
    return {StatusLook::Connected,
            link.usesFeatureReports() ? ArrivalAction::ReadBack : ArrivalAction::RaiseWindow};
}

} // namespace

DeviceStatusChange initialDeviceStatus(HidLink& link) {
    if (link.probe() == 0) {
        return {StatusLook::Disconnected};
    }
    return {StatusLook::Connected,
            link.usesFeatureReports() ? ArrivalAction::ReadBack : ArrivalAction::None};
}

DeviceStatusChange deviceChanged(HidLink& link, int eventCode) {
    switch (eventCode) {
    case DeviceNodesChanged:
        return link.probe() != 0 ? connectedWithArrival(link)
                                 : DeviceStatusChange{StatusLook::Disconnected};
    case DeviceArrival:
        if (link.probe() != 0) {
            return connectedWithArrival(link);
        }
        // A light that came but may not be opened is shown, so its permission can be explained.
        return link.lastProbe().status == ProbeStatus::PermissionDenied
                   ? DeviceStatusChange{StatusLook::Disconnected}
                   : DeviceStatusChange{};
    case DeviceRemoveComplete:
        // Another light may still be attached.
        return link.probe() != 0 ? DeviceStatusChange{}
                                 : DeviceStatusChange{StatusLook::Disconnected};
    default:
        return {};
    }
}

} // namespace lumavert
