// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/LightMode.h"

#include <filesystem>
#include <string>

namespace lumavert {

/// Largest Mode set file read or replaced; a saved one is about 2 KiB.
constexpr std::size_t kMaxModeSetFileSize = std::size_t{1} << 20;

/// Why a configuration file was refused: which item, key and value, and what was allowed.
struct LoadRefusal {
    std::string section; ///< "Setting" or "ItemN"; empty when the file could not be read at all
    std::string key;
    std::string value;   ///< the text found, empty when the key was missing
    std::string allowed; ///< the accepted range or form, e.g. "1 to 100"; or why the file could
                         ///< not be read, naming it: "PATH: No such file or directory"

    /// One line for a person, e.g. `[Item2] Brightness = "0": allowed 1 to 100`.
    std::string describe() const;
};

// `maxModes` and `maxEntries` are kept within the model's limits of 20 modes and 18 entries.
// The step text of "Customize" holds two 2-digit fields and `maxEntries` 4-digit slots.

/// Loads a Mode set. The set is replaced only when the whole file is accepted; on refusal it
/// keeps what it held and, when `why` is given, the reason is written there. Only a regular file
/// of at most kMaxModeSetFileSize bytes in an 8-bit encoding is read.
bool loadModeSet(ModeSet& modes, const std::filesystem::path& path, int maxModes = kMaxModes,
                 int maxEntries = kMaxEntries, LoadRefusal* why = nullptr);

/// Saves a Mode set, keeping other sections and keys of an existing file, with replaceFile: a
/// failure leaves the old file intact. An existing file that a load would not read (too large,
/// UTF-16, not a regular file) is not replaced, nor is a file written that would be too large. On
/// failure, when `why` is given, the reason is written there, naming the file.
bool saveModeSet(const ModeSet& modes, const std::filesystem::path& path, int maxModes = kMaxModes,
                 int maxEntries = kMaxEntries, std::string* why = nullptr);

} // namespace lumavert
