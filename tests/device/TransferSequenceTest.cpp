// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The transfer sequence against a virtual light, its faults included: what the dialog would show,
// and what the light and the caller's blocks hold afterwards.

#include "device/TransferSequence.h"

#include "ModelBuilders.h"
#include "TestSupport.h"
#include "TransferTestSupport.h"
#include "device/VirtualBus.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace lumavert {
namespace {

using namespace std::chrono_literals;
using Stage = TransferStage;

constexpr auto kBlack = kProgressTextBlack;
constexpr auto kWhite = kProgressTextWhite;

DeviceImage numberedImage() {
    DeviceImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        image[i / kBlockSize][i % kBlockSize] = static_cast<std::uint8_t>(255 - i);
    }
    return image;
}

// A light on a virtual bus, already probed, with timers and a message queue.
class Transfer : public ::testing::Test {
  protected:
    Transfer()
        : light_(bus_.addLight())
        , link_(bus_) {
        light_.setAnswerTiming(0ms, 0ms);
        light_.setMemory(numberedImage());
        link_.probe();
    }

    std::unique_ptr<TransferSequence> makeDownload() {
        return std::make_unique<TransferSequence>(TransferDirection::Download, link_, blocks_,
                                                  timers_, posted_.notifier());
    }

    // Fires timer 5 and waits for the worker's read, as the second before timer 6 does.
    void startReading(TransferSequence& sequence) {
        EXPECT_EQ(timers_.fireNext(sequence), 5);
        waitForWaitingReader(light_);
        ASSERT_EQ(light_.openHandles(), 1) << "the worker opened the light";
    }

    // Each round of a table starts with the light plugged, fresh timers and the read request.
    void freshRound() {
        if (!light_.plugged()) {
            bus_.plug(light_);
        }
        timers_ = FakeTimers{};
        blocks_ = readRequestBlocks();
    }

    static void expectAt(const TransferSequence& sequence, Stage stage,
                         const TransferDisplay& display) {
        EXPECT_EQ(sequence.stage(), stage);
        EXPECT_EQ(sequence.display(), display);
    }

    // Fires timers 5 and 6: the worker waits and the request has gone out.
    std::unique_ptr<TransferSequence> downloadUpToTheRequest() {
        auto sequence = makeDownload();
        sequence->start();
        startReading(*sequence);
        EXPECT_EQ(timers_.fireNext(*sequence), 6);
        return sequence;
    }

    VirtualBus bus_;
    VirtualLight& light_;
    HidLink link_;
    FakeTimers timers_;
    WorkerMailbox posted_;
    DeviceImage blocks_{};
};

struct Row {
    int timer; // fired to get here; 0 for the start
    int time;  // fake milliseconds since the start
    Stage stage;
    TransferDisplay display;
};

TEST_F(Transfer, UploadWritesOneBlockPerSecondThroughEveryStage) {
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        blocks_[i].fill(static_cast<std::uint8_t>(i + 1));
        blocks_[i].front() = blocks_[i].back() = static_cast<std::uint8_t>(MarkerImage1 + i);
    }
    TransferSequence sequence(TransferDirection::Upload, link_, blocks_, timers_);
    const Row rows[] = {
        {0, 0, Stage::UploadWaiting, {Text::Uploading, 0, kBlack, false}},
        {1, 1000, Stage::Block1Written, {Text::Uploading, 1, kBlack, false}},
        {2, 2000, Stage::Block2Written, {Text::Uploading, 2, kBlack, false}},
        {3, 3000, Stage::Block3Written, {Text::Uploading, 3, kWhite, false}},
        {4, 4000, Stage::UploadCompleted, {Text::UploadCompleted, 4, kWhite, true}},
    };
    sequence.start();
    for (const Row& row : rows) {
        if (row.timer != 0) {
            EXPECT_EQ(timers_.fireNext(sequence), row.timer);
        }
        EXPECT_EQ(timers_.now, row.time);
        EXPECT_EQ(sequence.stage(), row.stage) << "timer " << row.timer;
        EXPECT_EQ(sequence.display(), row.display) << "timer " << row.timer;
        EXPECT_EQ(light_.receivedReports().size(), static_cast<std::size_t>(row.timer));
        EXPECT_EQ(sequence.writingImage(), row.stage != Stage::UploadCompleted);
    }
    EXPECT_FALSE(timers_.anyPending());
    EXPECT_EQ(light_.memory(), blocks_);
    EXPECT_EQ(sequence.failedWrites(), 0);
    EXPECT_EQ(timers_.started,
              (std::vector<std::pair<int, int>>{{1, 1000}, {2, 1000}, {3, 1000}, {4, 1000}}));
}

TEST_F(Transfer, UploadWithTheLightGoneBeforeABlockKeepsTheRestOfTheOldImage) {
    const DeviceImage old = imageOf(presetModes(Preset::Household));
    const DeviceImage wanted = imageOf(test::numberedModes(kMaxModes)); // every block new
    for (int goneBefore = 1; goneBefore <= 4; ++goneBefore) {
        SCOPED_TRACE("light gone before block " + std::to_string(goneBefore));
        freshRound();
        light_.setMemory(old);
        ASSERT_EQ(link_.probe(), 1);
        if (goneBefore == 1) {
            bus_.unplug(light_); // between the probe and the first write
        }
        light_.setUnplugAfterWrites(goneBefore - 1);
        blocks_ = wanted;
        TransferSequence upload(TransferDirection::Upload, link_, blocks_, timers_);
        upload.start();
        timers_.fireAll(upload);

        EXPECT_EQ(upload.stage(), Stage::UploadCompleted);
        EXPECT_EQ(upload.display(),
                  (TransferDisplay{Text::UploadFailed, goneBefore - 1, kWhite, true}))
            << "the bar shows the blocks that reached the light";
        EXPECT_EQ(upload.failedWrites(), 5 - goneBefore);
        DeviceImage expected = old;
        std::copy_n(wanted.begin(), goneBefore - 1, expected.begin());
        EXPECT_EQ(light_.memory(), expected) << "blocks before the fault are new, the rest old";
        EXPECT_EQ(blocks_, wanted) << "the caller's blocks are untouched";
    }
}

TEST_F(Transfer, DownloadCompletesThroughEveryStage) {
    freshRound();
    auto sequence = makeDownload();
    sequence->start();
    expectAt(*sequence, Stage::DownloadWaiting, {Text::Downloading, 0, kBlack, false});

    startReading(*sequence);
    expectAt(*sequence, Stage::Reading, {Text::Downloading, 1, kBlack, false});
    EXPECT_TRUE(light_.receivedReports().empty()) << "the worker starts before the request";

    EXPECT_EQ(timers_.fireNext(*sequence), 6);
    EXPECT_EQ(timers_.now, 2000);
    expectAt(*sequence, Stage::RequestSent, {Text::Downloading, 2, kBlack, false});
    ASSERT_EQ(light_.receivedReports().size(), 1u);
    EXPECT_EQ(light_.receivedReports()[0].bytes[1], MarkerReadRequest);
    EXPECT_TRUE(timers_.isPending(7));

    ASSERT_EQ(posted_.wait(5s), WorkerImageRead);
    sequence->onWorkerMessage(WorkerImageRead);
    expectAt(*sequence, Stage::ImageRead, {Text::Downloading, 3, kWhite, false});
    EXPECT_EQ(blocks_, numberedImage()) << "the read request is overwritten";

    ASSERT_EQ(posted_.wait(5s), WorkerDownloadCompleted);
    sequence->onWorkerMessage(WorkerDownloadCompleted);
    expectAt(*sequence, Stage::DownloadCompleted, {Text::DownloadCompleted, 4, kBlack, true});
    EXPECT_TRUE(sequence->downloadCompleted());
    EXPECT_FALSE(timers_.isPending(7)) << "completion stops the answer timer";
    EXPECT_EQ(timers_.started, (std::vector<std::pair<int, int>>{{5, 1000}, {6, 1000}, {7, 5000}}));
}

TEST_F(Transfer, NoAnswerOrAShortOneFailsSevenSecondsAfterTheStartAndKeepsTheBlocks) {
    for (const int reports : {-1, 1, 20, 31}) { // -1: a silent light
        SCOPED_TRACE(std::to_string(reports) + " of 32 reports");
        light_.setSilent(reports < 0);
        light_.setAnsweredReports(std::max(reports, 0));
        freshRound();
        auto sequence = downloadUpToTheRequest();
        EXPECT_TRUE(posted_.waitFor(1, 200ms).empty()) << "the worker reports nothing";
        EXPECT_EQ(timers_.fireNext(*sequence), 7);
        EXPECT_EQ(timers_.now, 7000);
        expectAt(*sequence, Stage::DownloadFailed, {Text::DownloadFailed, 2, kBlack, true});
        EXPECT_FALSE(sequence->lightWentAway());
        EXPECT_FALSE(timers_.anyPending());
        EXPECT_EQ(blocks_, readRequestBlocks()) << "no part of an answer is kept";
        sequence.reset();
        EXPECT_EQ(light_.openHandles(), 0) << "the worker has let go of the light";
    }
}

// A light pulled out during a download ends it at once, not at the answer limit, and leaves the
// blocks as they were: no zeros pass for its memory.
TEST_F(Transfer, ALightGoneDuringADownloadFailsAtOnceWithoutZeros) {
    for (const bool workerOpenedIt : {false, true}) {
        SCOPED_TRACE(workerOpenedIt ? "gone after the worker opened it" : "gone before");
        freshRound();
        auto sequence = makeDownload();
        sequence->start();
        if (workerOpenedIt) {
            startReading(*sequence);
            bus_.unplug(light_);
        } else {
            bus_.unplug(light_);
            EXPECT_EQ(timers_.fireNext(*sequence), 5);
        }
        const std::optional<WorkerMessage> posted = posted_.wait(2s);
        ASSERT_EQ(posted, WorkerDownloadFailed);
        sequence->onWorkerMessage(*posted);
        EXPECT_EQ(sequence->stage(), Stage::DownloadFailed);
        EXPECT_TRUE(sequence->display().okVisible);
        EXPECT_TRUE(sequence->lightWentAway());
        EXPECT_FALSE(timers_.anyPending()) << "no stage is left to run";
        EXPECT_EQ(blocks_, readRequestBlocks());
    }
}

TEST_F(Transfer, ClosingWhileTheWorkerWaitsWritesAndPostsNothingAfterwards) {
    light_.setSilent(true);
    freshRound();
    auto sequence = downloadUpToTheRequest();
    std::this_thread::sleep_for(20ms); // the worker is inside its read

    const auto closing = std::chrono::steady_clock::now();
    sequence.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - closing, 5 * HidLink::kReadPollMs * 1ms);
    EXPECT_EQ(light_.openHandles(), 0) << "the worker closed its handle";

    // The light answers after all: nobody is listening any more.
    light_.setSilent(false);
    link_.writeReport(readRequestBlocks()[0]);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(posted_.count(), 0u);
    EXPECT_EQ(blocks_, readRequestBlocks());
}

TEST_F(Transfer, LinkAndWorkerKeepWorkingWhileAnotherThreadPlugsAndUnplugs) {
    std::atomic<int> events = 0;
    bus_.monitor().start([&](const DeviceChange&) { ++events; });
    // At least 100 removals and arrivals, and more for as long as the link is busy.
    std::atomic<bool> linkDone = false;
    int cycles = 0;
    std::thread storm([&] {
        for (; cycles < 100 || !linkDone; ++cycles) {
            bus_.unplug(light_);
            bus_.plug(light_);
        }
    });
    for (int round = 0; round < 20; ++round) {
        DownloadWorker worker(link_, {});
        link_.probe();
        link_.writeReport(readRequestBlocks()[0]);
    }
    linkDone = true;
    storm.join();
    EXPECT_EQ(events, cycles * 2 * 2) << "two interfaces, each removed and arriving every cycle";
    EXPECT_EQ(light_.openHandles(), 0);

    // After the storm a whole download goes through.
    ASSERT_EQ(link_.probe(), 1);
    freshRound();
    auto sequence = downloadUpToTheRequest();
    for (const WorkerMessage message : posted_.waitFor(2, 5s)) {
        sequence->onWorkerMessage(message);
    }
    EXPECT_TRUE(sequence->downloadCompleted());
    EXPECT_EQ(blocks_, numberedImage());
}

} // namespace
} // namespace lumavert
