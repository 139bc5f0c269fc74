// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/DeviceImageCodec.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace lumavert {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes recordOf(const LightMode& mode) {
    ModeRecord record;
    record.fill(0xEE);
    encodeModeRecord(mode, record);
    return Bytes(record.begin(), record.end());
}

LightMode decoded(const Bytes& bytes) {
    ModeRecord record{};
    std::copy(bytes.begin(), bytes.end(), record.begin());
    LightMode mode = makeDefaultMode();
    decodeModeRecord(record, mode);
    return mode;
}

Bytes slice(const Block& block, std::size_t first, std::size_t count) {
    return Bytes(block.begin() + first, block.begin() + first + count);
}

Bytes padded(Bytes bytes, std::size_t size) {
    bytes.resize(size, 0);
    return bytes;
}

void expectFramed(const Block& block, std::uint8_t marker) {
    EXPECT_EQ(block.front(), marker);
    EXPECT_EQ(block.back(), marker);
}

// Mode records

// Each kind writes only its own value; Steps go as nibbles of 188 ms units, every entry up to
// eighteen packed but only pairs counted.
TEST(ModeRecord, EachKindWritesOnlyItsOwnValue) {
    LightMode sos = makeDefaultMode();
    applySosPattern(sos);
    LightMode steady = steadyMode(100);
    steady.steps = {3000, 3000};
    steady.frequency = 40;
    LightMode strobe = strobeMode(9);
    strobe.brightness = 77;
    LightMode custom = customSteps({50, 50});
    custom.brightness = 100;
    const std::pair<LightMode, Bytes> cases[] = {
        {sos, {0x27, 0x22, 0x22, 0x62, 0x66, 0x66, 0x66, 0x22, 0x22, 0xA2}},
        {steady, padded({0x01, 0x64}, 10)},
        {strobe, padded({0x02, 0x09}, 10)},
        {custom, padded({0x07}, 10)},
        {customSteps({}), padded({0x03}, 10)},
        {customSteps({500, 1200, 2000}), padded({0x07, 0x62, 0x0A}, 10)},
        {customSteps(std::vector<std::int32_t>(40, 3000)),
         {0x27, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto& [mode, record] : cases) {
        EXPECT_EQ(recordOf(mode), record);
    }
    EXPECT_EQ(decoded(padded({0x07, 0x62, 0x0A}, 10)).steps,
              (std::vector<std::int32_t>{376, 1128}));
}

TEST(ModeRecord, DurationRoundTripKeepsWhole188msUnits) {
    const struct {
        std::int32_t sent;
        std::int32_t readBack;
    } cases[] = {{0, 50},      {50, 50},     {187, 50},    {188, 188},   {500, 376},
                 {1200, 1128}, {2000, 1880}, {3000, 2820}, {3007, 2820}, {3008, 50}};
    for (const auto& c : cases) {
        const LightMode back = decoded(recordOf(customSteps({c.sent, c.sent})));
        EXPECT_EQ(back.steps, (std::vector<std::int32_t>{c.readBack, c.readBack}))
            << "sent " << c.sent;
    }
}

TEST(ModeRecord, DecodeNeverYieldsMoreThanNineSteps) {
    const LightMode mode = decoded(Bytes(10, 0xFF));
    EXPECT_EQ(mode.kind, KindCustomize);
    EXPECT_EQ(mode.steps, std::vector<std::int32_t>(18, 2820));
}

// Single blocks

TEST(PreviewBlock, CarriesRecordAndMinutes) {
    LightMode mode = customSteps({188, 376});
    mode.minutes = 7;
    Block block;
    block.fill(0xEE);
    encodePreviewBlock(mode, block);
    expectFramed(block, MarkerPreview);
    EXPECT_EQ(slice(block, 1, 10), padded({0x07, 0x21}, 10));
    EXPECT_EQ(block[11], 7);
    EXPECT_EQ(slice(block, 12, 51), Bytes(51, 0));
}

TEST(ReadRequest, IsAnEmptyFramedBlock) {
    Block block;
    block.fill(0xEE);
    encodeReadRequest(block);
    expectFramed(block, MarkerReadRequest);
    EXPECT_EQ(slice(block, 1, 62), Bytes(62, 0));
}

// Device image

// One block per line as hex bytes, as the recorded images in images/ hold them.
std::string hexLines(const DeviceImage& image) {
    std::string text;
    for (const Block& block : image) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            char byte[4];
            std::snprintf(byte, sizeof byte, i + 1 < block.size() ? "%02x " : "%02x\n", block[i]);
            text += byte;
        }
    }
    return text;
}

std::string recordedImage(const std::string& name) {
    std::ifstream file(std::string(LUMAVERT_IMAGES_FOLDER) + "/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Whole images checked byte by byte against the light's layout: the count byte, six records in
// each of the first three blocks, two and the minutes table in the last.
TEST(DeviceImage, EncodesTheRecordedLayouts) {
    ModeSet twenty;
    for (int i = 0; i < kMaxModes; ++i) {
        LightMode mode = steadyMode(i + 1);
        mode.minutes = 100 + i;
        twenty.push_back(mode);
    }
    const struct {
        const char* file;
        ModeSet modes;
    } cases[] = {
        {"factory.hex", {steadyMode(100), steadyMode(50), steadyMode(5), strobeMode(9)}},
        {"twenty-modes.hex", twenty},
        {"twenty-modes.hex",
         [&twenty] { // modes past twenty are not encoded
             ModeSet more = twenty;
             more.resize(25, steadyMode(42));
             return more;
         }()},
    };
    for (const auto& c : cases) {
        DeviceImage image;
        encodeDeviceImage(c.modes, image);
        EXPECT_EQ(hexLines(image), recordedImage(c.file)) << c.file;
    }
}

TEST(DeviceImage, DownloadReturnsEveryModeWithoutMinutesOrSos) {
    ModeSet modes;
    for (int i = 0; i < kMaxModes; ++i) {
        LightMode mode = i % 3 == 0   ? steadyMode(i + 1)
                         : i % 3 == 1 ? strobeMode(i + 1)
                                      : customSteps({188, 2820, 376 * (1 + i % 7), 188});
        mode.minutes = i % 11;
        modes.push_back(mode);
    }
    applySosPattern(modes[5]);
    DeviceImage image;
    encodeDeviceImage(modes, image);

    ModeSet back{makeDefaultMode()};
    decodeDeviceImage(image, back);
    ASSERT_EQ(back.size(), modes.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i].kind, modes[i].kind) << "mode " << i;
        EXPECT_EQ(back[i].minutes, 0);
        EXPECT_EQ(back[i].sos, 0);
        if (modes[i].kind == KindBrightness) {
            EXPECT_EQ(back[i].brightness, modes[i].brightness);
        } else if (modes[i].kind == KindFrequency) {
            EXPECT_EQ(back[i].frequency, modes[i].frequency);
        } else if (i != 5) {
            EXPECT_EQ(back[i].steps, modes[i].steps);
        }
    }
}

TEST(DeviceImage, CountByteDecidesHowManySlotsAreRead) {
    // 0xFF is both what an empty set encodes to and what an erased memory reads.
    DeviceImage empty;
    encodeDeviceImage({}, empty);
    EXPECT_EQ(empty[0][1], 0xFF);
    DeviceImage erased;
    for (Block& block : erased) {
        block.fill(0xFF);
    }
    DeviceImage overCounted = erased;
    overCounted[0][1] = 0xFE;
    const struct {
        const char* name;
        const DeviceImage& image;
        std::size_t modes;
    } cases[] = {
        {"empty set", empty, 0}, {"erased", erased, 0}, {"count past 20", overCounted, 20}};
    for (const auto& c : cases) {
        ModeSet back{makeDefaultMode(), makeDefaultMode()};
        decodeDeviceImage(c.image, back);
        EXPECT_EQ(back.size(), c.modes) << c.name;
    }
}

} // namespace
} // namespace lumavert
