// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TransferBench.h"

#include "AfterEvent.h"
#include "Statistics.h"

#include "app/TransferDialog.h"
#include "device/VirtualBus.h"
#include "model/Presets.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace lumavert {

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kBlockToleranceMs = 20.0;
constexpr double kLongestCompletionMs = 50.0;
constexpr int kLongestDialogMs = 15000;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

/// A virtual light of the feature-report kind on its own bus, found by a probe.
struct LightOnBus {
    VirtualBus bus;
    VirtualLight& light = bus.addLight();
    HidLink link{bus};

    LightOnBus() {
        if (link.probe() == 0) {
            throw std::runtime_error("the virtual light was not found");
        }
    }
};

/// Shows the dialog and runs the event loop until `finished`, asked each time the dialog has
/// handled an event of `type`, says so. False when the time limit ended it instead.
bool runDialog(TransferDialog& dialog, QEvent::Type type, const std::function<bool()>& finished) {
    QEventLoop loop;
    bool done = false;
    const AfterEvent watch(dialog, {type}, [&] {
        if (!done && finished()) {
            done = true;
            loop.quit();
        }
    });
    QTimer::singleShot(kLongestDialogMs, &loop, &QEventLoop::quit);
    dialog.open();
    loop.exec();
    return done;
}

/// One upload of the Factory preset: each report's arrival at the light, in ms from the start.
std::vector<double> timeUpload() {
    LightOnBus device;
    ModeSet modes;
    applyFactoryPreset(modes);
    DeviceImage image{};
    encodeDeviceImage(modes, image);
    const std::unique_ptr<TransferDialog> dialog(
        TransferDialog::upload(nullptr, device.link, image, TransferDelays{}));
    const Clock::time_point start = Clock::now(); // the dialog is made: its first timer runs
    runDialog(*dialog, QEvent::Timer,
              [&] { return dialog->sequence().stage() == TransferStage::UploadCompleted; });
    std::vector<double> offsets;
    for (const ReceivedReport& report : device.light.receivedReports()) {
        offsets.push_back(millisecondsBetween(start, report.time));
    }
    return offsets;
}

/// One download: ms from the light's last report to the repaint that shows the completion.
double timeDownloadCompletion() {
    LightOnBus device;
    DeviceImage request{};
    encodeReadRequest(request[0]);
    const std::unique_ptr<TransferDialog> dialog(
        TransferDialog::download(nullptr, device.link, request, TransferDelays{}));
    Clock::time_point shown;
    const bool completed = runDialog(*dialog, QEvent::UpdateRequest, [&] {
        shown = Clock::now();
        return dialog->sequence().downloadCompleted();
    });
    const std::vector<SentReport> sent = device.light.sentReports();
    if (!completed || sent.empty()) {
        throw std::runtime_error("the download from the virtual light did not complete");
    }
    return millisecondsBetween(sent.back().due, shown);
}

void addUploadRows(ResultTable& table, int runs) {
    std::vector<std::vector<double>> offsetsByBlock(kTransferSteps);
    for (int run = 0; run < runs; ++run) {
        const std::vector<double> offsets = timeUpload();
        if (offsets.size() != offsetsByBlock.size()) {
            throw std::runtime_error("the virtual light took " + std::to_string(offsets.size()) +
                                     " reports from one upload instead of 4");
        }
        for (std::size_t block = 0; block < offsets.size(); ++block) {
            offsetsByBlock[block].push_back(offsets[block]);
        }
    }
    for (std::size_t block = 0; block < offsetsByBlock.size(); ++block) {
        const double expected = 1000.0 * static_cast<double>(block + 1);
        const double worst = worstDeviation(offsetsByBlock[block], expected);
        table.add({"Upload block " + std::to_string(block + 1) +
                       " at the light, from the dialog's start (worst of " + std::to_string(runs) +
                       ")",
                   formatNumber(expected + worst, 1) + " ms",
                   formatNumber(expected, 0) + " ± " + formatNumber(kBlockToleranceMs, 0) + " ms",
                   std::abs(worst) <= kBlockToleranceMs});
    }
}

void addDownloadRow(ResultTable& table, int runs) {
    std::vector<double> latencies;
    for (int run = 0; run < runs; ++run) {
        latencies.push_back(timeDownloadCompletion());
    }
    const double worst = *std::max_element(latencies.begin(), latencies.end());
    table.add({"Download completion painted after the light's last report (worst of " +
                   std::to_string(runs) + ", median " + formatNumber(median(latencies), 2) + " ms)",
               formatNumber(worst, 2) + " ms", "≤ " + formatNumber(kLongestCompletionMs, 0) + " ms",
               worst <= kLongestCompletionMs});
}

} // namespace

void benchTransfers(ResultTable& table, int runs) {
    addUploadRows(table, runs);
    addDownloadRow(table, runs);
}

} // namespace lumavert
