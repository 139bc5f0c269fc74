// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ChildProcess.h"
#include "PeakMemory.h"
#include "ProcessStatus.h"
#include "ResultTable.h"
#include "Statistics.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace lumavert;

namespace {

// Reading /proc status files.

constexpr std::string_view kStatus = "Name:\tlumavert\n"
                                     "VmPeak:\t  812340 kB\n"
                                     "VmHWM:\t   35684 kB\n"
                                     "Threads:\t3\n"
                                     "voluntary_ctxt_switches:\t22\n"
                                     "nonvoluntary_ctxt_switches:\t34";

TEST(StatusField, ReadsTheNamedFieldOnly) {
    const struct {
        std::string_view field;
        std::optional<long> expected;
    } cases[] = {
        {"VmHWM", 35684},
        {"Threads", 3},
        {"voluntary_ctxt_switches", 22},    // not the "nonvoluntary_" line
        {"nonvoluntary_ctxt_switches", 34}, // the last line has no newline
        {"Vm", std::nullopt},               // a prefix of other fields
        {"Name", std::nullopt},             // not a number
        {"VmRSS", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(statusField(kStatus, c.field), c.expected) << c.field;
    }
}

TEST(ThreadSwitches, ListsTheThreadsOfThisProcess) {
    const std::vector<ThreadSwitches> threads = threadSwitches(getpid());
    ASSERT_FALSE(threads.empty());
    EXPECT_EQ(threads.front().tid, getpid());
    EXPECT_FALSE(threads.front().name.empty());
    EXPECT_GT(peakResidentKb(getpid()).value_or(0), 0);
}

TEST(WakeUpsBetween, CountsChangedAndNewThreads) {
    const std::vector<ThreadSwitches> before{{10, "main", 5, 1}, {11, "worker", 2, 0}};
    const std::vector<ThreadSwitches> after{
        {10, "main", 5, 1}, {11, "worker", 4, 1}, {12, "pool", 3, 0}};
    const WakeUps wakeUps = wakeUpsBetween(before, after);
    EXPECT_EQ(wakeUps.voluntary, 2 + 3);
    EXPECT_EQ(wakeUps.involuntary, 1);
    EXPECT_EQ(wakeUps.threads, (std::vector<std::string>{"worker (3)", "pool (3)"}));
    EXPECT_EQ(wakeUpsBetween(after, after).total(), 0);
}

// Statistics.

TEST(Median, OfOddEvenAndEmptySamples) {
    EXPECT_DOUBLE_EQ(median({9, 1, 5}), 5);
    EXPECT_DOUBLE_EQ(median({8, 2, 6, 4}), 5);
    EXPECT_DOUBLE_EQ(median({}), 0);
}

TEST(WorstDeviation, KeepsTheSignOfTheFarthestValue) {
    EXPECT_DOUBLE_EQ(worstDeviation({1003, 985, 1010}, 1000), -15);
    EXPECT_DOUBLE_EQ(worstDeviation({1003, 1021}, 1000), 21);
    EXPECT_DOUBLE_EQ(worstDeviation({}, 1000), 0);
}

TEST(GrowsAtMostLinearly, AcceptsFixedCostsAndRejectsQuadraticGrowth) {
    EXPECT_TRUE(growsAtMostLinearly(16, 10 + 16 * 0.2, 128, 10 + 128 * 0.2)); // fixed + linear
    EXPECT_TRUE(growsAtMostLinearly(16, 16, 128, 128 * 1.2));                 // within 25 %
    EXPECT_FALSE(growsAtMostLinearly(16, 16.0 * 16, 128, 128.0 * 128));       // quadratic
}

// The table.

TEST(ResultTable, MarksMissedTargetsAndIgnoresInformationRows) {
    ResultTable table;
    table.add({"start-up", "90 ms", "≤ 150 ms", true});
    table.add({"bare window", "70 ms", "", std::nullopt});
    EXPECT_TRUE(table.allTargetsMet());
    table.add({"memory", "70 MiB", "< 60 MiB", false});
    table.addNote("Measured here.");
    EXPECT_FALSE(table.allTargetsMet());
    EXPECT_EQ(table.markdown(), "| Measurement | Result | Target | Met |\n|---|---|---|---|\n"
                                "| start-up | 90 ms | ≤ 150 ms | yes |\n"
                                "| bare window | 70 ms |  |  |\n"
                                "| memory | 70 MiB | < 60 MiB | **no** |\n"
                                "\nMeasured here.\n");
}

TEST(FormatNumber, RoundsToTheGivenDecimals) {
    EXPECT_EQ(formatNumber(3.14159, 1), "3.1");
    EXPECT_EQ(formatNumber(1234.5, 2), "1234.50"); // fixed, never exponent notation
}

// Child processes.

TEST(ChildProcess, CapturesOutputAndExitCode) {
    ChildProcess child({"/bin/sh", "-c", "echo painted; echo lost >&2; exit 3"},
                       ChildProcess::Output::Capture);
    EXPECT_EQ(child.readOutput(), "painted\n");
    const ChildProcess::Exit exit = child.wait();
    EXPECT_TRUE(exit.normal);
    EXPECT_EQ(exit.code, 3);
}

TEST(ChildProcess, TerminateEndsAWaitingProgram) {
    ChildProcess child({"/bin/sleep", "30"}, ChildProcess::Output::Discard);
    child.terminate();
    EXPECT_FALSE(child.wait().normal);
}

TEST(ChildProcess, RefusesAMissingProgram) {
    EXPECT_THROW(ChildProcess({"/nonexistent/program"}, ChildProcess::Output::Discard),
                 std::runtime_error);
}

// Peak memory of a program run to its end.

TEST(RunForPeakMemory, SeesWhatTheProgramHeld) {
    // The shell holds a 24 MB string: its peak must show it, a plain `true` must not.
    const MeasuredRun large =
        runForPeakMemory({"/bin/sh", "-c", "x=$(head -c 24000000 /dev/zero | tr '\\0' a); exit 4"});
    EXPECT_TRUE(large.normal);
    EXPECT_EQ(large.code, 4);
    EXPECT_GE(large.peakResidentKb, 24000);
    const MeasuredRun small = runForPeakMemory({"/bin/true"});
    EXPECT_EQ(small.code, 0);
    EXPECT_LT(small.peakResidentKb, 24000);
}

TEST(RunForPeakMemory, ReportsAProgramThatCannotStart) {
    const MeasuredRun run = runForPeakMemory({"/nonexistent/program"});
    EXPECT_TRUE(run.normal);
    EXPECT_EQ(run.code, 127);
}

} // namespace
