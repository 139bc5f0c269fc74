// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/TransferCommands.h"

#include "model/EditingOperations.h"

namespace lumavert {

TestResult sendTestMode(HidLink& link, const ModeSet& modes, ViewState& view) {
    if (link.probe() == 0) {
        return {TestOutcome::NoLight};
    }
    if (modes.empty()) {
        return {TestOutcome::NoModes};
    }
    const Refresh refresh = advanceTest(modes, view);
    Block preview{};
    encodePreviewBlock(modes.at(static_cast<std::size_t>(view.testedMode)), preview);
    link.writeReport(preview);
    return {TestOutcome::Sent, refresh};
}

UploadStart prepareUpload(HidLink& link, const ModeSet& modes, DeviceImage& blocks) {
    if (link.probe() == 0) {
        return UploadStart::NoLight;
    }
    if (modes.empty()) {
        return UploadStart::NoModes;
    }
    encodeDeviceImage(modes, blocks);
    return UploadStart::Ready;
}

DownloadStart prepareDownload(HidLink& link, bool downloadBusy, DeviceImage& blocks) {
    if (downloadBusy) {
        return DownloadStart::Busy;
    }
    if (link.probe() == 0) {
        return DownloadStart::NoLight;
    }
    blocks = DeviceImage{};
    encodeReadRequest(blocks[0]);
    return DownloadStart::Ready;
}

} // namespace lumavert
