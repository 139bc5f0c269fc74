// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/hidapi/ReportDescriptor.h"
#include "device/hidapi/UdevMonitor.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumavert {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Items used below: 0x75 Report Size, 0x95 Report Count (1 byte), 0x96 (2 bytes),
// 0x85 Report ID, 0x81 Input, 0x91 Output, 0xB1 Feature, 0xA1/0xC0 Collection/End, 0xA4/0xB4
// Push/Pop, 0x06 Usage Page (2 bytes), 0x09 Usage.
const Bytes kVendorOutput64{
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,       // vendor page, application collection
    0x75, 0x08, 0x95, 0x08, 0x09, 0x01, 0x81, 0x02, // input 8 x 8 bits
    0x95, 0x40, 0x09, 0x02, 0x91, 0x02,             // output 64 x 8 bits
    0x95, 0x40, 0x09, 0x03, 0xB1, 0x02,             // feature 64 x 8 bits
    0xC0,
};

struct Case {
    const char* name;
    Bytes descriptor;
    int expected;
};

TEST(ReportDescriptor, OutputReportLengthCountsOutputItemsAndTheIdByte) {
    const Case cases[] = {
        {"vendor light, 64-byte output", kVendorOutput64, 65},
        {"no output items", {0x75, 0x08, 0x95, 0x40, 0x81, 0x02, 0xB1, 0x02}, 0},
        {"empty", {}, 0},
        {"two output items add up", {0x75, 0x08, 0x95, 0x20, 0x91, 0x02, 0x91, 0x02}, 65},
        {"bits round up to bytes", {0x75, 0x01, 0x95, 0x05, 0x91, 0x02}, 2},
        {"two-byte count", {0x75, 0x08, 0x96, 0x00, 0x01, 0x91, 0x02}, 257},
        {"numbered reports: the longest wins",
         {0x85, 0x01, 0x75, 0x08, 0x95, 0x08, 0x91, 0x02, 0x85, 0x02, 0x95, 0x20, 0x91, 0x02},
         33},
        {"pop restores the size",
         {0x75, 0x08, 0xA4, 0x75, 0x01, 0x95, 0x08, 0x91, 0x02, 0xB4, 0x95, 0x08, 0x91, 0x02},
         10},
        {"long item skipped",
         {0xFE, 0x02, 0x10, 0xAA, 0xBB, 0x75, 0x08, 0x95, 0x40, 0x91, 0x02},
         65},
        {"truncated tail ignored", {0x75, 0x08, 0x95, 0x40, 0x91, 0x02, 0x96, 0x01}, 65},
        {"pop without push", {0xB4, 0x75, 0x08, 0x95, 0x02, 0x91, 0x02}, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(outputReportLength(c.descriptor), c.expected) << c.name;
    }
}

TEST(ReportDescriptor, ANodeWithoutSysfsEntryHasNoKnownLength) {
    EXPECT_EQ(outputReportLengthOfNode("/dev/hidraw-that-does-not-exist"), 0);
}

TEST(UdevMonitor, MapsUdevActionsToDeviceChangeCodes) {
    EXPECT_EQ(deviceEventForAction("add"), DeviceArrival);
    EXPECT_EQ(deviceEventForAction("remove"), DeviceRemoveComplete);
    EXPECT_EQ(deviceEventForAction("change"), DeviceNodesChanged);
    EXPECT_EQ(deviceEventForAction("bind"), 0);
    EXPECT_EQ(deviceEventForAction(""), 0);
}

TEST(UdevMonitor, OffersASocketExactlyWhenItCanWatch) {
    UdevMonitor monitor;
    int calls = 0;
    const bool watching = monitor.start([&](const DeviceChange&) { ++calls; });
    EXPECT_EQ(watching, monitor.fd() >= 0);
    monitor.drain(); // nothing has been plugged in here
    monitor.stop();
    EXPECT_EQ(calls, 0);
}

} // namespace
} // namespace lumavert
