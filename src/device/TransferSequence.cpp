// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/TransferSequence.h"

#include <algorithm>
#include <array>
#include <optional>

namespace lumavert {

namespace {

enum class Action { None, WriteBlock, StartWorker, TakeImage, StopCurrentTimer, GiveUp };

constexpr int kNoTimer = 0;
constexpr int kAnswerTimer = 7;

} // namespace

struct TransferTransition {
    int trigger; // timer id, or a WorkerMessage
    TransferStage from;
    TransferStage to;
    Action action;
    int block; // for WriteBlock: 0 to 3
    bool okVisible;
    Text message;
    std::optional<std::uint32_t> progressTextColour; // set, then one step; none: neither
    int nextTimer;
};

namespace {

using Stage = TransferStage;
constexpr auto kBlack = kProgressTextBlack;
constexpr auto kWhite = kProgressTextWhite;

// clang-format off
constexpr std::array<TransferTransition, 11> kTransitions{{
    {1, Stage::UploadWaiting, Stage::Block1Written,   Action::WriteBlock,  0, false, Text::Uploading,       kBlack, 2},
    {2, Stage::Block1Written, Stage::Block2Written,   Action::WriteBlock,  1, false, Text::Uploading,       kBlack, 3},
    {3, Stage::Block2Written, Stage::Block3Written,   Action::WriteBlock,  2, false, Text::Uploading,       kWhite, 4},
    {4, Stage::Block3Written, Stage::UploadCompleted, Action::WriteBlock,  3, true,  Text::UploadCompleted, kWhite, kNoTimer},
    {5, Stage::DownloadWaiting, Stage::Reading,       Action::StartWorker, 0, false, Text::Downloading,     kBlack, 6},
    {6, Stage::Reading, Stage::RequestSent,           Action::WriteBlock,  0, false, Text::Downloading,     kBlack, kAnswerTimer},
    {kAnswerTimer, Stage::RequestSent, Stage::DownloadFailed, Action::GiveUp, 0, true, Text::DownloadFailed, std::nullopt, kNoTimer},
    {WorkerImageRead, Stage::RequestSent, Stage::ImageRead, Action::TakeImage, 0, false, Text::Downloading, kWhite, kNoTimer},
    {WorkerDownloadCompleted, Stage::ImageRead, Stage::DownloadCompleted, Action::StopCurrentTimer, 0, true, Text::DownloadCompleted, kBlack, kNoTimer},
    {WorkerDownloadFailed, Stage::Reading, Stage::DownloadFailed,     Action::GiveUp,      0, true,  Text::DownloadFailed,  std::nullopt, kNoTimer},
    {WorkerDownloadFailed, Stage::RequestSent, Stage::DownloadFailed, Action::GiveUp,      0, true,  Text::DownloadFailed,  std::nullopt, kNoTimer},
}};
// clang-format on

} // namespace

TransferSequence::TransferSequence(TransferDirection direction, HidLink& link, DeviceImage& blocks,
                                   TransferTimers& timers, DownloadWorker::Notify notify,
                                   TransferDelays delays)
    : direction_(direction)
    , link_(link)
    , blocks_(blocks)
    , timers_(timers)
    , notify_(std::move(notify))
    , delays_(delays)
    , stage_(direction == TransferDirection::Upload ? Stage::UploadWaiting
                                                    : Stage::DownloadWaiting) {
    display_.message = direction == TransferDirection::Upload ? Text::Uploading : Text::Downloading;
}

TransferSequence::~TransferSequence() = default;

void TransferSequence::start() {
    currentTimer_ = direction_ == TransferDirection::Upload ? 1 : 5;
    timers_.startTimer(currentTimer_, delays_.stageMs);
}

bool TransferSequence::writingImage() const {
    return stage_ == Stage::UploadWaiting || stage_ == Stage::Block1Written ||
           stage_ == Stage::Block2Written || stage_ == Stage::Block3Written;
}

void TransferSequence::onTimer(int id) {
    timers_.stopTimer(id); // each timer fires once
    advance(id);
}

void TransferSequence::onWorkerMessage(WorkerMessage message) {
    advance(message);
}

void TransferSequence::advance(int trigger) {
    const auto found = std::find_if(kTransitions.begin(), kTransitions.end(), [&](const auto& t) {
        return t.trigger == trigger && t.from == stage_;
    });
    if (found != kTransitions.end()) {
        perform(*found);
    }
}

void TransferSequence::perform(const TransferTransition& transition) {
    bool writeFailed = false;
    switch (transition.action) {
    case Action::WriteBlock: {
        const Block& block = blocks_[static_cast<std::size_t>(transition.block)];
        writeFailed = link_.writeReport(block) == 0;
        failedWrites_ += writeFailed ? 1 : 0;
        break;
    }
    case Action::StartWorker:
        worker_ = std::make_unique<DownloadWorker>(link_, notify_);
        break;
    case Action::TakeImage:
        blocks_ = worker_->image();
        break;
    case Action::StopCurrentTimer:
        timers_.stopTimer(currentTimer_);
        break;
    case Action::GiveUp:
        // The light may still answer; nothing it sends now is wanted.
        timers_.stopTimer(currentTimer_);
        worker_->cancel();
        lightWentAway_ = transition.trigger == WorkerDownloadFailed;
        break;
    case Action::None:
        break;
    }
    display_.okVisible = transition.okVisible;
    display_.message = transition.message;
    // A block that did not reach the light leaves it with part of its old Mode set.
    if (transition.to == Stage::UploadCompleted && failedWrites_ > 0) {
        display_.message = Text::UploadFailed;
    }
    if (transition.progressTextColour) {
        display_.progressTextColour = *transition.progressTextColour;
        // The bar counts what reached the light: a failed upload never shows 100 %.
        if (!writeFailed) {
            display_.progress = std::min(display_.progress + 1, kTransferSteps);
        }
    }
    stage_ = transition.to;
    if (transition.nextTimer != kNoTimer) {
        currentTimer_ = transition.nextTimer;
        timers_.startTimer(currentTimer_,
                           currentTimer_ == kAnswerTimer ? delays_.answerLimitMs : delays_.stageMs);
    }
}

} // namespace lumavert
