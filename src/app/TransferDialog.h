// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/SkinnedDialog.h"
#include "device/TransferSequence.h"

#include <map>
#include <memory>

namespace lumavert {

class SkinProgress;

/// The dialog of an upload or a download: it runs the transfer's stages on one-shot timers and
/// shows their message and progress, and an OK key at the end. Deleted when closed; closing it
/// early stops the transfer (a download's worker is cancelled and joined).
class TransferDialog : public SkinnedDialog, private TransferTimers {
    Q_OBJECT

  public:
    /// Writes the four image blocks, one per stage.
    static TransferDialog* upload(QWidget* parent, HidLink& link, const DeviceImage& image,
                                  const TransferDelays& delays);
    /// Asks the light for its image and reads it back.
    static TransferDialog* download(QWidget* parent, HidLink& link, const DeviceImage& request,
                                    const TransferDelays& delays);
    ~TransferDialog() override;

    const TransferSequence& sequence() const { return *sequence_; }
    /// The image read back; meaningful once sequence().downloadCompleted().
    const DeviceImage& image() const { return blocks_; }

    /// Cancels, except while an upload is still writing.
    void reject() override;

  protected:
    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    TransferDialog(QWidget* parent, TransferDirection direction, HidLink& link,
                   const DeviceImage& blocks, const TransferDelays& delays);
    void startTimer(int id, int delayMs) override;
    void stopTimer(int id) override;
    void showDisplay();

    DeviceImage blocks_;
    SkinProgress* progressBar_ = nullptr;
    std::map<int, int> runningTimers_; // the stage's timer id -> the framework's
    std::unique_ptr<TransferSequence> sequence_;
};

} // namespace lumavert
