// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/DeviceImageCodec.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumavert {

class VirtualBus;

/// How a virtual light is listed on its bus.
struct VirtualLightConfig {
    std::uint16_t vendorId = 0x13EC;
    std::uint16_t productId = 0x0056;
    std::string path;        ///< empty: a fresh "virtual/hidrawN"
    int interfaceNumber = 0; ///< the light's own interface
};

/// A report as the light received it, with the time it arrived.
struct ReceivedReport {
    std::chrono::steady_clock::time_point time;
    bool feature = false;            ///< a feature report, else an output report
    std::vector<std::uint8_t> bytes; ///< byte 0 is the report id
};

/// An input report the light sends, available to readers from `due` on.
struct SentReport {
    std::chrono::steady_clock::time_point due;
    std::vector<std::uint8_t> payload;
};

/// A light on a VirtualBus. It keeps a 256-byte memory, takes image blocks 0x81 to 0x84 into
/// it, remembers the last preview block 0x80 and answers the read request 0x85 with its memory
/// as 32 input reports of 8 bytes. A light of the 13EC:0056 kind takes feature reports and lists
/// a second interface (1) before its own; the others take output reports. Created and owned by
/// its bus; every member is safe to call from any thread.
class VirtualLight {
  public:
    static constexpr int kAnswerReports = 32;
    static constexpr int kAnswerReportSize = 8;

    VirtualLight(const VirtualLight&) = delete;
    VirtualLight& operator=(const VirtualLight&) = delete;

    const std::string& path() const { return path_; }
    /// The second interface's path; empty for a light without one.
    const std::string& otherInterfacePath() const { return otherPath_; }
    std::uint16_t vendorId() const { return config_.vendorId; }
    std::uint16_t productId() const { return config_.productId; }
    bool usesFeatureReports() const { return feature_; }
    bool plugged() const;

    DeviceImage memory() const;
    void setMemory(const DeviceImage& image);
    /// Every byte 0xFF, as an erased light reads.
    void eraseMemory();
    /// The last preview block taken, if any.
    std::optional<Block> lastPreview() const;
    /// Every report written to the light's own interface, in arrival order.
    std::vector<ReceivedReport> receivedReports() const;
    /// Number of handles open on the light's own interface.
    int openHandles() const;
    /// Number of reads on the light's own interface that wait for a report now: a reader that
    /// has opened the light and let go of what was queued before.
    int waitingReads() const;
    /// Every input report the light has sent or will send, in order.
    std::vector<SentReport> sentReports() const;

    /// Saves the memory to `file` with writeImageFile after every change from now on; readImageFile
    /// reads it back.
    void saveMemoryTo(const std::filesystem::path& file);
    /// Why saving the memory to its file failed the first time it did; empty while it never has.
    std::string persistError() const;

    // Fault knobs.
    /// Never answers the read request.
    void setSilent(bool silent);
    /// Time from the read request to the first report, and between reports (20 ms and 1 ms).
    void setAnswerTiming(std::chrono::milliseconds delay, std::chrono::milliseconds interval);
    /// Sends only the first `count` of the 32 reports.
    void setAnsweredReports(int count);
    /// Unplugs itself right after the n-th report written to it; 0 never.
    void setUnplugAfterWrites(int writes);
    /// Opening fails as if this user had no permission on the device node.
    void setRefuseOpen(bool refuse);
    /// Takes image blocks without storing them, as a light whose memory no longer changes.
    void setWriteProtected(bool writeProtected);
    /// The output report length the light states, report id included (65); it refuses output
    /// reports of any other length.
    void setOutputReportLength(int length);
    /// Refuses every report written to it, as a light that stalls them.
    void setRefuseReports(bool refuse);

  private:
    friend class VirtualBus;

    VirtualLight(VirtualBus& bus, VirtualLightConfig config, std::string otherPath, bool feature);

    // The members below are guarded by the bus's mutex.
    bool take(bool feature, const std::vector<std::uint8_t>& report);
    void takeBlock(const Block& block);
    void answerReadRequest();
    void saveMemory();

    VirtualBus& bus_;
    const VirtualLightConfig config_;
    const std::string path_;
    const std::string otherPath_;
    const bool feature_;

    bool plugged_ = true;
    unsigned generation_ = 0; // handles opened before the latest plug-in are dead
    DeviceImage memory_{};
    std::optional<Block> lastPreview_;
    std::vector<ReceivedReport> received_;
    std::vector<SentReport> sent_;
    int writesTaken_ = 0;
    int openHandles_ = 0;
    int waitingReads_ = 0;
    std::filesystem::path memoryFile_;
    std::string persistError_;

    bool silent_ = false;
    std::chrono::milliseconds answerDelay_{20};
    std::chrono::milliseconds reportInterval_{1};
    int answeredReports_ = kAnswerReports;
    int unplugAfterWrites_ = 0;
    bool refuseOpen_ = false;
    bool refuseReports_ = false;
    bool writeProtected_ = false;
    int outputReportLength_ = 65;
};

} // namespace lumavert
