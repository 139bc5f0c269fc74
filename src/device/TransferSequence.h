// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/DeviceImageCodec.h"
#include "device/DownloadWorker.h"
#include "device/HidLink.h"
#include "i18n/TextCatalogue.h"

#include <cstdint>
#include <memory>

namespace lumavert {

enum class TransferDirection { Upload, Download };

struct TransferTransition;

/// Where a transfer stands; each stage is left only by the triggers named.
enum class TransferStage {
    UploadWaiting,     ///< left by timer 1
    Block1Written,     ///< timer 2
    Block2Written,     ///< timer 3
    Block3Written,     ///< timer 4
    UploadCompleted,   ///< OK
    DownloadWaiting,   ///< timer 5
    Reading,           ///< timer 6 or WorkerDownloadFailed
    RequestSent,       ///< WorkerImageRead, WorkerDownloadFailed or timer 7
    ImageRead,         ///< WorkerDownloadCompleted
    DownloadCompleted, ///< OK
    DownloadFailed,    ///< OK
};

/// One-shot timers as the dialog's framework offers them. A started timer fires once by calling
/// TransferSequence::onTimer(id) on the owner's thread, unless stopped first.
class TransferTimers {
  public:
    virtual ~TransferTimers() = default;
    virtual void startTimer(int id, int delayMs) = 0;
    virtual void stopTimer(int id) = 0;
};

/// The dialog's delays. Only tests shorten them.
struct TransferDelays {
    int stageMs = 1000;       ///< before each block, the worker start and the read request
    int answerLimitMs = 5000; ///< from the read request to "Download failed"
};

inline constexpr int kTransferSteps = 4;
inline constexpr std::uint32_t kProgressTextBlack = 0x000000; ///< 0x00BBGGRR
inline constexpr std::uint32_t kProgressTextWhite = 0xFFFFFF;

/// What the transfer dialog shows.
struct TransferDisplay {
    Text message = Text::Uploading;
    int progress = 0; ///< 0 to kTransferSteps
    std::uint32_t progressTextColour = kProgressTextBlack;
    bool okVisible = false;

    bool operator==(const TransferDisplay&) const = default;
};

/// The stage machine of the transfer dialog, without the dialog. The owner calls start() once,
/// onTimer() when a timer fires and onWorkerMessage() when a worker message arrives, all on its
/// own thread, and shows display() after each. Destroying the sequence cancels and joins the
/// download worker (within about HidLink::kReadPollMs); nothing is written to `blocks` or
/// passed to `notify` after that.
class TransferSequence {
  public:
    /// `blocks`: upload: the image blocks to write; download: block 1 holds the read request,
    /// and all four receive the image once it has been read. `notify` is called on the worker
    /// thread (download only) and must hand the message to the owner's thread. The link, the
    /// blocks and the timers must outlive the sequence.
    TransferSequence(TransferDirection direction, HidLink& link, DeviceImage& blocks,
                     TransferTimers& timers, DownloadWorker::Notify notify = {},
                     TransferDelays delays = {});
    ~TransferSequence();

    TransferSequence(const TransferSequence&) = delete;
    TransferSequence& operator=(const TransferSequence&) = delete;

    /// Starts timer 1 (upload) or 5 (download).
    void start();
    void onTimer(int id);
    void onWorkerMessage(WorkerMessage message);

    TransferDirection direction() const { return direction_; }
    TransferStage stage() const { return stage_; }
    const TransferDisplay& display() const { return display_; }
    /// True while an upload still has blocks to write: stopping then would leave the light with
    /// a mix of two Mode sets.
    bool writingImage() const;
    /// True when the image read back has been copied into the blocks and the dialog says so.
    bool downloadCompleted() const { return stage_ == TransferStage::DownloadCompleted; }
    /// True when the download failed because the light went away or failed, not by the time limit.
    bool lightWentAway() const { return lightWentAway_; }
    /// Writes the light refused or could not take (the dialog does not show them).
    int failedWrites() const { return failedWrites_; }

  private:
    void advance(int trigger);
    void perform(const TransferTransition& transition);

    const TransferDirection direction_;
    HidLink& link_;
    DeviceImage& blocks_;
    TransferTimers& timers_;
    const DownloadWorker::Notify notify_;
    const TransferDelays delays_;
    TransferStage stage_;
    TransferDisplay display_;
    int currentTimer_ = 0;
    int failedWrites_ = 0;
    bool lightWentAway_ = false;
    std::unique_ptr<DownloadWorker> worker_; // last: joined before the members above go
};

} // namespace lumavert
