#pragma once

#include "config/TextFile.h"
#include "model/LightMode.h"

#include <filesystem>
#include <string>

namespace lumavert {

/// Why a configuration file was refused: which item, key and value, and what was allowed.
struct LoadRefusal {
    std::string section; ///< "Setting" or "ItemN"; empty when the file could not be read at all
    std::string key;
    std::string value;   ///< the text found, empty when the key was missing
    std::string allowed; ///< the accepted range or form, e.g. "1 to 100"

    /// One line for a person, e.g. `[Item2] Brightness = "0": allowed 1 to 100`.
    std::string describe() const;
};

// `maxModes` and `maxEntries` are kept within the model's limits of 20 modes and 18 entries.
// The step text of "Customize" holds two 2-digit fields and `maxEntries` 4-digit slots.

/// Loads a Mode set. The set is replaced only when the whole file is accepted; on refusal it
/// keeps what it held and, when `why` is given, the reason is written there.
bool loadModeSet(ModeSet& modes, const std::filesystem::path& path, int maxModes = kMaxModes,
                 int maxEntries = kMaxEntries, LoadRefusal* why = nullptr);

/// Saves a Mode set, keeping other sections and keys of an existing file. The file is written
/// whole beside the target and renamed over it, so a failure leaves the old file intact.
bool saveModeSet(const ModeSet& modes, const std::filesystem::path& path, int maxModes = kMaxModes,
                 int maxEntries = kMaxEntries);

/// As above, moving the finished file into place with `rename`.
bool saveModeSet(const ModeSet& modes, const std::filesystem::path& path, int maxModes,
                 int maxEntries, const RenameFile& rename);

} // namespace lumavert
