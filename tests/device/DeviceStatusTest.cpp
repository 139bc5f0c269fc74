// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/DeviceStatus.h"

#include "device/VirtualBus.h"

#include <gtest/gtest.h>

namespace lumavert {
namespace {

enum class Attached { Nothing, FeatureLight, OutputLight, LockedLight };

struct Case {
    int code;
    Attached attached;
    DeviceStatusChange expected;
};

using Look = StatusLook;
using Action = ArrivalAction;

void attach(VirtualBus& bus, Attached attached) {
    if (attached == Attached::FeatureLight) {
        bus.addLight({0x13EC, 0x0056, "", 0});
    } else if (attached == Attached::OutputLight) {
        bus.addLight({0x04D8, 0x003F, "", 0});
    } else if (attached == Attached::LockedLight) {
        bus.addLight({0x04D8, 0x003F, "", 0}).setRefuseOpen(true);
    }
}

TEST(DeviceStatus, ReactsToEachEventCodeByWhatTheProbeFinds) {
    const Case cases[] = {
        {DeviceNodesChanged, Attached::FeatureLight, {Look::Connected, Action::ReadBack}},
        {DeviceNodesChanged, Attached::OutputLight, {Look::Connected, Action::RaiseWindow}},
        {DeviceNodesChanged, Attached::Nothing, {Look::Disconnected, Action::None}},
        {DeviceArrival, Attached::FeatureLight, {Look::Connected, Action::ReadBack}},
        {DeviceArrival, Attached::OutputLight, {Look::Connected, Action::RaiseWindow}},
        {DeviceArrival, Attached::Nothing, {Look::Unchanged, Action::None}},
        {DeviceArrival, Attached::LockedLight, {Look::Disconnected, Action::None}},
        {DeviceRemoveComplete, Attached::FeatureLight, {Look::Unchanged, Action::None}},
        {DeviceRemoveComplete, Attached::Nothing, {Look::Disconnected, Action::None}},
        {0x8001, Attached::FeatureLight, {Look::Unchanged, Action::None}},
        {0x8001, Attached::Nothing, {Look::Unchanged, Action::None}},
    };
    for (const Case& c : cases) {
        VirtualBus bus;
        attach(bus, c.attached);
        HidLink link(bus);
        EXPECT_EQ(deviceChanged(link, c.code), c.expected)
            << "code " << c.code << " attached " << static_cast<int>(c.attached);
    }
}

TEST(DeviceStatus, StartUpReadsOnlyAFeatureLightAndRaisesNothing) {
    const std::pair<Attached, DeviceStatusChange> cases[] = {
        {Attached::FeatureLight, {Look::Connected, Action::ReadBack}},
        {Attached::OutputLight, {Look::Connected, Action::None}},
        {Attached::Nothing, {Look::Disconnected, Action::None}},
    };
    for (const auto& [attached, expected] : cases) {
        VirtualBus bus;
        attach(bus, attached);
        HidLink link(bus);
        EXPECT_EQ(initialDeviceStatus(link), expected) << static_cast<int>(attached);
    }
}

TEST(DeviceStatus, UnpluggingOneOfTwoLightsKeepsTheConnectedLook) {
    VirtualBus bus;
    VirtualLight& first = bus.addLight({0x04D8, 0x003F, "", 0});
    bus.addLight({0x1017, 0x1000, "", 0});
    HidLink link(bus);
    initialDeviceStatus(link);
    bus.unplug(first);
    EXPECT_EQ(deviceChanged(link, DeviceRemoveComplete), DeviceStatusChange{});
}

} // namespace
} // namespace lumavert
