#include "device/VirtualBus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
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

TEST(VirtualLight, TakesImageBlocksAndThePreviewAndIgnoresABrokenFrame) {
    VirtualBus bus;
    VirtualLight& light = bus.addLight();
    const auto handle = openLight(bus, light);

    EXPECT_TRUE(handle->sendFeatureReport(featureReport(MarkerImage4, 0x44)));
    EXPECT_TRUE(handle->sendFeatureReport(featureReport(MarkerPreview, 0x11)));
    std::vector<std::uint8_t> broken = featureReport(MarkerImage1, 0x99);
    broken[64] = 0;
    EXPECT_TRUE(handle->sendFeatureReport(broken));

    const DeviceImage memory = light.memory();
    EXPECT_EQ(memory[3][0], MarkerImage4);
    EXPECT_EQ(memory[3][30], 0x44);
    EXPECT_EQ(memory[0][30], 0) << "a block without its closing marker is ignored";
    ASSERT_TRUE(light.lastPreview().has_value());
    EXPECT_EQ((*light.lastPreview())[1], 0x11);
    EXPECT_EQ(light.receivedReports().size(), 3u);
}

TEST(VirtualLight, RefusesTheReportKindItDoesNotHave) {
    VirtualBus bus;
    VirtualLight& feature = bus.addLight();
    VirtualLight& output = bus.addLight({0x04D8, 0x003F, "", 0});
    EXPECT_FALSE(openLight(bus, feature)->writeOutputReport(featureReport(MarkerImage1, 1)));
    EXPECT_FALSE(openLight(bus, output)->sendFeatureReport(featureReport(MarkerImage1, 1)));
    EXPECT_EQ(feature.memory()[0][0], 0);
    EXPECT_EQ(output.memory()[0][0], 0);
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

TEST(VirtualLight, FaultKnobsShapeTheAnswer) {
    struct Case {
        const char* name;
        bool silent;
        int answered;
        int expected;
    };
    for (const Case& c : {Case{"normal", false, 32, 32}, Case{"silent", true, 32, 0},
                          Case{"short", false, 20, 20}}) {
        VirtualBus bus;
        VirtualLight& light = bus.addLight();
        light.setAnswerTiming(0ms, 0ms);
        light.setSilent(c.silent);
        light.setAnsweredReports(c.answered);
        const auto handle = openLight(bus, light);
        handle->sendFeatureReport(featureReport(MarkerReadRequest, 0));
        EXPECT_EQ(countReports(*handle, 20ms), c.expected) << c.name;
    }
}

TEST(VirtualLight, WaitsItsDelayBeforeAnswering) {
    VirtualBus bus;
    VirtualLight& light = bus.addLight();
    light.setAnswerTiming(60ms, 0ms);
    const auto handle = openLight(bus, light);
    handle->sendFeatureReport(featureReport(MarkerReadRequest, 0));
    std::array<std::uint8_t, 8> payload{};
    EXPECT_EQ(handle->readInputReport(payload, 10), 0);
    EXPECT_EQ(handle->readInputReport(payload, 500), 8);
}

TEST(VirtualLight, HoldsAnErasedMemory) {
    VirtualBus bus;
    VirtualLight& light = bus.addLight();
    light.eraseMemory();
    for (const Block& block : light.memory()) {
        EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](auto b) { return b == 0xFF; }));
    }
}

TEST(VirtualLight, RefusesOpeningAsWithoutPermission) {
    VirtualBus bus;
    VirtualLight& light = bus.addLight();
    light.setRefuseOpen(true);
    EXPECT_EQ(bus.open(light.path()).status, OpenStatus::PermissionDenied);
    EXPECT_EQ(bus.open("virtual/nothing").status, OpenStatus::Absent);
}

TEST(VirtualLight, UnplugsItselfAfterTheNthWrite) {
    VirtualBus bus;
    VirtualLight& light = bus.addLight();
    light.setUnplugAfterWrites(2);
    std::vector<DeviceChange> seen;
    bus.monitor().start([&](const DeviceChange& change) { seen.push_back(change); });
    const auto handle = openLight(bus, light);

    EXPECT_TRUE(handle->sendFeatureReport(featureReport(MarkerImage1, 1)));
    EXPECT_TRUE(light.plugged());
    EXPECT_TRUE(handle->sendFeatureReport(featureReport(MarkerImage2, 2)));
    EXPECT_FALSE(light.plugged());
    EXPECT_FALSE(handle->sendFeatureReport(featureReport(MarkerImage3, 3)));
    EXPECT_EQ(light.memory()[2][0], 0);
    EXPECT_EQ(seen, (std::vector<DeviceChange>{{DeviceRemoveComplete, light.otherInterfacePath()},
                                               {DeviceRemoveComplete, light.path()}}));
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

TEST(VirtualBus, ListsOtherDevicesThatCannotBeOpened) {
    VirtualBus bus;
    bus.addOtherDevice({"mouse", 0x046D, 0xC077, 0});
    bus.addLight({0x1017, 0x1000, "", 0});
    const std::vector<HidDeviceInfo> listed = bus.enumerate();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].path, "mouse");
    EXPECT_EQ(bus.open("mouse").status, OpenStatus::Failed);
}

class LightMemoryFile : public ::testing::Test {
  protected:
    void SetUp() override {
        file_ =
            std::filesystem::temp_directory_path() /
            ("lumavert-light-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".bin");
        std::filesystem::remove(file_);
    }
    void TearDown() override { std::filesystem::remove(file_); }
    std::filesystem::path file_;
};

TEST_F(LightMemoryFile, KeepsEveryChangeAndReadsBack) {
    VirtualBus bus;
    VirtualLight& light = bus.addLight();
    light.saveMemoryTo(file_);
    EXPECT_FALSE(std::filesystem::exists(file_)) << "nothing changed yet";
    openLight(bus, light)->sendFeatureReport(featureReport(MarkerImage2, 0x22));

    DeviceImage image{};
    std::string error;
    ASSERT_TRUE(readLightMemory(file_, image, error)) << error;
    EXPECT_EQ(image, light.memory());
    EXPECT_FALSE(light.persistFailed());
}

TEST_F(LightMemoryFile, RefusesAFileThatIsNotAMemory) {
    std::ofstream(file_, std::ios::binary) << std::string(255, 'x');
    DeviceImage image{};
    std::string error;
    EXPECT_FALSE(readLightMemory(file_, image, error));
    EXPECT_NE(error.find("255 bytes"), std::string::npos) << error;
    EXPECT_NE(error.find(file_.string()), std::string::npos) << error;
}

} // namespace
} // namespace lumavert
