// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/DeviceImageCodec.h"
#include "device/HidLink.h"
#include "model/LightMode.h"
#include "model/ViewState.h"

namespace lumavert {

// The starts of the three exchanges with the light, without their windows.

enum class TestOutcome {
    NoLight, ///< show the notice that no device is detected
    NoModes, ///< the Mode set is empty: nothing happens
    Sent,    ///< the preview of view.testedMode was written
};

struct TestResult {
    TestOutcome outcome = TestOutcome::NoLight;
    Refresh refresh = Refresh::None; ///< panels to redraw
};

/// Test (command 201): probes, advances the tested mode and sends its preview block.
TestResult sendTestMode(HidLink& link, const ModeSet& modes, ViewState& view);

enum class UploadStart {
    NoLight, ///< show the notice that no device is detected
    NoModes, ///< nothing happens: an empty image would tell the light it holds 256 modes
    Ready,   ///< run the transfer dialog with the blocks
};

/// Upload (command 202) up to the dialog: probes and encodes the Mode set into `blocks`.
UploadStart prepareUpload(HidLink& link, const ModeSet& modes, DeviceImage& blocks);

enum class DownloadStart {
    Busy,    ///< a download dialog is open already: drop the request
    NoLight, ///< drop the request silently
    Ready,   ///< run the transfer dialog; block 1 holds the read request
};

/// Download (the automatic read) up to the dialog: refuses while another one is open, probes
/// and puts the read request into block 1.
DownloadStart prepareDownload(HidLink& link, bool downloadBusy, DeviceImage& blocks);

} // namespace lumavert
