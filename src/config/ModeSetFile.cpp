// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/ModeSetFile.h"

#include "config/IniFile.h"
#include "files/RegularFile.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

namespace lumavert {

namespace {

constexpr std::string_view kSettingSection = "Setting";
constexpr std::string_view kCountKey = "Count";
constexpr std::string_view kModeKey = "Mode";
constexpr std::string_view kBrightnessKey = "Brightness";
constexpr std::string_view kLuminanceKey = "Luminance";
constexpr std::string_view kFrequencyKey = "Frequency";
constexpr std::string_view kCustomizeKey = "Customize";

constexpr int kFieldWidth = 2;
constexpr int kSlotWidth = 4;
constexpr std::int32_t kUnusedSlot = 50;

struct Range {
    std::int32_t low;
    std::int32_t high;

    bool contains(std::int32_t value) const { return value >= low && value <= high; }
    std::string describe() const { return std::to_string(low) + " to " + std::to_string(high); }
};

constexpr Range kKindRange{1, 3};
constexpr Range kBrightnessRange{1, 100};
constexpr Range kFrequencyRange{1, 40};
constexpr Range kMinutesRange{0, 20};
constexpr Range kDurationRange{50, 3000};

struct Limits {
    int modes;
    int entries;
};

Limits clampedLimits(int maxModes, int maxEntries) {
    return {std::clamp(maxModes, 0, kMaxModes), std::clamp(maxEntries, 0, kMaxEntries)};
}

std::size_t stepTextLength(const Limits& limits) {
    return static_cast<std::size_t>(2 * kFieldWidth + kSlotWidth * limits.entries);
}

std::string itemSection(int number) {
    return "Item" + std::to_string(number);
}

/// Decimal text read like the C library's atoi, except that a value beyond 32 bits is refused.
std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
        ++at;
    }
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        ++at;
    }
    std::int64_t magnitude = 0;
    constexpr std::int64_t kLargest = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > kLargest) {
            return std::nullopt;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

// Reads one Mode set out of an INI text, recording the first thing it refuses.
class ModeSetReader {
  public:
    ModeSetReader(const IniFile& ini, const Limits& limits)
        : ini_(ini)
        , limits_(limits) {}

    bool read(ModeSet& modes) {
        std::int32_t count = 0;
        if (!readKey(std::string(kSettingSection), kCountKey, Range{0, limits_.modes}, count)) {
            return false;
        }
        for (int number = 1; number <= count; ++number) {
            LightMode mode;
            if (!readItem(itemSection(number), mode)) {
                return false;
            }
            modes.push_back(std::move(mode));
        }
        return true;
    }

    const LoadRefusal& refusal() const { return refusal_; }

  private:
    bool refuse(const std::string& section, std::string_view key, std::string_view value,
                std::string allowed) {
        refusal_ = {section, std::string(key), std::string(value), std::move(allowed)};
        return false;
    }

    bool accept(const std::string& section, std::string_view key, std::string_view text,
                const Range& range, std::int32_t& out, std::string_view field = {}) {
        const std::optional<std::int32_t> value = parseInteger(text);
        if (text.empty() || !value || !range.contains(*value)) {
            return refuse(section, key, text, std::string(field) + range.describe());
        }
        out = *value;
        return true;
    }

    bool readKey(const std::string& section, std::string_view key, const Range& range,
                 std::int32_t& out) {
        return accept(section, key, ini_.value(section, key), range, out);
    }

    // "Luminance" stands in when "Brightness" is missing or empty.
    bool readBrightness(const std::string& section, std::int32_t& out) {
        const std::string brightness = ini_.value(section, kBrightnessKey);
        if (brightness.empty() && !ini_.value(section, kLuminanceKey).empty()) {
            return readKey(section, kLuminanceKey, kBrightnessRange, out);
        }
        return accept(section, kBrightnessKey, brightness, kBrightnessRange, out);
    }

    bool readStepField(const std::string& section, std::string_view text, std::size_t first,
                       std::size_t width, const Range& range, std::string_view what,
                       std::int32_t& out) {
        const std::string field = std::string(what) + " (characters " + std::to_string(first + 1) +
                                  "-" + std::to_string(first + width) + ") ";
        return accept(section, kCustomizeKey, text.substr(first, width), range, out, field);
    }

    bool readSteps(const std::string& section, LightMode& mode) {
        const std::string text = ini_.value(section, kCustomizeKey);
        if (text.size() != stepTextLength(limits_)) {
            return refuse(section, kCustomizeKey, text,
                          "exactly " + std::to_string(stepTextLength(limits_)) + " characters");
        }
        std::int32_t count = 0;
        if (!readStepField(section, text, 0, kFieldWidth, kMinutesRange, "minutes", mode.minutes) ||
            !readStepField(section, text, kFieldWidth, kFieldWidth, Range{0, limits_.entries},
                           "entry count", count)) {
            return false;
        }
        mode.steps.assign(static_cast<std::size_t>(count), 0);
        for (std::size_t k = 0; k < mode.steps.size(); ++k) {
            if (!readStepField(section, text, 2 * kFieldWidth + kSlotWidth * k, kSlotWidth,
                               kDurationRange, "duration", mode.steps[k])) {
                return false;
            }
        }
        return true;
    }

    bool readItem(const std::string& section, LightMode& mode) {
        return readKey(section, kModeKey, kKindRange, mode.kind) &&
               readBrightness(section, mode.brightness) &&
               readKey(section, kFrequencyKey, kFrequencyRange, mode.frequency) &&
               readSteps(section, mode);
    }

    const IniFile& ini_;
    Limits limits_;
    LoadRefusal refusal_;
};

std::string zeroPadded(std::int32_t value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, static_cast<int>(value));
    return text;
}

// Slots past the mode's entries hold 50 ms, which is never read back.
std::string stepText(const LightMode& mode, const Limits& limits) {
    std::string text =
        zeroPadded(mode.minutes, kFieldWidth) + zeroPadded(entryCount(mode), kFieldWidth);
    for (const std::int32_t entry : mode.steps) {
        text += zeroPadded(entry, kSlotWidth);
    }
    for (int slot = entryCount(mode); slot < limits.entries; ++slot) {
        text += zeroPadded(kUnusedSlot, kSlotWidth);
    }
    return text;
}

void writeItem(IniFile& ini, int number, const LightMode& mode, const Limits& limits) {
    const std::string section = itemSection(number);
    ini.setValue(section, kModeKey, std::to_string(mode.kind));
    ini.setValue(section, kBrightnessKey, std::to_string(mode.brightness));
    ini.setValue(section, kFrequencyKey, std::to_string(mode.frequency));
    ini.setValue(section, kCustomizeKey, stepText(mode, limits));
}

// Items past the set's end are overwritten so that modes of an older, longer set do not return.
LightMode placeholderMode() {
    LightMode mode;
    mode.brightness = 1;
    mode.steps.clear();
    return mode;
}

void writeModeSet(IniFile& ini, const ModeSet& modes, const Limits& limits) {
    ini.setValue(kSettingSection, kCountKey, std::to_string(modeCount(modes)));
    for (int i = 0; i < modeCount(modes); ++i) {
        writeItem(ini, i + 1, modes[static_cast<std::size_t>(i)], limits);
    }
    const LightMode placeholder = placeholderMode();
    for (int number = modeCount(modes) + 1; number <= limits.modes; ++number) {
        writeItem(ini, number, placeholder, limits);
    }
}

bool isUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// The text of a Mode set file, or why it is none: the platform would read a UTF-16 file as such
// and write it back so, and ASCII written into it would corrupt it for every reader.
FileContents readModeSetText(const std::filesystem::path& path) {
    FileContents contents = readRegularFile(path, kMaxModeSetFileSize);
    if (contents.status == FileContents::Status::TooLarge) {
        contents.error = path.string() + " is " + std::to_string(contents.size) +
                         " bytes; a Mode set file is at most 1 MiB";
    } else if (contents.status == FileContents::Status::Read && isUtf16(contents.bytes)) {
        contents.status = FileContents::Status::Refused;
        contents.error = path.string() + ": holds UTF-16 text; a Mode set file is 8-bit text";
    }
    return contents;
}

} // namespace

std::string LoadRefusal::describe() const {
    if (section.empty()) {
        return allowed;
    }
    return "[" + section + "] " + key + " = \"" + value + "\": allowed " + allowed;
}

bool loadModeSet(ModeSet& modes, const std::filesystem::path& path, int maxModes, int maxEntries,
                 LoadRefusal* why) {
    FileContents contents = readModeSetText(path);
    if (contents.status != FileContents::Status::Read) {
        if (why) {
            *why = {{}, {}, {}, contents.error};
        }
        return false;
    }
    const IniFile ini(std::move(contents.bytes));
    ModeSetReader reader(ini, clampedLimits(maxModes, maxEntries));
    ModeSet loaded;
    if (!reader.read(loaded)) {
        if (why) {
            *why = reader.refusal();
        }
        return false;
    }
    modes = std::move(loaded);
    return true;
}

bool saveModeSet(const ModeSet& modes, const std::filesystem::path& path, int maxModes,
                 int maxEntries, std::string* why) {
    const auto refuse = [why](const std::string& error) {
        if (why) {
            *why = error;
        }
        return false;
    };
    FileContents existing = readModeSetText(path);
    if (existing.status != FileContents::Status::Read &&
        existing.status != FileContents::Status::Missing) {
        return refuse(existing.error);
    }
    IniFile ini(std::move(existing.bytes)); // empty for a new file
    writeModeSet(ini, modes, clampedLimits(maxModes, maxEntries));
    const std::string text = ini.text();
    if (text.size() > kMaxModeSetFileSize) {
        // A file that the next load would refuse is no save.
        return refuse(path.string() + " would be " + std::to_string(text.size()) +
                      " bytes; a Mode set file is at most 1 MiB");
    }
    std::string error;
    return replaceFile(path, text, error) || refuse(error);
}

} // namespace lumavert
