// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FootprintBench.h"

#include "ChildProcess.h"
#include "ProcessStatus.h"

#include <filesystem>
#include <numeric>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace lumavert {

namespace {

constexpr long kGuiLimitKb = 60 * 1024;
constexpr long kCliLimitKb = 10 * 1024;
constexpr auto kSettleWindow = std::chrono::milliseconds(250);
constexpr auto kLongestSettle = std::chrono::seconds(5);

long totalSwitches(pid_t pid) {
    const std::vector<ThreadSwitches> threads = threadSwitches(pid);
    return std::accumulate(threads.begin(), threads.end(), 0L, [](long sum, const auto& thread) {
        return sum + thread.voluntary + thread.involuntary;
    });
}

/// Waits until the process has not been woken for one settle window (its start-up is over),
/// or gives up after kLongestSettle; a program that polls never settles.
void waitUntilSettled(pid_t pid) {
    const auto limit = std::chrono::steady_clock::now() + kLongestSettle;
    for (long last = -1; std::chrono::steady_clock::now() < limit;) {
        const long now = totalSwitches(pid);
        if (now == last) {
            return;
        }
        last = now;
        std::this_thread::sleep_for(kSettleWindow);
    }
}

std::string describe(const WakeUps& wakeUps) {
    std::string text = std::to_string(wakeUps.total()) + " (" + std::to_string(wakeUps.voluntary) +
                       " voluntary, " + std::to_string(wakeUps.involuntary) + " involuntary)";
    for (const std::string& thread : wakeUps.threads) {
        text += "; " + thread;
    }
    return text;
}

void runToSuccess(const std::vector<std::string>& arguments) {
    ChildProcess child(arguments, ChildProcess::Output::Discard);
    const ChildProcess::Exit exit = child.wait();
    if (!exit.normal || exit.code != 0) {
        throw std::runtime_error(arguments.at(0) + " " + arguments.at(1) + " failed");
    }
}

/// A folder of its own under the system's temporary folder, removed when it goes.
class ScratchFolder {
  public:
    ScratchFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("lumavert-bench-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

} // namespace

void benchIdleWindow(ResultTable& table, const std::string& gui, std::chrono::seconds idle) {
    ChildProcess window({gui}, ChildProcess::Output::Discard);
    waitUntilSettled(window.pid());
    const std::vector<ThreadSwitches> before = threadSwitches(window.pid());
    std::this_thread::sleep_for(idle);
    const std::vector<ThreadSwitches> after = threadSwitches(window.pid());
    const std::optional<long> peakKb = peakResidentKb(window.pid());
    window.terminate();
    window.wait();
    if (!peakKb || after.empty()) {
        throw std::runtime_error(gui + " ended by itself; start it with QT_QPA_PLATFORM=offscreen "
                                       "to see why");
    }
    const WakeUps wakeUps = wakeUpsBetween(before, after);
    table.add({"Peak resident memory of `lumavert` after start-up (VmHWM)",
               formatMebibytes(*peakKb), "< " + formatMebibytes(kGuiLimitKb),
               *peakKb < kGuiLimitKb});
    table.add({"Wake-ups of idle `lumavert` over " + std::to_string(idle.count()) +
                   " s (context switches of all " + std::to_string(after.size()) + " threads)",
               describe(wakeUps), "0", wakeUps.total() == 0});
}

void benchCliMemory(ResultTable& table, const std::string& cli,
                    const std::string& peakMemoryProgram) {
    const ScratchFolder folder;
    const std::string modes = (folder.path() / "factory.ini").string();
    runToSuccess({cli, "preset", "factory", "-o", modes});
    ChildProcess measure({peakMemoryProgram, cli, "encode", modes}, ChildProcess::Output::Capture);
    std::istringstream printed(measure.readOutput());
    measure.wait();
    long peakKb = 0;
    int code = -1;
    if (!(printed >> peakKb >> code) || code != 0) {
        throw std::runtime_error(cli + " encode failed");
    }
    table.add({"Peak resident memory of `lumavert-cli encode` (ru_maxrss)", formatMebibytes(peakKb),
               "< " + formatMebibytes(kCliLimitKb), peakKb < kCliLimitKb});
}

} // namespace lumavert
