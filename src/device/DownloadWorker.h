// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/DeviceImageCodec.h"
#include "device/HidLink.h"

#include <functional>
#include <mutex>
#include <thread>

namespace lumavert {

/// What the download worker tells the transfer dialog (the dialog's own message numbers).
enum WorkerMessage : int {
    WorkerImageRead = 0x464,
    WorkerDownloadCompleted = 0x465,
    WorkerDownloadFailed = 0x466, ///< the light went away or failed before it had answered
};

/// Reads the light's 256-byte image on its own thread: 32 input reports of 8 bytes. It keeps
/// the bytes in its own buffer, so nothing the caller owns is written from the worker thread.
/// Only after all 32 reports have arrived does it call `notify` with WorkerImageRead and then
/// WorkerDownloadCompleted. A light that is gone or fails makes it call WorkerDownloadFailed at
/// once; one that answers short makes it call nothing (the dialog's answer limit ends that).
class DownloadWorker {
  public:
    /// Called on the worker thread; the owner turns it into a posted message.
    using Notify = std::function<void(WorkerMessage)>;

    /// Starts the thread at once. The link must outlive the worker.
    DownloadWorker(HidLink& link, Notify notify);
    /// Cancels and joins: returns within about one HidLink::kReadPollMs, and no `notify` runs
    /// after it has returned.
    ~DownloadWorker();

    DownloadWorker(const DownloadWorker&) = delete;
    DownloadWorker& operator=(const DownloadWorker&) = delete;

    /// Asks the thread to stop waiting; it then ends without calling `notify`. Does not wait.
    void cancel();

    /// The image read; all zeros until WorkerImageRead has been sent.
    DeviceImage image() const;

  private:
    void run(const std::stop_token& stop);

    HidLink& link_;
    const Notify notify_;
    mutable std::mutex mutex_;
    DeviceImage image_{};
    std::jthread thread_; // last: it starts after, and is joined before, the members above
};

} // namespace lumavert
