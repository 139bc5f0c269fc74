// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProcessStatus.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace lumavert {

namespace {

std::string readWholeFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

std::filesystem::path procFolder(pid_t pid) {
    return std::filesystem::path("/proc") / std::to_string(pid);
}

} // namespace

std::optional<long> statusField(std::string_view statusText, std::string_view field) {
    for (std::size_t start = 0; start < statusText.size();) {
        const std::size_t end = std::min(statusText.find('\n', start), statusText.size());
        const std::string_view line = statusText.substr(start, end - start);
        start = end + 1;
        if (!line.starts_with(field) || line.substr(field.size(), 1) != ":") {
            continue;
        }
        const std::string_view value = line.substr(field.size() + 1);
        const std::size_t digits = value.find_first_not_of(" \t");
        if (digits == std::string_view::npos) {
            return std::nullopt;
        }
        long number = 0;
        const auto [ignored, status] =
            std::from_chars(value.data() + digits, value.data() + value.size(), number);
        return status == std::errc() ? std::optional<long>(number) : std::nullopt;
    }
    return std::nullopt;
}

std::vector<ThreadSwitches> threadSwitches(pid_t pid) {
    std::vector<ThreadSwitches> threads;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(procFolder(pid) / "task", error)) {
        const std::string status = readWholeFile(task.path() / "status");
        ThreadSwitches thread;
        thread.tid = static_cast<pid_t>(std::stol(task.path().filename().string()));
        thread.name = firstLine(readWholeFile(task.path() / "comm"));
        thread.voluntary = statusField(status, "voluntary_ctxt_switches").value_or(0);
        thread.involuntary = statusField(status, "nonvoluntary_ctxt_switches").value_or(0);
        threads.push_back(thread);
    }
    std::sort(threads.begin(), threads.end(),
              [](const ThreadSwitches& a, const ThreadSwitches& b) { return a.tid < b.tid; });
    return threads;
}

WakeUps wakeUpsBetween(const std::vector<ThreadSwitches>& before,
                       const std::vector<ThreadSwitches>& after) {
    WakeUps wakeUps;
    for (const ThreadSwitches& later : after) {
        const auto earlier = std::find_if(before.begin(), before.end(),
                                          [&](const auto& t) { return t.tid == later.tid; });
        const long voluntary = later.voluntary - (earlier != before.end() ? earlier->voluntary : 0);
        const long involuntary =
            later.involuntary - (earlier != before.end() ? earlier->involuntary : 0);
        if (voluntary + involuntary > 0) {
            wakeUps.threads.push_back(later.name + " (" + std::to_string(voluntary + involuntary) +
                                      ")");
        }
        wakeUps.voluntary += voluntary;
        wakeUps.involuntary += involuntary;
    }
    return wakeUps;
}

std::optional<long> peakResidentKb(pid_t pid) {
    return statusField(readWholeFile(procFolder(pid) / "status"), "VmHWM");
}

} // namespace lumavert
