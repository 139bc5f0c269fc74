// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TransferDialog.h"

#include "controls/ColorRef.h"
#include "controls/LinkLabel.h"
#include "controls/QtText.h"
#include "controls/SkinButton.h"
#include "controls/SkinProgress.h"

#include <QCoreApplication>
#include <chrono>

namespace lumavert {

namespace {

/// A worker message, carried to the dialog's thread.
class WorkerEvent : public QEvent {
  public:
    static const QEvent::Type kType;
    explicit WorkerEvent(WorkerMessage message)
        : QEvent(kType)
        , message_(message) {}
    WorkerMessage message() const { return message_; }

  private:
    WorkerMessage message_;
};

const QEvent::Type WorkerEvent::kType = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

TransferDialog* TransferDialog::upload(QWidget* parent, HidLink& link, const DeviceImage& image,
                                       const TransferDelays& delays) {
    return new TransferDialog(parent, TransferDirection::Upload, link, image, delays);
}

TransferDialog* TransferDialog::download(QWidget* parent, HidLink& link, const DeviceImage& request,
                                         const TransferDelays& delays) {
    return new TransferDialog(parent, TransferDirection::Download, link, request, delays);
}

TransferDialog::TransferDialog(QWidget* parent, TransferDirection direction, HidLink& link,
                               const DeviceImage& blocks, const TransferDelays& delays)
    : SkinnedDialog(parent)
    , blocks_(blocks) {
    setObjectName(QStringLiteral("transferDialog"));
    setOkVisible(false);

    progressBar_ = new SkinProgress(this);
    progressBar_->setObjectName(QStringLiteral("progressBar"));
    progressBar_->LoadBitmaps(251, 252);
    progressBar_->SetMargins(8, 8);
    progressBar_->SetFont(&buttonFont);
    progressBar_->SetTextColour(kBlack);
    progressBar_->SetRange(0, kTransferSteps);
    progressBar_->SetPos(0);
    progressBar_->setGeometry(23, 142, 356, 37);

    const Text first = direction == TransferDirection::Upload ? Text::Uploading : Text::Downloading;
    placeMessage(QRect(58, 104, 315, 34), qtText(first));

    // The worker calls from its own thread: post, so the stage machine only runs here.
    auto notify = [this](WorkerMessage message) {
        QCoreApplication::postEvent(this, new WorkerEvent(message));
    };
    TransferTimers& timers = *this;
    sequence_ =
        std::make_unique<TransferSequence>(direction, link, blocks_, timers, notify, delays);
    sequence_->start();
}

TransferDialog::~TransferDialog() {
    // Joins a download's worker before anything it could post to goes away.
    sequence_.reset();
}

void TransferDialog::startTimer(int id, int delayMs) {
    // Counted from now, when the previous stage ran: after a stall the light still gets its
    // full pause between two blocks, and a fresh read handle a full pause before the request.
    stopTimer(id);
    runningTimers_[id] = QObject::startTimer(std::chrono::milliseconds(delayMs), Qt::PreciseTimer);
}

void TransferDialog::stopTimer(int id) {
    if (const auto found = runningTimers_.find(id); found != runningTimers_.end()) {
        killTimer(found->second);
        runningTimers_.erase(found);
    }
}

void TransferDialog::timerEvent(QTimerEvent* event) {
    for (const auto& [id, qtId] : runningTimers_) {
        if (qtId == event->timerId()) {
            const int stageTimer = id;
            sequence_->onTimer(stageTimer); // stops it: every stage timer fires once
            showDisplay();
            return;
        }
    }
    SkinnedDialog::timerEvent(event);
}

bool TransferDialog::event(QEvent* event) {
    if (event->type() == WorkerEvent::kType) {
        sequence_->onWorkerMessage(static_cast<WorkerEvent*>(event)->message());
        showDisplay();
        return true;
    }
    return SkinnedDialog::event(event);
}

void TransferDialog::reject() {
    // Escape and close requests cancel, but never in the middle of writing the image.
    if (!sequence_->writingImage()) {
        SkinnedDialog::reject();
    }
}

void TransferDialog::showDisplay() {
    const TransferDisplay& display = sequence_->display();
    messageLabel->SetText(qtText(display.message));
    progressBar_->SetTextColour(display.progressTextColour);
    progressBar_->SetPos(display.progress);
    if (okButton->isHidden() == display.okVisible) {
        setOkVisible(display.okVisible);
    }
    update();
}

} // namespace lumavert
