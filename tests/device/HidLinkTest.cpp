// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/HidLink.h"

#include "device/VirtualBus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace lumavert {
namespace {

using namespace std::chrono_literals;

const VirtualLightConfig kFeatureLight{0x13EC, 0x0056, "", 0};
const VirtualLightConfig kOutputLightA{0x04D8, 0x003F, "", 0};
const VirtualLightConfig kOutputLightB{0x1017, 0x1000, "", 0};

Block blockWith(std::uint8_t marker, std::uint8_t fill) {
    Block block;
    block.fill(fill);
    block.front() = marker;
    block.back() = marker;
    return block;
}

// The accepted-device table, interface rule included.
struct AcceptCase {
    HidDeviceInfo info;
    bool accepted;
    bool featureReports;
};

TEST(AcceptedDevices, MatchInTableOrderWithTheInterfaceRule) {
    const AcceptCase cases[] = {
        {{"/dev/hidraw0", 0x13EC, 0x0056, 0}, true, true},
        {{"/dev/hidraw1", 0x13EC, 0x0056, 1}, false, false},
        {{"/dev/hidraw2", 0x13EC, 0x0056, -1}, false, false},
        {{R"(\\?\hid#vid_13ec&pid_0056&mi_00#7&1b2c)", 0x13EC, 0x0056, -1}, true, true},
        {{R"(\\?\hid#VID_13EC&PID_0056&MI_00#7&1b2c)", 0x13EC, 0x0056, -1}, false, false},
        {{R"(\\?\hid#vid_13ec&pid_0056&mi_01#7&1b2c)", 0x13EC, 0x0056, -1}, false, false},
        {{"/dev/hidraw3", 0x04D8, 0x003F, 2}, true, false},
        {{"/dev/hidraw4", 0x1017, 0x1000, -1}, true, false},
        {{"/dev/hidraw5", 0x046D, 0xC077, 0}, false, false},
        {{"/dev/hidraw6", 0x13EC, 0x0057, 0}, false, false},
    };
    for (const AcceptCase& c : cases) {
        const std::optional<AcceptedDevice> row = matchAcceptedDevice(c.info);
        EXPECT_EQ(row.has_value(), c.accepted) << c.info.path;
        if (row) {
            EXPECT_EQ(row->usesFeatureReports, c.featureReports) << c.info.path;
        }
    }
}

// Scanning.

// A light this user may not open is told from no light, and passed over for the next one.
TEST(HidLink, UsesTheFirstUsableLightInBusOrderForEveryOperation) {
    VirtualBus bus;
    VirtualLight& refused = bus.addLight(kFeatureLight);
    refused.setRefuseOpen(true);
    HidLink link(bus);
    EXPECT_EQ(link.probe(), 0);
    EXPECT_FALSE(link.present());
    EXPECT_EQ(link.lastProbe().status, ProbeStatus::PermissionDenied);
    EXPECT_EQ(link.lastProbe().device.path, refused.path());

    VirtualLight& first = bus.addLight(kOutputLightA);
    VirtualLight& second = bus.addLight(kFeatureLight);
    ASSERT_EQ(link.probe(), 1);
    EXPECT_EQ(link.lastProbe().status, ProbeStatus::Found);
    EXPECT_EQ(link.lastProbe().device.path, first.path());
    EXPECT_FALSE(link.usesFeatureReports());
    EXPECT_EQ(link.writeReport(blockWith(MarkerImage1, 1)), 1);
    EXPECT_EQ(first.receivedReports().size(), 1u);
    EXPECT_TRUE(second.receivedReports().empty());

    bus.unplug(first);
    ASSERT_EQ(link.probe(), 1);
    EXPECT_TRUE(link.usesFeatureReports());
    EXPECT_EQ(link.writeReport(blockWith(MarkerImage1, 2)), 1);
    EXPECT_EQ(second.receivedReports().size(), 1u);
}

// Writing.

TEST(HidLink, WritesOnlyAfterAProbeHasFoundTheLight) {
    VirtualBus bus;
    VirtualLight& light = bus.addLight(kFeatureLight);
    HidLink link(bus);

    EXPECT_EQ(link.writeReport(blockWith(MarkerImage1, 1)), 0) << "no probe yet";
    EXPECT_TRUE(light.receivedReports().empty());

    ASSERT_EQ(link.probe(), 1);
    bus.unplug(light);
    EXPECT_EQ(link.probe(), 0);
    bus.plug(light);
    EXPECT_EQ(link.writeReport(blockWith(MarkerImage1, 2)), 0) << "plugged back, not probed";
    EXPECT_TRUE(light.receivedReports().empty());

    ASSERT_EQ(link.probe(), 1);
    EXPECT_EQ(link.writeReport(blockWith(MarkerImage1, 3)), 1);
    EXPECT_EQ(light.memory()[0], blockWith(MarkerImage1, 3));
}

TEST(HidLink, WritesEachFamilysReportOfItsExactLengthOrSaysWhyNot) {
    struct Case {
        const char* name;
        VirtualLightConfig light;
        int statedLength; // of the output report
        bool refuses;
        bool gone;        // after the probe
        std::size_t sent; // 0: nothing reaches the light
        WriteFailure failure;
    };
    const Case cases[] = {
        {"feature report", kFeatureLight, 65, false, false, 65, WriteFailure::None},
        {"feature report beside a short output report", kFeatureLight, 40, false, false, 65,
         WriteFailure::None},
        {"output report of the block's length", kOutputLightB, 65, false, false, 65,
         WriteFailure::None},
        {"longer, padded with zeros", kOutputLightB, 100, false, false, 100, WriteFailure::None},
        {"too short for a block", kOutputLightB, 40, false, false, 0, WriteFailure::ReportTooShort},
        {"a light that stalls the report", kOutputLightB, 65, true, false, 65,
         WriteFailure::Refused},
        {"a light gone after the probe", kOutputLightB, 65, false, true, 0, WriteFailure::Gone},
    };
    for (const Case& c : cases) {
        VirtualBus bus;
        VirtualLight& light = bus.addLight(c.light);
        light.setOutputReportLength(c.statedLength);
        light.setRefuseReports(c.refuses);
        HidLink link(bus);
        ASSERT_EQ(link.probe(), 1);
        if (c.gone) {
            bus.unplug(light);
        }
        const Block block = blockWith(MarkerImage3, 0xC3);
        EXPECT_EQ(link.writeReport(block), c.failure == WriteFailure::None ? 1 : 0) << c.name;
        EXPECT_EQ(link.lastWriteFailure(), c.failure) << c.name;
        EXPECT_TRUE(link.present()) << "only a probe changes present";

        const std::vector<ReceivedReport> received = light.receivedReports();
        ASSERT_EQ(received.size(), c.sent == 0 ? 0u : 1u) << c.name;
        if (c.sent != 0) {
            const std::vector<std::uint8_t>& report = received[0].bytes;
            EXPECT_EQ(received[0].feature, link.usesFeatureReports()) << c.name;
            ASSERT_EQ(report.size(), c.sent) << c.name;
            EXPECT_EQ(report[0], 0) << c.name;
            EXPECT_TRUE(std::equal(block.begin(), block.end(), report.begin() + 1)) << c.name;
            EXPECT_TRUE(std::all_of(report.begin() + 65, report.end(), [](auto b) {
                return b == 0;
            })) << c.name;
        }
        EXPECT_EQ(light.memory()[2] == block, c.failure == WriteFailure::None) << c.name;
    }
}

// Reading.

TEST(HidLink, ReadsTheLightsMemoryAsThirtyTwoReports) {
    VirtualBus bus;
    VirtualLight& light = bus.addLight(kFeatureLight);
    DeviceImage memory;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        memory[i / kBlockSize][i % kBlockSize] = static_cast<std::uint8_t>(i * 7);
    }
    light.setMemory(memory);
    light.setAnswerTiming(5ms, 1ms);
    HidLink link(bus);
    ASSERT_EQ(link.probe(), 1);

    std::array<std::uint8_t, kImageSize> buffer{};
    std::jthread reader([&] { EXPECT_EQ(link.readReports(buffer, 8), 32); });
    while (light.openHandles() == 0) { // reports sent before the reader opened are not its own
        std::this_thread::sleep_for(1ms);
    }
    Block request{};
    encodeReadRequest(request);
    link.writeReport(request);
    reader.join();

    for (std::size_t i = 0; i < kImageSize; ++i) {
        ASSERT_EQ(buffer[i], memory[i / kBlockSize][i % kBlockSize]) << "byte " << i;
    }
}

// Device-change registration.

TEST(HidLink, RegistersOnceOnTheFirstProbeEvenWithoutALight) {
    VirtualBus bus;
    std::vector<DeviceChange> seen;
    {
        HidLink link(bus);
        link.setDeviceChangeReceiver(&bus.monitor(),
                                     [&](const DeviceChange& change) { seen.push_back(change); });
        EXPECT_FALSE(link.notificationRegistered());
        EXPECT_EQ(link.probe(), 0);
        EXPECT_TRUE(link.notificationRegistered());

        VirtualLight& light = bus.addLight(kOutputLightA);
        bus.unplug(light);
        EXPECT_EQ(seen, (std::vector<DeviceChange>{{DeviceArrival, light.path()},
                                                   {DeviceRemoveComplete, light.path()}}));
    }
    bus.addLight(kOutputLightB);
    EXPECT_EQ(seen.size(), 2u) << "the link's destructor ends the registration";
}

} // namespace
} // namespace lumavert
