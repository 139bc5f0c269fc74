// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/VirtualBus.h"

#include "device/HidLink.h"

#include <algorithm>

namespace lumavert {

namespace {
using Clock = std::chrono::steady_clock;
} // namespace

class VirtualBus::Handle final : public HidHandle {
  public:
    Handle(VirtualBus& owner, VirtualLight& device, bool ownInterface, std::size_t firstReport)
        : bus(owner)
        , light(device)
        , lightInterface(ownInterface)
        , generation(device.generation_)
        , cursor(firstReport) {
        light.openHandles_ += lightInterface ? 1 : 0; // opened under the bus's lock
    }

    ~Handle() override {
        std::lock_guard lock(bus.mutex_);
        light.openHandles_ -= lightInterface ? 1 : 0;
    }

    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool sendFeatureReport(std::span<const std::uint8_t> report) override {
        return bus.receive(*this, true, report);
    }
    bool writeOutputReport(std::span<const std::uint8_t> report) override {
        return bus.receive(*this, false, report);
    }
    int outputReportLength() const override {
        std::lock_guard lock(bus.mutex_);
        return light.outputReportLength_;
    }
    int readInputReport(std::span<std::uint8_t> buffer, int timeoutMs) override {
        return bus.read(*this, buffer, timeoutMs);
    }

    VirtualBus& bus;
    VirtualLight& light;
    const bool lightInterface;
    const unsigned generation;
    std::size_t cursor; // next of the light's sent reports this handle reads
};

class VirtualBus::Monitor final : public DeviceMonitor {
  public:
    explicit Monitor(VirtualBus& bus)
        : bus_(bus) {}

    bool start(Callback onChange) override {
        std::lock_guard lock(bus_.mutex_);
        bus_.onChange_ = std::move(onChange);
        return true;
    }
    void stop() override {
        // Waits for a delivery in progress, so that none of its events reaches the receiver
        // after this returns.
        std::lock_guard delivering(bus_.deliveryMutex_);
        std::lock_guard lock(bus_.mutex_);
        bus_.onChange_ = nullptr;
    }

  private:
    VirtualBus& bus_;
};

VirtualBus::VirtualBus()
    : monitor_(std::make_unique<Monitor>(*this)) {}

VirtualBus::~VirtualBus() = default;

DeviceMonitor& VirtualBus::monitor() {
    return *monitor_;
}

std::string VirtualBus::nextPath() {
    return "virtual/hidraw" + std::to_string(nextNode_++);
}

VirtualLight& VirtualBus::addLight(const VirtualLightConfig& config) {
    std::vector<DeviceChange> events;
    VirtualLight* light = nullptr;
    {
        std::lock_guard lock(mutex_);
        VirtualLightConfig listed = config;
        if (listed.path.empty()) {
            listed.path = nextPath();
        }
        const HidDeviceInfo own{listed.path, listed.vendorId, listed.productId,
                                listed.interfaceNumber};
        const std::optional<AcceptedDevice> row = matchAcceptedDevice(own);
        const bool composite = row && row->onlyInterfaceZero;
        const std::string otherPath = composite ? nextPath() : std::string();
        lights_.push_back(std::unique_ptr<VirtualLight>(
            new VirtualLight(*this, listed, otherPath, row && row->usesFeatureReports)));
        light = lights_.back().get();
        if (composite) {
            entries_.push_back({{otherPath, listed.vendorId, listed.productId, 1}, light, false});
        }
        entries_.push_back({own, light, true});
        for (const Entry& entry : entries_) {
            if (entry.light == light) {
                events.push_back({DeviceArrival, entry.info.path});
            }
        }
    }
    raise(events);
    return *light;
}

void VirtualBus::addOtherDevice(const HidDeviceInfo& info) {
    {
        std::lock_guard lock(mutex_);
        entries_.push_back({info, nullptr, false});
    }
    raise({{DeviceArrival, info.path}});
}

void VirtualBus::plug(VirtualLight& light) {
    std::unique_lock lock(mutex_);
    const std::vector<DeviceChange> events = setPlugged(light, true);
    lock.unlock();
    raise(events);
}

void VirtualBus::unplug(VirtualLight& light) {
    std::unique_lock lock(mutex_);
    const std::vector<DeviceChange> events = setPlugged(light, false);
    lock.unlock();
    raise(events);
}

std::vector<DeviceChange> VirtualBus::setPlugged(VirtualLight& light, bool plugged) {
    if (light.plugged_ == plugged) {
        return {};
    }
    light.plugged_ = plugged;
    if (plugged) {
        ++light.generation_;
    } else {
        light.sent_.clear();
    }
    reportsChanged_.notify_all();
    std::vector<DeviceChange> events;
    for (const Entry& entry : entries_) {
        if (entry.light == &light) {
            events.push_back({plugged ? DeviceArrival : DeviceRemoveComplete, entry.info.path});
        }
    }
    return events;
}

void VirtualBus::raise(const std::vector<DeviceChange>& events) {
    std::lock_guard delivering(deliveryMutex_);
    DeviceMonitor::Callback onChange;
    {
        std::lock_guard lock(mutex_);
        onChange = onChange_;
    }
    if (!onChange) {
        return;
    }
    for (const DeviceChange& event : events) {
        onChange(event);
    }
}

std::vector<HidDeviceInfo> VirtualBus::enumerate() {
    std::lock_guard lock(mutex_);
    std::vector<HidDeviceInfo> listed;
    for (const Entry& entry : entries_) {
        if (entry.light == nullptr || entry.light->plugged_) {
            listed.push_back(entry.info);
        }
    }
    return listed;
}

OpenResult VirtualBus::open(const std::string& path) {
    std::lock_guard lock(mutex_);
    const auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.info.path == path && (e.light == nullptr || e.light->plugged_);
    });
    if (entry == entries_.end()) {
        return {OpenStatus::Absent, nullptr};
    }
    if (entry->light == nullptr) {
        return {OpenStatus::Failed, nullptr};
    }
    VirtualLight& light = *entry->light;
    if (light.refuseOpen_) {
        return {OpenStatus::PermissionDenied, nullptr};
    }
    // A fresh handle queues only the reports that arrive after it was opened.
    const auto now = Clock::now();
    const auto pending = std::find_if(light.sent_.begin(), light.sent_.end(),
                                      [&](const SentReport& report) { return report.due > now; });
    const auto cursor = static_cast<std::size_t>(pending - light.sent_.begin());
    return {OpenStatus::Opened,
            std::make_unique<Handle>(*this, light, entry->lightInterface, cursor)};
}

bool VirtualBus::alive(const Handle& handle) const {
    return handle.light.plugged_ && handle.light.generation_ == handle.generation;
}

bool VirtualBus::receive(Handle& handle, bool feature, std::span<const std::uint8_t> report) {
    std::vector<DeviceChange> events;
    bool taken = false;
    {
        std::lock_guard lock(mutex_);
        if (!alive(handle)) {
            return false;
        }
        if (!handle.lightInterface) {
            return true; // the other interface takes reports and does nothing with them
        }
        VirtualLight& light = handle.light;
        taken = light.take(feature, {report.begin(), report.end()});
        if (++light.writesTaken_ == light.unplugAfterWrites_) {
            events = setPlugged(light, false);
        }
    }
    raise(events);
    return taken;
}

int VirtualBus::read(Handle& handle, std::span<std::uint8_t> buffer, int timeoutMs) {
    std::unique_lock lock(mutex_);
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        if (!alive(handle)) {
            return -1;
        }
        const auto now = Clock::now();
        auto wake = deadline;
        const std::vector<SentReport>& sent = handle.light.sent_;
        if (handle.lightInterface && handle.cursor < sent.size()) {
            const SentReport& next = sent[handle.cursor];
            if (next.due <= now) {
                const std::size_t length = std::min(buffer.size(), next.payload.size());
                std::copy_n(next.payload.begin(), length, buffer.begin());
                ++handle.cursor;
                return static_cast<int>(length);
            }
            wake = std::min(wake, next.due);
        }
        if (now >= deadline) {
            return 0;
        }
        const int waiting = handle.lightInterface ? 1 : 0;
        handle.light.waitingReads_ += waiting;
        reportsChanged_.wait_until(lock, wake);
        handle.light.waitingReads_ -= waiting;
    }
}

} // namespace lumavert
