// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/TransferCommands.h"

#include "ModelBuilders.h"

#include "device/VirtualBus.h"
#include "model/EditingOperations.h"
#include "model/Presets.h"

#include <gtest/gtest.h>

namespace lumavert {
namespace {

ModeSet threeModes() {
    return test::numberedModes(3);
}

Block previewOf(const LightMode& mode) {
    Block block;
    encodePreviewBlock(mode, block);
    return block;
}

class Commands : public ::testing::Test {
  protected:
    VirtualBus bus_;
    HidLink link_{bus_};
    ViewState view_;
};

TEST_F(Commands, TestWithoutALightAsksForTheNotice) {
    const ModeSet modes = threeModes();
    resetView(view_);
    const ViewState before = view_;
    EXPECT_EQ(sendTestMode(link_, modes, view_).outcome, TestOutcome::NoLight);
    EXPECT_EQ(view_, before);
}

TEST_F(Commands, TestCyclesThroughTheModesStartingAtTheSelectedOne) {
    VirtualLight& light = bus_.addLight();
    ModeSet modes = threeModes();
    resetView(view_);
    selectMode(modes, view_, 2); // row 2: the second mode
    for (const int expected : {1, 2, 0, 1}) {
        const TestResult result = sendTestMode(link_, modes, view_);
        EXPECT_EQ(result.outcome, TestOutcome::Sent);
        EXPECT_EQ(result.refresh, Refresh::Both);
        EXPECT_EQ(view_.testedMode, expected);
        EXPECT_EQ(light.lastPreview(), previewOf(modes[static_cast<std::size_t>(expected)]));
    }
    EXPECT_EQ(light.receivedReports().size(), 4u);
}

TEST_F(Commands, UploadStartNeedsALightAndModes) {
    const ModeSet modes = threeModes();
    DeviceImage blocks{};
    EXPECT_EQ(prepareUpload(link_, modes, blocks), UploadStart::NoLight);

    VirtualLight& light = bus_.addLight();
    EXPECT_EQ(prepareUpload(link_, {}, blocks), UploadStart::NoModes);
    EXPECT_EQ(blocks, DeviceImage{}) << "an empty set is never encoded for the light";

    ASSERT_EQ(prepareUpload(link_, modes, blocks), UploadStart::Ready);
    DeviceImage expected;
    encodeDeviceImage(modes, expected);
    EXPECT_EQ(blocks, expected);
    EXPECT_TRUE(light.receivedReports().empty()) << "the dialog writes, not the start";
}

TEST_F(Commands, DownloadStartIsDroppedWhileBusyOrWithoutALight) {
    DeviceImage blocks{};
    EXPECT_EQ(prepareDownload(link_, false, blocks), DownloadStart::NoLight);

    bus_.addLight();
    EXPECT_EQ(prepareDownload(link_, true, blocks), DownloadStart::Busy);
    EXPECT_FALSE(link_.present()) << "a busy request does not even probe";

    blocks[2].fill(0x77);
    ASSERT_EQ(prepareDownload(link_, false, blocks), DownloadStart::Ready);
    DeviceImage expected{};
    encodeReadRequest(expected[0]);
    EXPECT_EQ(blocks, expected);
}

} // namespace
} // namespace lumavert
