// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the tests share: a scratch folder, Mode sets and their images.

#include "device/DeviceImageCodec.h"
#include "model/LightMode.h"
#include "model/Presets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumavert {

/// A fresh folder for one test, removed afterwards. Names may also be absolute paths.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = std::filesystem::temp_directory_path() / "lumavert-test-XXXXXX";
        EXPECT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path(const std::string& name) const { return (root_ / name).string(); }

    /// Writes `bytes` to the file `name` and gives its path.
    std::string put(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }

    std::string read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    /// The folder's entries, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(root_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    /// Removes every entry.
    void clear() const {
        for (const std::string& name : names()) {
            std::filesystem::remove_all(root_ / name);
        }
    }

  private:
    std::filesystem::path root_;
};

inline ModeSet presetModes(Preset preset) {
    ModeSet modes;
    applyPreset(preset, modes);
    return modes;
}

inline DeviceImage imageOf(const ModeSet& modes) {
    DeviceImage image{};
    encodeDeviceImage(modes, image);
    return image;
}

inline LightMode steadyMode(int percent) {
    LightMode mode;
    mode.brightness = percent;
    mode.steps.clear();
    return mode;
}

inline LightMode strobeMode(int hertz) {
    LightMode mode = steadyMode(5);
    mode.kind = KindFrequency;
    mode.frequency = hertz;
    return mode;
}

/// A custom mode with these durations (lighting, dimming, lighting, ...).
inline LightMode customSteps(std::vector<std::int32_t> steps, int minutes = 0) {
    return {KindCustomize, 5, 1, minutes, std::move(steps), 0};
}

/// What a file gives back: it keeps no S.O.S mark.
inline ModeSet withoutSosMarks(ModeSet modes) {
    for (LightMode& mode : modes) {
        mode.sos = 0;
    }
    return modes;
}

} // namespace lumavert
