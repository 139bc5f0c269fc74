// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/hidapi/UdevMonitor.h"

#include <libudev.h>

#include <string>

namespace lumavert {

int deviceEventForAction(std::string_view action) {
    if (action == "add") {
        return DeviceArrival;
    }
    if (action == "remove") {
        return DeviceRemoveComplete;
    }
    if (action == "change") {
        return DeviceNodesChanged;
    }
    return 0;
}

UdevMonitor::UdevMonitor()
    : udev_(udev_new()) {
    if (udev_ == nullptr) {
        return;
    }
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_ != nullptr &&
        (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
         udev_monitor_enable_receiving(monitor_) < 0)) {
        monitor_ = udev_monitor_unref(monitor_);
    }
}

UdevMonitor::~UdevMonitor() {
    udev_monitor_unref(monitor_);
    udev_unref(udev_);
}

bool UdevMonitor::start(Callback onChange) {
    onChange_ = std::move(onChange);
    return monitor_ != nullptr;
}

void UdevMonitor::stop() {
    onChange_ = nullptr;
}

int UdevMonitor::fd() const {
    return monitor_ != nullptr ? udev_monitor_get_fd(monitor_) : -1;
}

void UdevMonitor::drain() {
    if (monitor_ == nullptr) {
        return;
    }
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        const char* node = udev_device_get_devnode(device);
        const int code = deviceEventForAction(action != nullptr ? action : "");
        const DeviceChange change{code, node != nullptr ? node : ""};
        udev_device_unref(device);
        if (code != 0 && onChange_) {
            onChange_(change);
        }
    }
}

} // namespace lumavert
