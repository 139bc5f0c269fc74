#include "device/TransferSequence.h"

#include "TransferTestSupport.h"
#include "device/VirtualBus.h"

#include <gtest/gtest.h>

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
        waitForOpenHandle(light_);
        ASSERT_EQ(light_.openHandles(), 1) << "the worker opened the light";
    }

    // Fires timers 5 and 6: the worker waits and the request has gone out.
    std::unique_ptr<TransferSequence> downloadUpToTheRequest() {
        blocks_ = readRequestBlocks();
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

TEST_F(Transfer, UploadRunsToTheEndWhenTheLightGoesAway) {
    light_.setUnplugAfterWrites(2);
    encodeReadRequest(blocks_[0]); // any valid blocks will do
    blocks_[1] = blocks_[2] = blocks_[3] = blocks_[0];
    TransferSequence sequence(TransferDirection::Upload, link_, blocks_, timers_);
    sequence.start();
    while (timers_.anyPending()) {
        timers_.fireNext(sequence);
    }
    EXPECT_EQ(sequence.stage(), Stage::UploadCompleted);
    EXPECT_EQ(sequence.failedWrites(), 2);
    EXPECT_EQ(light_.receivedReports().size(), 2u);
}

TEST_F(Transfer, DownloadCompletesThroughEveryStage) {
    blocks_ = readRequestBlocks();
    auto sequence = makeDownload();
    sequence->start();
    EXPECT_EQ(sequence->stage(), Stage::DownloadWaiting);
    EXPECT_EQ(sequence->display(), (TransferDisplay{Text::Downloading, 0, kBlack, false}));

    startReading(*sequence);
    EXPECT_EQ(sequence->stage(), Stage::Reading);
    EXPECT_EQ(sequence->display(), (TransferDisplay{Text::Downloading, 1, kBlack, false}));
    EXPECT_TRUE(light_.receivedReports().empty()) << "the worker starts before the request";

    EXPECT_EQ(timers_.fireNext(*sequence), 6);
    EXPECT_EQ(timers_.now, 2000);
    EXPECT_EQ(sequence->stage(), Stage::RequestSent);
    EXPECT_EQ(sequence->display(), (TransferDisplay{Text::Downloading, 2, kBlack, false}));
    ASSERT_EQ(light_.receivedReports().size(), 1u);
    EXPECT_EQ(light_.receivedReports()[0].bytes[1], MarkerReadRequest);
    EXPECT_TRUE(timers_.isPending(7));

    ASSERT_EQ(posted_.wait(5s), WorkerImageRead);
    sequence->onWorkerMessage(WorkerImageRead);
    EXPECT_EQ(sequence->stage(), Stage::ImageRead);
    EXPECT_EQ(sequence->display(), (TransferDisplay{Text::Downloading, 3, kWhite, false}));
    EXPECT_EQ(blocks_, numberedImage()) << "the read request is overwritten";

    ASSERT_EQ(posted_.wait(5s), WorkerDownloadCompleted);
    sequence->onWorkerMessage(WorkerDownloadCompleted);
    EXPECT_EQ(sequence->stage(), Stage::DownloadCompleted);
    EXPECT_EQ(sequence->display(), (TransferDisplay{Text::DownloadCompleted, 4, kBlack, true}));
    EXPECT_TRUE(sequence->downloadCompleted());
    EXPECT_FALSE(timers_.isPending(7)) << "completion stops the answer timer";
    EXPECT_EQ(timers_.started, (std::vector<std::pair<int, int>>{{5, 1000}, {6, 1000}, {7, 5000}}));
}

TEST_F(Transfer, ASilentLightFailsSevenSecondsAfterTheStart) {
    light_.setSilent(true);
    auto sequence = downloadUpToTheRequest();
    EXPECT_EQ(timers_.fireNext(*sequence), 7);

    EXPECT_EQ(timers_.now, 7000);
    EXPECT_EQ(sequence->stage(), Stage::DownloadFailed);
    EXPECT_EQ(sequence->display(), (TransferDisplay{Text::DownloadFailed, 2, kBlack, true}));
    EXPECT_FALSE(sequence->downloadCompleted());
    EXPECT_FALSE(timers_.anyPending());
    EXPECT_EQ(blocks_, readRequestBlocks());
}

TEST_F(Transfer, AnAnswerAfterTheFailureChangesNothing) {
    light_.setAnswerTiming(100ms, 0ms);
    auto sequence = downloadUpToTheRequest();
    timers_.fireNext(*sequence); // timer 7 before the light answers
    const TransferDisplay failed = sequence->display();

    sequence->onWorkerMessage(WorkerImageRead);
    sequence->onWorkerMessage(WorkerDownloadCompleted);
    EXPECT_EQ(sequence->stage(), Stage::DownloadFailed);
    EXPECT_EQ(sequence->display(), failed);
    EXPECT_EQ(blocks_, readRequestBlocks());
    EXPECT_FALSE(posted_.wait(250ms).has_value()) << "the failure cancels the worker";
}

TEST_F(Transfer, TriggersOutsideTheirStageAreIgnored) {
    auto sequence = makeDownload();
    blocks_ = readRequestBlocks();
    sequence->start();
    sequence->onTimer(1);
    sequence->onTimer(6);
    sequence->onWorkerMessage(WorkerImageRead);
    sequence->onWorkerMessage(WorkerDownloadCompleted);
    sequence->onTimer(99);
    EXPECT_EQ(sequence->stage(), Stage::DownloadWaiting);
    EXPECT_EQ(sequence->display().progress, 0);
    EXPECT_TRUE(light_.receivedReports().empty());

    startReading(*sequence);
    timers_.fireNext(*sequence);
    ASSERT_EQ(posted_.wait(5s), WorkerImageRead);
    sequence->onWorkerMessage(WorkerDownloadCompleted); // before the image-read message
    EXPECT_EQ(sequence->stage(), Stage::RequestSent);
    sequence->onWorkerMessage(WorkerImageRead);
    sequence->onTimer(7); // the answer timer racing the completion
    EXPECT_EQ(sequence->stage(), Stage::ImageRead);
    EXPECT_EQ(sequence->display().progress, 3);
}

TEST_F(Transfer, ALightGoneBeforeTheWorkerScansEndsInFailureNotInZeros) {
    blocks_ = readRequestBlocks();
    auto sequence = makeDownload();
    sequence->start();
    bus_.unplug(light_);
    timers_.fireNext(*sequence);
    timers_.fireNext(*sequence);
    EXPECT_FALSE(posted_.wait(200ms).has_value());
    timers_.fireNext(*sequence);
    EXPECT_EQ(sequence->stage(), Stage::DownloadFailed);
    EXPECT_EQ(blocks_, readRequestBlocks());
}

TEST_F(Transfer, ClosingWhileTheWorkerWaitsWritesAndPostsNothingAfterwards) {
    light_.setSilent(true);
    auto sequence = downloadUpToTheRequest();
    std::this_thread::sleep_for(20ms); // the worker is inside its read

    const auto closing = std::chrono::steady_clock::now();
    sequence.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - closing, 4 * HidLink::kReadPollMs * 1ms);
    EXPECT_EQ(light_.openHandles(), 0) << "the worker closed its handle";

    // The light answers after all: nobody is listening any more.
    light_.setSilent(false);
    link_.writeReport(readRequestBlocks()[0]);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(posted_.count(), 0u);
    EXPECT_EQ(blocks_, readRequestBlocks());
}

} // namespace
} // namespace lumavert
