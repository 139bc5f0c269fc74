#include "device/VirtualLight.h"

#include "device/VirtualBus.h"

#include <algorithm>
#include <fstream>
#include <iterator>

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

bool writeWhole(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::path partial = file;
    partial += ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, file, error);
    return !error;
}

} // namespace

bool readLightMemory(const std::filesystem::path& file, DeviceImage& image, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    if (!in.is_open() || in.bad()) {
        error = file.string() + ": cannot be read";
        return false;
    }
    if (bytes.size() != static_cast<std::size_t>(kImageSize)) {
        error = file.string() + ": holds " + std::to_string(bytes.size()) +
                " bytes; a light's memory is 256 bytes";
        return false;
    }
    for (std::size_t i = 0; i < image.size(); ++i) {
        std::copy_n(bytes.begin() + static_cast<long>(i * kBlockSize), kBlockSize,
                    image[i].begin());
    }
    return true;
}

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

std::vector<SentReport> VirtualLight::sentReports() const {
    std::lock_guard lock(bus_.mutex_);
    return sent_;
}

void VirtualLight::saveMemoryTo(const std::filesystem::path& file) {
    std::lock_guard lock(bus_.mutex_);
    memoryFile_ = file;
}

bool VirtualLight::persistFailed() const {
    std::lock_guard lock(bus_.mutex_);
    return persistFailed_;
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

void VirtualLight::setOutputReportLength(int length) {
    std::lock_guard lock(bus_.mutex_);
    outputReportLength_ = length;
}

bool VirtualLight::take(bool feature, const std::vector<std::uint8_t>& report) {
    received_.push_back({Clock::now(), feature, report});
    // A light refuses a report of the kind it does not have, as USB devices stall.
    if (feature != feature_ || report.size() < kBlockSize + 1 || report[0] != 0) {
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
        memory_[marker - MarkerImage1] = block;
        saveMemory();
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
    if (!memoryFile_.empty() && !writeWhole(memoryFile_, flatten(memory_))) {
        persistFailed_ = true;
    }
}

} // namespace lumavert
