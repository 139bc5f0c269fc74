// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/TransferSequence.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>

namespace lumavert {

/// Runs a transfer sequence in real time on the calling thread, as the dialog's event loop
/// would: one-shot timers and the worker's messages, one at a time. A timer counts from when it
/// was started, so a stall never shortens the pause before the next stage.
class TransferRunner final : public TransferTimers {
  public:
    using Shown = std::function<void(const TransferDisplay&)>;

    void startTimer(int id, int delayMs) override;
    void stopTimer(int id) override;

    /// Hands worker messages to run(); callable from any thread. The runner must outlive the
    /// sequence that uses it.
    DownloadWorker::Notify notifier();

    /// Starts the sequence and runs it until it offers its OK key. Calls `shown` after the start
    /// and after every change of the display.
    void run(TransferSequence& sequence, const Shown& shown);

  private:
    using Clock = std::chrono::steady_clock;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::map<int, Clock::time_point> timers_;
    std::deque<WorkerMessage> messages_;
};

} // namespace lumavert
