// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/hidapi/HidapiBus.h"

#include "device/hidapi/ReportDescriptor.h"

#include <hidapi.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <unistd.h>

namespace lumavert {

namespace {

// hidapi keeps its error text in a plain global: every call that may set it goes through here.
std::mutex& hidapiMutex() {
    static std::mutex mutex;
    return mutex;
}
int openBuses = 0; // guarded by hidapiMutex()

class HidapiHandle final : public HidHandle {
  public:
    HidapiHandle(hid_device* device, int outputLength)
        : device_(device)
        , outputLength_(outputLength) {}

    ~HidapiHandle() override {
        std::lock_guard lock(hidapiMutex());
        hid_close(device_);
    }

    HidapiHandle(const HidapiHandle&) = delete;
    HidapiHandle& operator=(const HidapiHandle&) = delete;

    bool sendFeatureReport(std::span<const std::uint8_t> report) override {
        return hid_send_feature_report(device_, report.data(), report.size()) >= 0;
    }
    bool writeOutputReport(std::span<const std::uint8_t> report) override {
        return hid_write(device_, report.data(), report.size()) >= 0;
    }
    int outputReportLength() const override { return outputLength_; }
    int readInputReport(std::span<std::uint8_t> buffer, int timeoutMs) override {
        // Unnumbered input reports come without a report id byte on hidraw.
        return hid_read_timeout(device_, buffer.data(), buffer.size(), timeoutMs);
    }

  private:
    hid_device* const device_;
    const int outputLength_;
};

OpenStatus whyOpenFailed(const std::string& path) {
    if (::access(path.c_str(), R_OK | W_OK) == 0) {
        return OpenStatus::Failed;
    }
    switch (errno) {
    case EACCES:
    case EPERM:
        return OpenStatus::PermissionDenied;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return OpenStatus::Absent;
    default:
        return OpenStatus::Failed;
    }
}

} // namespace

HidapiBus::HidapiBus() {
    std::lock_guard lock(hidapiMutex());
    if (openBuses++ == 0) {
        hid_init();
    }
}

HidapiBus::~HidapiBus() {
    std::lock_guard lock(hidapiMutex());
    if (--openBuses == 0) {
        hid_exit();
    }
}

std::vector<HidDeviceInfo> HidapiBus::enumerate() {
    std::vector<HidDeviceInfo> listed;
    std::lock_guard lock(hidapiMutex());
    hid_device_info* const all = hid_enumerate(0, 0);
    for (const hid_device_info* info = all; info != nullptr; info = info->next) {
        // A node with several top-level collections is listed once per collection.
        const std::string path = info->path != nullptr ? info->path : "";
        if (std::none_of(listed.begin(), listed.end(),
                         [&](const HidDeviceInfo& seen) { return seen.path == path; })) {
            listed.push_back({path, info->vendor_id, info->product_id, info->interface_number});
        }
    }
    hid_free_enumeration(all);
    return listed;
}

OpenResult HidapiBus::open(const std::string& path) {
    hid_device* device = nullptr;
    {
        std::lock_guard lock(hidapiMutex());
        device = hid_open_path(path.c_str());
    }
    if (device == nullptr) {
        return {whyOpenFailed(path), nullptr};
    }
    return {OpenStatus::Opened,
            std::make_unique<HidapiHandle>(device, outputReportLengthOfNode(path))};
}

} // namespace lumavert
