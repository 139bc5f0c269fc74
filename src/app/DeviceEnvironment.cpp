// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/DeviceEnvironment.h"

#include "device/SimulatedLight.h"
#include "device/VirtualBus.h"
#include "device/hidapi/HidapiBus.h"
#include "device/hidapi/UdevMonitor.h"

#include <QSocketNotifier>

#include <new>

namespace lumavert {

std::unique_ptr<DeviceEnvironment> DeviceEnvironment::system() {
    std::unique_ptr<DeviceEnvironment> environment(new DeviceEnvironment);
    environment->bus_ = std::make_unique<HidapiBus>();
    environment->udev_ = std::make_unique<UdevMonitor>();
    environment->monitor_ = environment->udev_.get();
    if (const int fd = environment->udev_->fd(); fd >= 0) {
        // udev's events wake the event loop; nothing polls.
        environment->udevNotifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(environment->udevNotifier_.get(), &QSocketNotifier::activated,
                         [udev = environment->udev_.get()] { udev->drain(); });
    }
    return environment;
}

std::unique_ptr<DeviceEnvironment>
DeviceEnvironment::simulated(const std::optional<std::filesystem::path>& memoryFile,
                             std::string& error) {
    try {
        std::unique_ptr<DeviceEnvironment> environment(new DeviceEnvironment);
        auto bus = std::make_unique<VirtualBus>();
        if (addSimulatedLight(*bus, memoryFile, error) == nullptr) {
            return nullptr;
        }
        environment->monitor_ = &bus->monitor();
        environment->bus_ = std::move(bus);
        return environment;
    } catch (const std::bad_alloc&) {
        error = memoryFile.value_or("").string() + ": out of memory";
        return nullptr;
    }
}

DeviceEnvironment::~DeviceEnvironment() = default;

} // namespace lumavert
