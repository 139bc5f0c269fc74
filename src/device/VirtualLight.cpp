// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/VirtualLight.h"

#include "device/ImageFile.h"
#include "device/VirtualBus.h"

#include <algorithm>

namespace lumavert {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::uint8_t> flatten(const DeviceImage& image) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kImageSize);
    for (const Block& block : image) {
        bytes.insert(bytes.end(), block.begin(), block.end());
    }
    return bytes;
}

} // namespace

VirtualLight::VirtualLight(VirtualBus& bus, VirtualLightConfig config, std::string otherPath,
                           bool feature)
    : bus_(bus)
    , config_(std::move(config))
    , path_(config_.path)
    , otherPath_(std::move(otherPath))
    , feature_(feature) {}

bool VirtualLight::plugged() const {
    std::lock_guard lock(bus_.mutex_);
    return plugged_;
}

DeviceImage VirtualLight::memory() const {
    std::lock_guard lock(bus_.mutex_);
    return memory_;
}

void VirtualLight::setMemory(const DeviceImage& image) {
    std::lock_guard lock(bus_.mutex_);
    memory_ = image;
    saveMemory();
}

void VirtualLight::eraseMemory() {
    std::lock_guard lock(bus_.mutex_);
    for (Block& block : memory_) {
        block.fill(0xFF);
    }
    saveMemory();
}

std::optional<Block> VirtualLight::lastPreview() const {
    std::lock_guard lock(bus_.mutex_);
    return lastPreview_;
}

std::vector<ReceivedReport> VirtualLight::receivedReports() const {
    std::lock_guard lock(bus_.mutex_);
    return received_;
}

int VirtualLight::openHandles() const {
    std::lock_guard lock(bus_.mutex_);
    return openHandles_;
}

int VirtualLight::waitingReads() const {
    std::lock_guard lock(bus_.mutex_);
    return waitingReads_;
}

std::vector<SentReport> VirtualLight::sentReports() const {
    std::lock_guard lock(bus_.mutex_);
    return sent_;
}

void VirtualLight::saveMemoryTo(const std::filesystem::path& file) {
    std::lock_guard lock(bus_.mutex_);
    memoryFile_ = file;
}

std::string VirtualLight::persistError() const {
    std::lock_guard lock(bus_.mutex_);
    return persistError_;
}

void VirtualLight::setSilent(bool silent) {
    std::lock_guard lock(bus_.mutex_);
    silent_ = silent;
}

void VirtualLight::setAnswerTiming(std::chrono::milliseconds delay,
                                   std::chrono::milliseconds interval) {
    std::lock_guard lock(bus_.mutex_);
    answerDelay_ = delay;
    reportInterval_ = interval;
}

void VirtualLight::setAnsweredReports(int count) {
    std::lock_guard lock(bus_.mutex_);
    answeredReports_ = std::clamp(count, 0, kAnswerReports);
}

void VirtualLight::setUnplugAfterWrites(int writes) {
    std::lock_guard lock(bus_.mutex_);
    unplugAfterWrites_ = writes;
    writesTaken_ = 0;
}

void VirtualLight::setRefuseOpen(bool refuse) {
    std::lock_guard lock(bus_.mutex_);
    refuseOpen_ = refuse;
}

void VirtualLight::setWriteProtected(bool writeProtected) {
    std::lock_guard lock(bus_.mutex_);
    writeProtected_ = writeProtected;
}

void VirtualLight::setOutputReportLength(int length) {
    std::lock_guard lock(bus_.mutex_);
    outputReportLength_ = length;
}

void VirtualLight::setRefuseReports(bool refuse) {
    std::lock_guard lock(bus_.mutex_);
    refuseReports_ = refuse;
}

bool VirtualLight::take(bool feature, const std::vector<std::uint8_t>& report) {
    received_.push_back({Clock::now(), feature, report});
    // A light refuses a report of the kind it does not have, as USB devices stall.
    // A light that states no output length takes a bare block, as hidapi then sends one.
    const auto stated = static_cast<std::size_t>(feature ? 0 : outputReportLength_);
    const bool lengthFits = stated == 0 ? report.size() >= kBlockSize + 1 : report.size() == stated;
    if (refuseReports_ || feature != feature_ || !lengthFits || report[0] != 0) {
        return false;
    }
    Block block;
    std::copy_n(report.begin() + 1, kBlockSize, block.begin());
    takeBlock(block);
    return true;
}

void VirtualLight::takeBlock(const Block& block) {
    const std::uint8_t marker = block.front();
    if (block.back() != marker) {
        return;
    }
    if (marker >= MarkerImage1 && marker <= MarkerImage4) {
        if (!writeProtected_) {
            memory_[marker - MarkerImage1] = block;
            saveMemory();
        }
    } else if (marker == MarkerPreview) {
        lastPreview_ = block;
    } else if (marker == MarkerReadRequest) {
        answerReadRequest();
    }
}

void VirtualLight::answerReadRequest() {
    if (silent_) {
        return;
    }
    auto due = Clock::now() + answerDelay_;
    if (!sent_.empty()) {
        // One answer after the other, as a light has one endpoint.
        due = std::max(due, sent_.back().due + reportInterval_);
    }
    const std::vector<std::uint8_t> bytes = flatten(memory_);
    for (int k = 0; k < answeredReports_; ++k) {
        const auto first = bytes.begin() + k * kAnswerReportSize;
        sent_.push_back({due, {first, first + kAnswerReportSize}});
        due += reportInterval_;
    }
    bus_.reportsChanged_.notify_all();
}

void VirtualLight::saveMemory() {
    std::string error;
    if (!memoryFile_.empty() && !writeImageFile(memoryFile_, memory_, error) &&
        persistError_.empty()) {
        persistError_ = error;
    }
}

} // namespace lumavert
