// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/TransferRunner.h"

#include <algorithm>

namespace lumavert {

void TransferRunner::startTimer(int id, int delayMs) {
    std::lock_guard lock(mutex_);
    timers_[id] = Clock::now() + std::chrono::milliseconds(delayMs);
}

void TransferRunner::stopTimer(int id) {
    std::lock_guard lock(mutex_);
    timers_.erase(id);
}

DownloadWorker::Notify TransferRunner::notifier() {
    return [this](WorkerMessage message) {
        {
            std::lock_guard lock(mutex_);
            messages_.push_back(message);
        }
        wake_.notify_one();
    };
}

void TransferRunner::run(TransferSequence& sequence, const Shown& shown) {
    sequence.start();
    TransferDisplay display = sequence.display();
    shown(display);
    while (!display.okVisible) {
        std::optional<WorkerMessage> message;
        std::optional<int> timer;
        {
            std::unique_lock lock(mutex_);
            const auto earliest =
                std::min_element(timers_.begin(), timers_.end(),
                                 [](const auto& a, const auto& b) { return a.second < b.second; });
            if (!messages_.empty()) {
                message = messages_.front();
                messages_.pop_front();
            } else if (earliest == timers_.end()) {
                return; // nothing left that could move the sequence on
            } else if (earliest->second <= Clock::now()) {
                timer = earliest->first;
            } else {
                wake_.wait_until(lock, earliest->second);
                continue;
            }
        }
        if (message) {
            sequence.onWorkerMessage(*message);
        } else {
            sequence.onTimer(*timer);
        }
        if (sequence.display() != display) {
            display = sequence.display();
            shown(display);
        }
    }
}

} // namespace lumavert
