// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/VirtualBus.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace lumavert {
namespace {

using namespace std::chrono_literals;

std::vector<std::uint8_t> featureReport(std::uint8_t marker, std::uint8_t fill) {
    std::vector<std::uint8_t> report(65, fill);
    report[0] = 0;
    report[1] = marker;
    report[64] = marker;
    return report;
}

std::unique_ptr<HidHandle> openLight(VirtualBus& bus, const VirtualLight& light) {
    OpenResult opened = bus.open(light.path());
    EXPECT_EQ(opened.status, OpenStatus::Opened);
    return std::move(opened.handle);
}

// Reads reports until none comes within the timeout.
int countReports(HidHandle& handle, std::chrono::milliseconds timeout) {
    std::array<std::uint8_t, 8> payload{};
    int count = 0;
    while (handle.readInputReport(payload, static_cast<int>(timeout.count())) > 0) {
        ++count;
    }
    return count;
}

TEST(VirtualLight, AnswersTheReadRequestOnlyToHandlesOpenBeforeTheAnswer) {
    VirtualBus bus;
    VirtualLight& light = bus.addLight();
    light.setAnswerTiming(0ms, 0ms);
    const auto reader = openLight(bus, light);
    openLight(bus, light)->sendFeatureReport(featureReport(MarkerReadRequest, 0));

    EXPECT_EQ(countReports(*reader, 20ms), VirtualLight::kAnswerReports);
    EXPECT_EQ(countReports(*openLight(bus, light), 20ms), 0) << "opened after the answer";
}

TEST(VirtualBus, UnpluggingWakesAWaitingReaderAndKillsOldHandles) {
    VirtualBus bus;
    VirtualLight& light = bus.addLight();
    const auto handle = openLight(bus, light);
    std::jthread unplugger([&] {
        std::this_thread::sleep_for(20ms);
        bus.unplug(light);
    });
    std::array<std::uint8_t, 8> payload{};
    EXPECT_EQ(handle->readInputReport(payload, 5000), -1);
    unplugger.join();

    bus.plug(light);
    EXPECT_EQ(handle->readInputReport(payload, 0), -1) << "a handle from before the replug";
    EXPECT_FALSE(handle->sendFeatureReport(featureReport(MarkerImage1, 1)));
    EXPECT_EQ(bus.enumerate().size(), 2u);
}

// The memory file goes through the one safe writer, whose own tests cover links and modes; that
// it is kept after an upload is the command line's test.
TEST(VirtualLight, SaysWhyItsMemoryFileWasNotKept) {
    const ScratchFolder folder;
    VirtualBus bus;
    VirtualLight& light = bus.addLight();
    light.saveMemoryTo(folder.path("none/light.bin"));
    openLight(bus, light)->sendFeatureReport(featureReport(MarkerImage2, 0x33));
    EXPECT_EQ(light.persistError(), folder.path("none/light.bin") + ": No such file or directory");
}

} // namespace
} // namespace lumavert
