// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/LightMode.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <sanitizer/allocator_interface.h>
#include <unistd.h>

namespace lumavert {

/// Stops the run with the property that failed, so that libFuzzer keeps the input as a crash.
inline void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

namespace allocation {
inline thread_local std::ptrdiff_t held = 0;
inline thread_local std::ptrdiff_t peak = 0;
inline void onMalloc(const volatile void*, std::size_t size) {
    held += static_cast<std::ptrdiff_t>(size);
    peak = std::max(peak, held);
}
inline void onFree(const volatile void* block) {
    held -= static_cast<std::ptrdiff_t>(__sanitizer_get_allocated_size(block));
}
} // namespace allocation

/// Runs `work` and returns the most this thread held at once beyond what it held before, as
/// the sanitizer's allocator counts it.
template <typename Work>
std::size_t peakAllocation(Work&& work) {
    static const bool hooked =
        __sanitizer_install_malloc_and_free_hooks(allocation::onMalloc, allocation::onFree) != 0;
    require(hooked, "the allocator takes hooks");
    const std::ptrdiff_t before = allocation::held;
    allocation::peak = before;
    work();
    return static_cast<std::size_t>(allocation::peak - before);
}

/// True when a configuration file holding the mode would be accepted: every value within the
/// ranges a load allows.
inline bool withinLoadRanges(const LightMode& mode) {
    const auto within = [](std::int32_t value, std::int32_t low, std::int32_t high) {
        return value >= low && value <= high;
    };
    return within(mode.kind, 1, 3) && within(mode.brightness, 1, 100) &&
           within(mode.frequency, 1, 40) && within(mode.minutes, 0, 20) &&
           mode.steps.size() <= kMaxEntries &&
           std::ranges::all_of(mode.steps,
                               [&](std::int32_t entry) { return within(entry, 50, 3000); });
}

/// A folder of this process's own for the files an input is written to, removed at exit. On
/// tmpfs where there is one, so that a run costs no disk writes.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::error_code error;
        const std::filesystem::path shm = "/dev/shm";
        const std::filesystem::path base = std::filesystem::is_directory(shm, error)
                                               ? shm
                                               : std::filesystem::temp_directory_path();
        folder_ = base / ("lumavert-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path path(std::string_view name) const { return folder_ / name; }

    /// Replaces the file `name` by `bytes` and returns its path.
    std::filesystem::path write(std::string_view name, std::string_view bytes) const {
        const std::filesystem::path file = path(name);
        std::ofstream(file, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

  private:
    std::filesystem::path folder_;
};

} // namespace lumavert
