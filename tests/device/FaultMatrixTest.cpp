// Faults of the light as the transfer sequence and the link meet them, without a window: what
// the dialog would show, and what the light and the caller's blocks hold afterwards.

#include "TransferTestSupport.h"
#include "device/TransferSequence.h"
#include "device/VirtualBus.h"
#include "model/Presets.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace lumavert {
namespace {

using namespace std::chrono_literals;
using Stage = TransferStage;

DeviceImage imageOf(const ModeSet& modes) {
    DeviceImage image{};
    encodeDeviceImage(modes, image);
    return image;
}

DeviceImage householdImage() {
    ModeSet modes;
    applyPreset(Preset::Household, modes);
    return imageOf(modes);
}

// Twenty modes, so that every block differs from a short set's.
DeviceImage twentyModeImage() {
    ModeSet modes(kMaxModes, makeDefaultMode());
    for (int i = 0; i < kMaxModes; ++i) {
        modes[static_cast<std::size_t>(i)].brightness = 10 + i;
        modes[static_cast<std::size_t>(i)].minutes = i % 11;
    }
    return imageOf(modes);
}

DeviceImage filledImage(std::uint8_t value) {
    DeviceImage image;
    for (Block& block : image) {
        block.fill(value);
    }
    return image;
}

// ---- Upload: the light goes away before one of its four blocks ----

TEST(UploadFault, LightGoneBeforeAnyBlockSaysSoAndKeepsTheRestOfTheOldImage) {
    const DeviceImage old = householdImage();
    const DeviceImage wanted = twentyModeImage();
    for (int goneBefore = 1; goneBefore <= 4; ++goneBefore) {
        SCOPED_TRACE("light gone before block " + std::to_string(goneBefore));
        VirtualBus bus;
        VirtualLight& light = bus.addLight();
        light.setMemory(old);
        HidLink link(bus);
        ASSERT_EQ(link.probe(), 1);
        DeviceImage blocks = wanted;
        FakeTimers timers;
        TransferSequence upload(TransferDirection::Upload, link, blocks, timers);
        if (goneBefore == 1) {
            bus.unplug(light); // between the probe and the first write
        } else {
            light.setUnplugAfterWrites(goneBefore - 1);
        }
        upload.start();
        timers.fireAll(upload);

        EXPECT_EQ(upload.stage(), Stage::UploadCompleted);
        EXPECT_EQ(upload.display(),
                  (TransferDisplay{Text::UploadFailed, kTransferSteps, kProgressTextWhite, true}));
        EXPECT_EQ(upload.failedWrites(), 5 - goneBefore);
        DeviceImage expected = old;
        std::copy_n(wanted.begin(), goneBefore - 1, expected.begin());
        EXPECT_EQ(light.memory(), expected) << "blocks before the fault are new, the rest old";
        EXPECT_EQ(blocks, wanted) << "the caller's blocks are untouched";

        // Plugged back in, the same blocks go through whole.
        bus.plug(light);
        light.setUnplugAfterWrites(0);
        ASSERT_EQ(link.probe(), 1);
        TransferSequence again(TransferDirection::Upload, link, blocks, timers);
        again.start();
        timers.fireAll(again);
        EXPECT_EQ(again.display().message, Text::UploadCompleted);
        EXPECT_EQ(light.memory(), wanted);
    }
}

// ---- Download: what arrives, and what the caller's blocks hold ----

class DownloadFault : public ::testing::Test {
  protected:
    DownloadFault()
        : light_(bus_.addLight())
        , link_(bus_) {
        light_.setAnswerTiming(0ms, 0ms);
        light_.setMemory(householdImage());
        link_.probe();
    }

    // Starts the worker and sends the request: the stage where the light must answer.
    std::unique_ptr<TransferSequence> requestSent() {
        auto download = std::make_unique<TransferSequence>(TransferDirection::Download, link_,
                                                           blocks_, timers_, mailbox_.notifier());
        download->start();
        EXPECT_EQ(timers_.fireNext(*download), 5);
        waitForOpenHandle(light_);
        EXPECT_EQ(timers_.fireNext(*download), 6);
        return download;
    }

    void deliver(TransferSequence& download, const std::vector<WorkerMessage>& messages) {
        for (const WorkerMessage message : messages) {
            download.onWorkerMessage(message);
        }
    }

    VirtualBus bus_;
    VirtualLight& light_;
    HidLink link_;
    FakeTimers timers_;
    WorkerMailbox mailbox_;
    DeviceImage blocks_ = readRequestBlocks();
};

TEST_F(DownloadFault, AShortAnswerFailsAtTheLimitAndKeepsTheBlocks) {
    for (const int reports : {0, 1, 20, 31}) {
        SCOPED_TRACE(std::to_string(reports) + " of 32 reports");
        light_.setAnsweredReports(reports);
        blocks_ = readRequestBlocks();
        auto download = requestSent();
        EXPECT_TRUE(mailbox_.waitFor(1, 200ms).empty()) << "the worker reports nothing";
        EXPECT_EQ(timers_.fireNext(*download), 7);
        EXPECT_EQ(download->stage(), Stage::DownloadFailed);
        EXPECT_EQ(download->display(),
                  (TransferDisplay{Text::DownloadFailed, 2, kProgressTextBlack, true}));
        EXPECT_EQ(blocks_, readRequestBlocks()) << "no part of an answer is kept";
        download.reset();
        EXPECT_EQ(light_.openHandles(), 0) << "the worker has let go of the light";
    }
}

TEST_F(DownloadFault, EveryByteOfTheMemoryArrivesAsItIs) {
    const DeviceImage memories[] = {filledImage(0xFF), filledImage(0x00), twentyModeImage()};
    for (const DeviceImage& memory : memories) {
        light_.setMemory(memory);
        WorkerMailbox mailbox;
        blocks_ = readRequestBlocks();
        TransferSequence download(TransferDirection::Download, link_, blocks_, timers_,
                                  mailbox.notifier());
        download.start();
        timers_.fireNext(download);
        waitForOpenHandle(light_);
        timers_.fireNext(download);
        const std::vector<WorkerMessage> messages = mailbox.waitFor(2, 5s);
        ASSERT_EQ(messages, (std::vector{WorkerImageRead, WorkerDownloadCompleted}));
        deliver(download, messages);
        EXPECT_TRUE(download.downloadCompleted());
        EXPECT_EQ(blocks_, memory);
    }
}

TEST_F(DownloadFault, LightGoneBetweenTheProbeAndTheRequestFailsWithoutZeros) {
    auto download = std::make_unique<TransferSequence>(TransferDirection::Download, link_, blocks_,
                                                       timers_, mailbox_.notifier());
    download->start();
    EXPECT_EQ(timers_.fireNext(*download), 5); // the worker starts while the light is there
    waitForOpenHandle(light_);
    bus_.unplug(light_);
    EXPECT_EQ(timers_.fireNext(*download), 6);
    EXPECT_TRUE(mailbox_.waitFor(1, 200ms).empty());
    EXPECT_EQ(timers_.fireNext(*download), 7);
    EXPECT_EQ(download->display().message, Text::DownloadFailed);
    EXPECT_EQ(blocks_, readRequestBlocks());
}

// ---- Hotplug storms ----

TEST(HotplugStorm, LinkAndWorkerKeepWorkingWhileAnotherThreadPlugsAndUnplugs) {
    VirtualBus bus;
    VirtualLight& light = bus.addLight();
    light.setAnswerTiming(0ms, 0ms);
    light.setMemory(twentyModeImage());
    std::atomic<int> events = 0;
    bus.monitor().start([&](const DeviceChange&) { ++events; });
    HidLink link(bus);
    Block request;
    encodeReadRequest(request);

    // At least 100 removals and arrivals, and more for as long as the link is busy.
    std::atomic<bool> linkDone = false;
    int cycles = 0;
    std::thread storm([&] {
        for (; cycles < 100 || !linkDone; ++cycles) {
            bus.unplug(light);
            bus.plug(light);
        }
    });
    for (int round = 0; round < 20; ++round) {
        DownloadWorker worker(link, {});
        link.probe();
        link.writeReport(request);
    }
    linkDone = true;
    storm.join();
    EXPECT_EQ(events, cycles * 2 * 2) << "two interfaces, each removed and arriving every cycle";
    EXPECT_EQ(light.openHandles(), 0);

    // After the storm a whole download goes through.
    ASSERT_EQ(link.probe(), 1);
    DeviceImage blocks = readRequestBlocks();
    FakeTimers timers;
    WorkerMailbox mailbox;
    TransferSequence download(TransferDirection::Download, link, blocks, timers,
                              mailbox.notifier());
    download.start();
    timers.fireNext(download);
    waitForOpenHandle(light);
    timers.fireNext(download);
    for (const WorkerMessage message : mailbox.waitFor(2, 5s)) {
        download.onWorkerMessage(message);
    }
    EXPECT_TRUE(download.downloadCompleted());
    EXPECT_EQ(blocks, twentyModeImage());
}

TEST(HotplugStorm, NoEventReachesTheReceiverAfterTheMonitorStopped) {
    VirtualBus bus;
    std::mutex mutex;
    std::condition_variable entered;
    bool inside = false;
    std::atomic<bool> stopped = false;
    std::atomic<int> lateEvents = 0;
    bus.monitor().start([&](const DeviceChange&) {
        if (stopped) {
            ++lateEvents;
        }
        {
            std::lock_guard lock(mutex);
            inside = true;
        }
        entered.notify_all();
        std::this_thread::sleep_for(50ms); // the receiver is busy with the first event
    });
    // A light of the feature kind raises two arrivals, one per interface.
    std::thread plugging([&] { bus.addLight(); });
    {
        std::unique_lock lock(mutex);
        entered.wait(lock, [&] { return inside; });
    }
    bus.monitor().stop();
    stopped = true;
    plugging.join();
    EXPECT_EQ(lateEvents, 0) << "a receiver going away must not be called once stop() returned";
}

} // namespace
} // namespace lumavert
