// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the transfer tests stand in for: the dialog's one-shot timers on a fake clock and its
// queue of worker messages.

#include "device/TransferSequence.h"
#include "device/VirtualLight.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace lumavert {

/// One-shot timers on a fake clock: fireNext() jumps to the earliest pending timer.
class FakeTimers final : public TransferTimers {
  public:
    void startTimer(int id, int delayMs) override {
        pending_[id] = now + delayMs;
        started.push_back({id, delayMs});
    }
    void stopTimer(int id) override { pending_.erase(id); }

    bool isPending(int id) const { return pending_.count(id) != 0; }
    bool anyPending() const { return !pending_.empty(); }

    /// Fires the earliest timer and returns its id; 0 when none is pending.
    int fireNext(TransferSequence& sequence) {
        if (pending_.empty()) {
            return 0;
        }
        const auto earliest =
            std::min_element(pending_.begin(), pending_.end(),
                             [](const auto& a, const auto& b) { return a.second < b.second; });
        const int id = earliest->first;
        now = earliest->second;
        sequence.onTimer(id);
        return id;
    }

    void fireAll(TransferSequence& sequence) {
        while (fireNext(sequence) != 0) {
        }
    }

    int now = 0;
    std::vector<std::pair<int, int>> started; // id, delay

  private:
    std::map<int, int> pending_;
};

/// Worker messages as the dialog's event queue receives them, from the worker's thread.
class WorkerMailbox {
  public:
    DownloadWorker::Notify notifier() {
        return [this](WorkerMessage message) {
            std::lock_guard lock(mutex_);
            messages_.push_back(message);
            arrived_.notify_all();
        };
    }

    /// Takes the oldest message, waiting at most `timeout` for one.
    std::optional<WorkerMessage> wait(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_for(lock, timeout, [&] { return !messages_.empty(); })) {
            return std::nullopt;
        }
        const WorkerMessage message = messages_.front();
        messages_.erase(messages_.begin());
        return message;
    }

    /// Waits until `count` messages have come, at most `timeout`; returns what has come.
    std::vector<WorkerMessage> waitFor(std::size_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, timeout, [&] { return messages_.size() >= count; });
        return messages_;
    }

    std::size_t count() {
        std::lock_guard lock(mutex_);
        return messages_.size();
    }

  private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<WorkerMessage> messages_;
};

/// Block 1 holding the read request, as the download starts with.
inline DeviceImage readRequestBlocks() {
    DeviceImage blocks{};
    encodeReadRequest(blocks[0]);
    return blocks;
}

/// Waits (at most 5 s) until the download worker has opened the light.
/// Waits (at most 5 s) until a reader has opened the light and waits for its reports: one sent
/// sooner would be taken for a report from before it.
inline void waitForWaitingReader(const VirtualLight& light) {
    using namespace std::chrono_literals;
    const auto limit = std::chrono::steady_clock::now() + 5s;
    while (light.waitingReads() == 0 && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(1ms);
    }
}

} // namespace lumavert
