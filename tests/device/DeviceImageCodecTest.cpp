#include "device/DeviceImageCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace lumavert {
namespace {

using Bytes = std::vector<std::uint8_t>;

LightMode brightnessMode(int percent) {
    LightMode mode;
    mode.brightness = percent;
    mode.steps.clear();
    return mode;
}

LightMode frequencyMode(int hertz) {
    LightMode mode;
    mode.kind = KindFrequency;
    mode.frequency = hertz;
    mode.steps.clear();
    return mode;
}

LightMode customMode(std::vector<std::int32_t> steps) {
    LightMode mode;
    mode.kind = KindCustomize;
    mode.steps = std::move(steps);
    return mode;
}

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

TEST(ModeRecord, SosPatternPacksNineStepsOfNibbles) {
    LightMode mode = makeDefaultMode();
    applySosPattern(mode);
    EXPECT_EQ(recordOf(mode), (Bytes{0x27, 0x22, 0x22, 0x62, 0x66, 0x66, 0x66, 0x22, 0x22, 0xA2}));
}

TEST(ModeRecord, EachKindWritesOnlyItsOwnValue) {
    LightMode steady = brightnessMode(100);
    steady.steps = {3000, 3000};
    steady.frequency = 40;
    EXPECT_EQ(recordOf(steady), padded({0x01, 0x64}, 10));

    LightMode strobe = frequencyMode(9);
    strobe.brightness = 77;
    EXPECT_EQ(recordOf(strobe), padded({0x02, 0x09}, 10));

    LightMode custom = customMode({50, 50});
    custom.brightness = 100;
    EXPECT_EQ(recordOf(custom), padded({0x07}, 10));

    EXPECT_EQ(recordOf(customMode({})), padded({0x03}, 10));
}

TEST(ModeRecord, ValuesAndUnknownKindsKeepTheirLowByte) {
    EXPECT_EQ(recordOf(brightnessMode(0x1FF)), padded({0x01, 0xFF}, 10));
    LightMode odd = brightnessMode(50);
    odd.kind = 0x105;
    EXPECT_EQ(recordOf(odd), padded({0x05}, 10));
}

TEST(ModeRecord, OddEntryCountPacksEveryEntryButCountsOnlyPairs) {
    const Bytes record = recordOf(customMode({500, 1200, 2000}));
    EXPECT_EQ(record, padded({0x07, 0x62, 0x0A}, 10));
    EXPECT_EQ(decoded(record).steps, (std::vector<std::int32_t>{376, 1128}));
}

TEST(ModeRecord, EntriesPastEighteenAreIgnored) {
    const Bytes record = recordOf(customMode(std::vector<std::int32_t>(40, 3000)));
    EXPECT_EQ(record[0], 0x27);
    EXPECT_TRUE(std::all_of(record.begin() + 1, record.end(), [](auto b) { return b == 0xFF; }));
}

TEST(ModeRecord, DurationRoundTripKeepsWhole188msUnits) {
    const struct {
        std::int32_t sent;
        std::int32_t readBack;
    } cases[] = {{0, 50},      {50, 50},     {187, 50},    {188, 188},   {500, 376},
                 {1200, 1128}, {2000, 1880}, {3000, 2820}, {3007, 2820}, {3008, 50}};
    for (const auto& c : cases) {
        const LightMode back = decoded(recordOf(customMode({c.sent, c.sent})));
        EXPECT_EQ(back.steps, (std::vector<std::int32_t>{c.readBack, c.readBack}))
            << "sent " << c.sent;
    }
}

TEST(ModeRecord, DecodeNeverYieldsMoreThanNineSteps) {
    const LightMode mode = decoded(Bytes(10, 0xFF));
    EXPECT_EQ(mode.kind, KindCustomize);
    EXPECT_EQ(mode.steps, std::vector<std::int32_t>(18, 2820));
}

TEST(ModeRecord, DecodeLeavesFieldsTheKindDoesNotCarry) {
    const LightMode steady = decoded({0x01, 0xFF});
    EXPECT_EQ(steady.kind, KindBrightness);
    EXPECT_EQ(steady.brightness, 255);
    EXPECT_EQ(steady.steps, makeDefaultMode().steps);

    const LightMode strobe = decoded({0x02, 0x00});
    EXPECT_EQ(strobe.frequency, 0);
    EXPECT_EQ(strobe.brightness, 5);

    const LightMode empty = decoded({0x03});
    EXPECT_EQ(empty.kind, KindCustomize);
    EXPECT_TRUE(empty.steps.empty());
}

TEST(ModeRecord, KindZeroKeepsTheDefaults) {
    LightMode expected = makeDefaultMode();
    expected.kind = 0;
    EXPECT_EQ(decoded({0x04, 0x64, 0x22}), expected);
}

// Single blocks

TEST(PreviewBlock, CarriesRecordAndMinutes) {
    LightMode mode = customMode({188, 376});
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

TEST(DeviceImage, FactoryPresetLayout) {
    const ModeSet factory{brightnessMode(100), brightnessMode(50), brightnessMode(5),
                          frequencyMode(9)};
    DeviceImage image;
    encodeDeviceImage(factory, image);

    Bytes block1{0x81, 0x03};
    for (const Bytes& record :
         {Bytes{0x01, 0x64}, Bytes{0x01, 0x32}, Bytes{0x01, 0x05}, Bytes{0x02, 0x09}}) {
        const Bytes full = padded(record, 10);
        block1.insert(block1.end(), full.begin(), full.end());
    }
    block1 = padded(block1, 63);
    block1.push_back(0x81);
    EXPECT_EQ(slice(image[0], 0, 64), block1);

    const std::uint8_t markers[] = {0x82, 0x83, 0x84};
    for (std::size_t b = 1; b < 4; ++b) {
        expectFramed(image[b], markers[b - 1]);
        EXPECT_EQ(slice(image[b], 1, 62), Bytes(62, 0));
    }
}

TEST(DeviceImage, TwentyModesFillEverySlotAndMinutesByte) {
    ModeSet modes;
    for (int i = 0; i < kMaxModes; ++i) {
        LightMode mode = brightnessMode(i + 1);
        mode.minutes = 100 + i;
        modes.push_back(mode);
    }
    DeviceImage image;
    encodeDeviceImage(modes, image);
    EXPECT_EQ(image[0][1], 19);

    const std::size_t firstRecord[] = {2, 1, 1, 1};
    const int slots[] = {6, 6, 6, 2};
    int mode = 0;
    for (std::size_t b = 0; b < 4; ++b) {
        for (int s = 0; s < slots[b]; ++s, ++mode) {
            const std::size_t at = firstRecord[b] + 10 * static_cast<std::size_t>(s);
            EXPECT_EQ(slice(image[b], at, 10),
                      padded({0x01, static_cast<std::uint8_t>(mode + 1)}, 10))
                << "mode " << mode;
        }
    }
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(image[3][21 + i], 100 + i);
    }
    EXPECT_EQ(slice(image[3], 41, 22), Bytes(22, 0));
    EXPECT_EQ(image[0][62], 0);
    EXPECT_EQ(slice(image[1], 61, 2), Bytes(2, 0));
    EXPECT_EQ(slice(image[2], 61, 2), Bytes(2, 0));
}

TEST(DeviceImage, DownloadReturnsEveryModeWithoutMinutesOrSos) {
    ModeSet modes;
    for (int i = 0; i < kMaxModes; ++i) {
        LightMode mode = i % 3 == 0   ? brightnessMode(i + 1)
                         : i % 3 == 1 ? frequencyMode(i + 1)
                                      : customMode({188, 2820, 376 * (1 + i % 7), 188});
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

TEST(DeviceImage, EmptySetClaimsAllSlotsAndDecodesToTwentyBlankModes) {
    DeviceImage image;
    encodeDeviceImage({}, image);
    EXPECT_EQ(image[0][1], 0xFF);
    ModeSet back;
    decodeDeviceImage(image, back);
    ASSERT_EQ(back.size(), 20u);
    EXPECT_EQ(back.back().kind, 0);
}

TEST(DeviceImage, ErasedMemoryDecodesTheTwentySlotsItHas) {
    DeviceImage image;
    for (Block& block : image) {
        block.fill(0xFF);
    }
    ModeSet back{makeDefaultMode(), makeDefaultMode()};
    decodeDeviceImage(image, back);
    ASSERT_EQ(back.size(), 20u);
    for (const LightMode& mode : back) {
        EXPECT_EQ(mode.kind, KindCustomize);
        EXPECT_EQ(mode.steps, std::vector<std::int32_t>(18, 2820));
    }
}

TEST(DeviceImage, ModesPastTwentyAreNotEncoded) {
    LightMode mode = brightnessMode(42);
    mode.minutes = 9;
    const ModeSet modes(25, mode);
    DeviceImage image;
    encodeDeviceImage(modes, image);
    EXPECT_EQ(image[0][1], 19);
    EXPECT_EQ(slice(image[3], 41, 22), Bytes(22, 0));
    ModeSet back;
    decodeDeviceImage(image, back);
    EXPECT_EQ(back.size(), 20u);
}

} // namespace
} // namespace lumavert
