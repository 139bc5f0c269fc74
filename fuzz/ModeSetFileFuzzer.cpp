// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as a configuration file. Reading never fails badly and holds a small multiple of the
// file: a refused file leaves the set as it was, an accepted one lies within the load ranges.
// Saving over any file the loader reads keeps every section and key the save does not write,
// and gives a file that loads as exactly the set saved.

#include "FuzzSupport.h"
#include "config/IniFile.h"
#include "config/ModeSetFile.h"
#include "model/Presets.h"

#include <cstddef>
#include <cstdint>
#include <iterator>

using namespace lumavert;

namespace {

// Sections and keys a save leaves alone; the dictionary has words for them.
const char* const kOtherSections[] = {"Other", "Item21", "Settings", "Item0"};
const char* const kOtherKeys[] = {"Note", "Count", "Mode", "Customize"};
const char* const kItemKeys[] = {"Note", "Luminance", "Mode2"};

// The most a load may hold beyond ten times the file: the set, the lookups' strings.
constexpr std::size_t kLoadOverhead = 64 * 1024;

ModeSet withoutSosMarks(ModeSet modes) {
    for (LightMode& mode : modes) {
        mode.sos = 0;
    }
    return modes;
}

std::string readBack(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void checkOthersKept(const IniFile& before, const IniFile& after) {
    for (const char* section : kOtherSections) {
        for (const char* key : kOtherKeys) {
            require(before.value(section, key) == after.value(section, key),
                    "a save keeps the sections it does not write");
        }
    }
    for (const char* section : {"Setting", "Item1", "Item20"}) {
        for (const char* key : kItemKeys) {
            require(before.value(section, key) == after.value(section, key),
                    "a save keeps the keys it does not write");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder scratch;
    const std::string text(reinterpret_cast<const char*>(data), size);
    require(IniFile(text).text() == text, "the reader keeps every byte");

    const auto file = scratch.write("input.ini", text);
    ModeSet outdoor;
    applyPreset(Preset::Outdoor, outdoor);
    ModeSet modes = outdoor;
    LoadRefusal why;
    bool loaded = false;
    const std::size_t held =
        peakAllocation([&] { loaded = loadModeSet(modes, file, kMaxModes, kMaxEntries, &why); });
    require(held <= 10 * size + kLoadOverhead, "a load holds less than ten times the file");
    if (loaded) {
        require(modes.size() <= kMaxModes, "at most 20 modes load");
        require(std::ranges::all_of(modes, withinLoadRanges), "loaded values are in range");
        require(std::ranges::none_of(modes, [](const LightMode& m) { return m.sos != 0; }),
                "the file carries no S.O.S mark");
    } else {
        require(modes == outdoor, "a refused file leaves the set as it was");
        require(!why.describe().empty(), "a refusal says why");
    }

    // Whatever the file held, the set saved over it is what the next load gives, unless a load
    // does not read the file at all or the save would make it too large: it then stays as it was.
    const ModeSet saved = loaded ? modes : outdoor;
    std::string saveError;
    if (!saveModeSet(saved, file, kMaxModes, kMaxEntries, &saveError)) {
        require(why.section.empty() || saveError.find(" would be ") != std::string::npos,
                "only a file a load cannot read, or one that would grow too large, is not saved");
        require(readBack(file) == text, "a file that is not saved stays as it was");
        return 0;
    }
    checkOthersKept(IniFile(text), IniFile(readBack(file)));
    ModeSet back;
    require(loadModeSet(back, file, kMaxModes, kMaxEntries, &why), "a saved file loads");
    require(back == withoutSosMarks(saved), "save then load gives the saved set");
    return 0;
}
