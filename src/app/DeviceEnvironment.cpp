#include "app/DeviceEnvironment.h"

#include "device/SimulatedLight.h"
#include "device/VirtualBus.h"
#include "device/hidapi/HidapiBus.h"
#include "device/hidapi/UdevMonitor.h"

#include <QSocketNotifier>

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

std::unique_ptr<DeviceEnvironment> DeviceEnvironment::simulated(const std::string& memoryFile,
                                                                std::string& error) {
    std::unique_ptr<DeviceEnvironment> environment(new DeviceEnvironment);
    auto bus = std::make_unique<VirtualBus>();
    const auto file =
        memoryFile.empty() ? std::nullopt : std::optional<std::filesystem::path>(memoryFile);
    if (addSimulatedLight(*bus, file, error) == nullptr) {
        return nullptr;
    }
    environment->monitor_ = &bus->monitor();
    environment->bus_ = std::move(bus);
    return environment;
}

DeviceEnvironment::~DeviceEnvironment() = default;

} // namespace lumavert
