// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/DownloadWorker.h"

#include <algorithm>
#include <array>

namespace lumavert {

namespace {
constexpr int kReportPayload = 8;
} // namespace

DownloadWorker::DownloadWorker(HidLink& link, Notify notify)
    : link_(link)
    , notify_(std::move(notify))
    , thread_([this](const std::stop_token& stop) { run(stop); }) {}

DownloadWorker::~DownloadWorker() = default;

void DownloadWorker::cancel() {
    thread_.request_stop();
}

DeviceImage DownloadWorker::image() const {
    std::lock_guard lock(mutex_);
    return image_;
}

void DownloadWorker::run(const std::stop_token& stop) {
    std::array<std::uint8_t, kImageSize> buffer{};
    const int received = link_.readReports(buffer, kReportPayload, stop);
    if (stop.stop_requested() || !notify_) {
        return;
    }
    // Reads that wait for a slow light only end by a stop; ending early means they failed.
    if (received != kImageSize / kReportPayload) {
        notify_(WorkerDownloadFailed);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        for (std::size_t i = 0; i < image_.size(); ++i) {
            std::copy_n(buffer.begin() + static_cast<long>(i * kBlockSize), kBlockSize,
                        image_[i].begin());
        }
    }
    notify_(WorkerImageRead);
    notify_(WorkerDownloadCompleted);
}

} // namespace lumavert
