// Any bytes as a configuration file. Reading never fails badly: a refused file leaves the set as
// it was, an accepted one lies within the load ranges, and what the reader writes back reads the
// same. Saving over any existing file keeps it loadable as exactly the set saved.

#include "FuzzSupport.h"
#include "config/IniFile.h"
#include "config/ModeSetFile.h"
#include "model/Presets.h"

#include <cstddef>
#include <cstdint>

using namespace lumavert;

namespace {

const char* const kSections[] = {"Setting", "Item1", "Item2", "Item20"};
const char* const kKeys[] = {"Count", "Mode", "Brightness", "Luminance", "Frequency", "Customize"};

void checkReaderRoundTrip(std::string_view text) {
    const IniFile ini(text);
    const IniFile again(ini.text());
    for (const char* section : kSections) {
        for (const char* key : kKeys) {
            require(ini.value(section, key) == again.value(section, key),
                    "the reader's own text reads back the same");
            require(ini.value(section, key).size() <= IniFile::kMaxValueLength,
                    "values are cut to the platform's buffer");
        }
    }
}

ModeSet withoutSosMarks(ModeSet modes) {
    for (LightMode& mode : modes) {
        mode.sos = 0;
    }
    return modes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder scratch;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkReaderRoundTrip(text);

    const auto file = scratch.write("input.ini", text);
    ModeSet outdoor;
    applyPreset(Preset::Outdoor, outdoor);
    ModeSet modes = outdoor;
    LoadRefusal why;
    const bool loaded = loadModeSet(modes, file, kMaxModes, kMaxEntries, &why);
    if (loaded) {
        require(modes.size() <= kMaxModes, "at most 20 modes load");
        require(std::ranges::all_of(modes, withinLoadRanges), "loaded values are in range");
        require(std::ranges::none_of(modes, [](const LightMode& m) { return m.sos != 0; }),
                "the file carries no S.O.S mark");
    } else {
        require(modes == outdoor, "a refused file leaves the set as it was");
        require(!why.describe().empty(), "a refusal says why");
    }

    // Whatever the file held, the set saved over it is what the next load gives.
    const ModeSet saved = loaded ? modes : outdoor;
    require(saveModeSet(saved, file), "a regular file is saved");
    ModeSet back;
    require(loadModeSet(back, file, kMaxModes, kMaxEntries, &why), "a saved file loads");
    require(back == withoutSosMarks(saved), "save then load gives the saved set");
    return 0;
}
