// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The configuration file: how its text is read and written, and the Mode set file on it.

#include "config/IniFile.h"
#include "config/ModeSetFile.h"

#include "AllocationMeter.h"
#include "TestSupport.h"

#include <array>

namespace lumavert {
namespace {

namespace fs = std::filesystem;
constexpr std::size_t kMiB = kMaxModeSetFileSize;

// ---- The INI text ----

// Each text is read with every line end, with and without a UTF-8 byte order mark.
TEST(IniFileRead, ValuesReadByTheProfileRules) {
    const struct {
        const char* name;
        std::string text;
        const char* section;
        const char* key;
        std::string value;
    } cases[] = {
        {"blanks around names and values", "[ \tA\t ]\n \tCount =\t 7 \t\n", "a", "count", "7"},
        {"a comment", "[A]\n;x=2\n", "A", ";x", ""},
        {"a missing section", "[A]\nx=1\n", "B", "x", ""},
        {"the first duplicate key wins", "[A]\nx=1\nX=2\n", "A", "x", "1"},
        {"the first duplicate section wins", "[A]\nx=1\n[B]\n[a]\nx=3\ny=4\n", "A", "y", ""},
        {"one pair of quotes is dropped", "[A]\nx=\"12\"\n", "A", "x", "12"},
        {"single quotes too", "[A]\nx='ab'\n", "A", "x", "ab"},
        {"unpaired quotes stay", "[A]\nx=\"q'\n", "A", "x", "\"q'"},
        {"a lone quote stays", "[A]\nx=\"\n", "A", "x", "\""},
        {"a line without '=' is a key with an empty value", "[A]\nx\nx=1\n", "A", "x", ""},
        {"VT, FF and ^Z are blanks", "[\vA\f]\n\x1Ax\v=\f4\x1A\n", "A", "x", "4"},
        {"a value ends at a NUL byte", std::string("[A]\nx=5\0junk\n", 12), "A", "x", "5"},
        {"blanks before the NUL go too", std::string("[A]\nx=6 \0 7\n", 11), "A", "x", "6"},
        {"long values are cut as the platform's buffer does",
         "[A]\nx=" + std::string(2000, '7') + "\n", "A", "x",
         std::string(IniFile::kMaxValueLength, '7')},
    };
    for (const auto& c : cases) {
        for (const std::string end : {"\n", "\r\n", "\r"}) {
            for (const std::string start : {"", "\xEF\xBB\xBF"}) {
                std::string text = start;
                for (const char byte : c.text) {
                    text += byte == '\n' ? end : std::string(1, byte);
                }
                EXPECT_EQ(IniFile(text).value(c.section, c.key), c.value)
                    << c.name << ", line end " << end.size() << ", bom " << !start.empty();
            }
        }
    }
}

TEST(IniFileWrite, AWriteTouchesOnlyItsOwnLine) {
    const struct {
        const char* name;
        std::string text;
        std::vector<std::array<const char*, 3>> writes; // section, key, value
        std::string written;
    } cases[] = {
        {"new text is plain lines with CRLF",
         "",
         {{"Setting", "Count", "1"}, {"Item1", "Mode", "2"}, {"Setting", "Extra", "x"}},
         "[Setting]\r\nCount=1\r\nExtra=x\r\n[Item1]\r\nMode=2\r\n"},
        {"in place, keeping every other byte",
         "; header\n[window]\n  left = 10 \r\n\n[setting]\ncount = 5\ntheme=dark",
         {{"Setting", "Count", "3"}},
         "; header\n[window]\n  left = 10 \r\n\n[setting]\ncount=3\ntheme=dark"},
        {"new lines end as the text's lines do",
         "[A]\nx=1\n\n[B]\ny=2",
         {{"a", "z", "3"}, {"C", "w", "4"}, {"B", "v", "5"}},
         "[A]\nx=1\nz=3\n\n[B]\ny=2\nv=5\n[C]\nw=4\n"},
        {"the first line of the name, even without '='",
         "[A]\r\nx\r\nx=2\r\n[a]\r\nx=3\r\n",
         {{"A", "X", "9"}},
         "[A]\r\nx=9\r\nx=2\r\n[a]\r\nx=3\r\n"},
        {"the byte order mark stays",
         "\xEF\xBB\xBF[A]\r\nx=1\r\n",
         {{"A", "x", "2"}},
         "\xEF\xBB\xBF[A]\r\nx=2\r\n"},
    };
    for (const auto& c : cases) {
        IniFile ini(c.text);
        for (const auto& [section, key, value] : c.writes) {
            ini.setValue(section, key, value);
            EXPECT_EQ(ini.value(section, key), value) << c.name;
        }
        EXPECT_EQ(ini.text(), c.written) << c.name;
    }
}

// ---- The Mode set file ----

std::string repeated(std::string_view text, std::size_t times) {
    std::string result;
    for (std::size_t i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

// Fills what `tail` leaves of `size` bytes with `line`.
std::string filledWith(std::string_view line, const std::string& tail, std::size_t size = kMiB) {
    return repeated(line, (size - tail.size()) / line.size()) + tail;
}

const std::string kSlots = repeated("0050", 16);
const std::string kPlaceholderSteps = "0000" + kSlots + "00500050";
const std::string kOneStep = "050205001200" + kSlots; // 5 minutes, 500 ms lit, 1200 ms dim

LightMode customMode(int minutes = 5, std::vector<std::int32_t> steps = {500, 1200}) {
    return customSteps(std::move(steps), minutes);
}

const ModeSet kValidSet{steadyMode(50), customMode()};

/// The file of kValidSet, as a person might write it.
IniFile validIni() {
    return IniFile("[Setting]\r\nCount=2\r\n[Item1]\r\nMode=1\r\nBrightness=50\r\nFrequency=1\r\n"
                   "Customize=" +
                   kPlaceholderSteps +
                   "\r\n[Item2]\r\nMode=3\r\nBrightness=5\r\n"
                   "Frequency=1\r\nCustomize=" +
                   kOneStep + "\r\n");
}

class ModeSetFileTest : public testing::Test {
  protected:
    /// Loads the file into a set of one mode; gives why it was refused, or "" when it loaded.
    std::string load(ModeSet& modes, const std::string& name) const {
        modes = {steadyMode(77)};
        LoadRefusal why;
        if (loadModeSet(modes, folder_.path(name), kMaxModes, kMaxEntries, &why)) {
            return "";
        }
        EXPECT_EQ(modes, ModeSet{steadyMode(77)}) << "a refused file leaves the set as it was";
        return why.describe();
    }

    ScratchFolder folder_;
};

TEST_F(ModeSetFileTest, EachValueIsReadLikeAtoiAndRefusedOutsideItsRange) {
    const std::string junk = repeated("xx!?", 15);
    const std::vector<std::int32_t> steps{500, 1200, 3000};
    const LightMode on = steadyMode(50);
    const struct {
        std::string edits;   // "Section.Key=value" or, for a line that goes, "Section.Key"; by ';'
        std::string allowed; // of the last edit's key; empty: loads as `loaded`
        std::string refused = "="; // the value the refusal names, when not the whole value
        ModeSet loaded = {};
    } cases[] = {
        {"", "", "", kValidSet},
        {"Setting.Count", "0 to 20"},
        {"Setting.Count=-1", "0 to 20"},
        {"Setting.Count=21", "0 to 20"},
        {"Setting.Count=4294967298", "0 to 20"},
        {"Item1.Mode", "1 to 3"},
        {"Item2.Mode=0", "1 to 3"},
        {"Item2.Mode=4", "1 to 3"},
        {"Item2.Brightness=0", "1 to 100"},
        {"Item1.Brightness=101", "1 to 100"},
        {"Item1.Brightness=", "1 to 100"},
        {"Item1.Frequency", "1 to 40"},
        {"Item1.Frequency=0", "1 to 40"},
        {"Item1.Frequency=41", "1 to 40"},
        {"Item1.Customize", "exactly 76 characters"},
        {"Item2.Customize=" + kOneStep.substr(1), "exactly 76 characters"},
        {"Item2.Customize=" + kOneStep + "0", "exactly 76 characters"},
        {"Item2.Customize=210205001200" + kSlots, "minutes (characters 1-2) 0 to 20", "21"},
        {"Item2.Customize=051905001200" + kSlots, "entry count (characters 3-4) 0 to 18", "19"},
        {"Item2.Customize=050200491200" + kSlots, "duration (characters 5-8) 50 to 3000", "0049"},
        {"Item2.Customize=050205003001" + kSlots, "duration (characters 9-12) 50 to 3000", "3001"},
        {"Item1.Brightness=;Item1.Luminance=0", "1 to 100"},
        // Accepted: what atoi reads, corners the editor never writes, and Luminance standing in
        // for a missing Brightness, never for a present one.
        {"Setting.Count=0", ""},
        {"Setting.Count=none", ""},
        {"Setting.Count= +0x5", ""},
        {"Setting.Count=1 mode", "", "", {steadyMode(50)}},
        {"Setting.Count=1;Item2.Mode=99", "", "", {steadyMode(50)}},
        {"Item1.Brightness=+42%", "", "", {steadyMode(42), customMode()}},
        {"Item2.Customize=2003050012003000" + junk, "", "", {on, customMode(20, steps)}},
        {"Item2.Customize=0000" + repeated("zzzz", 18), "", "", {on, customMode(0, {})}},
        {"Item1.Brightness;Item1.Luminance=70", "", "", {steadyMode(70), customMode()}},
        {"Item1.Brightness=;Item1.Luminance=80", "", "", {steadyMode(80), customMode()}},
        {"Item1.Luminance=80", "", "", kValidSet},
    };
    for (const auto& c : cases) {
        IniFile ini = validIni();
        std::string refusal;
        std::istringstream edits(c.edits);
        for (std::string edit; std::getline(edits, edit, ';');) {
            const std::size_t dot = edit.find('.');
            const std::size_t equals = std::min(edit.find('='), edit.size());
            const std::string section = edit.substr(0, dot);
            const std::string key = edit.substr(dot + 1, equals - dot - 1);
            const std::string value = edit.substr(std::min(equals + 1, edit.size()));
            if (equals < edit.size()) {
                ini.setValue(section, key, value);
            } else { // the key's line goes
                std::string text = ini.text();
                const std::size_t at = text.find(key + "=", text.find(section));
                ini = IniFile(text.erase(at, text.find('\n', at) + 1 - at));
            }
            refusal = "[" + section + "] " + key + " = \"" +
                      (c.refused == "=" ? value : c.refused) + "\": allowed " + c.allowed;
        }
        ModeSet modes;
        EXPECT_EQ(load(modes, folder_.put("config.ini", ini.text())),
                  c.allowed.empty() ? "" : refusal);
        if (c.allowed.empty()) {
            EXPECT_EQ(modes, c.loaded) << c.edits;
        }
    }
}

// What a load refuses or accepts, and what a save over the file then does: it replaces what a
// load would read, filling what the load found empty, and leaves any other file as it was.
TEST_F(ModeSetFileTest, LoadAndSaveOfForeignHugeAndBrokenFiles) {
    fs::create_directory(folder_.path("folder"));
    ASSERT_EQ(::mkfifo(folder_.path("fifo").c_str(), 0600), 0);
    fs::resize_file(folder_.put("big", ""), kMiB + 1); // sparse: no disk is used
    folder_.put("empty", "");
    std::mt19937 random(6); // fixed: the same garbage on every run
    std::string garbage(64 * 1024, '\0');
    for (char& byte : garbage) {
        byte = static_cast<char>(random());
    }
    const std::string valid = validIni().text();
    const std::size_t almostMiB = kMiB - 4096; // leaves room for what a save adds
    const std::string tooLarge = "@ is 1048577 bytes; a Mode set file is at most 1 MiB";
    const struct {
        std::string name;    // a file of the scratch folder or of the regressions folder
        std::string bytes;   // written unless empty
        std::string refusal; // "@" stands for the path; empty: loads as `loaded`
        bool kept = false;   // a save leaves the file as it was
        ModeSet loaded = {};
    } cases[] = {
        {"missing", "", "@: No such file or directory"},
        {"folder", "", "@: is a directory, not a regular file", true},
        {"fifo", "", "@: is a FIFO, not a regular file", true},
        {"big", "", tooLarge, true},
        {"one byte over 1 MiB", filledWith("\n", valid, kMiB + 1), tooLarge, true},
        {"line-without-equals-hides-a-later-key.ini", "", R"([Item1] Mode = "": allowed 1 to 3)"},
        {"control-characters-around-values.ini", "", "", false, {steadyMode(50), customMode()}},
        {"nul-ends-a-value.ini", "", "", false, {customMode()}},
        {"utf16le-with-byte-order-mark.ini", "",
         "@: holds UTF-16 text; a Mode set file is 8-bit text", true},
        {"empty", "", R"([Setting] Count = "": allowed 0 to 20)"},
        {"garbage", garbage, R"([Setting] Count = "": allowed 0 to 20)"},
        {"garbage after a valid file", valid + garbage, "", false, kValidSet},
        {"a line of almost 1 MiB first", std::string(almostMiB - valid.size(), 'x') + "\n" + valid,
         "", false, kValidSet},
        {"a number of almost 1 MiB", "[Setting]\r\nCount=" + std::string(almostMiB, '9'),
         "[Setting] Count = \"" + std::string(IniFile::kMaxValueLength, '9') +
             "\": allowed 0 to 20"},
        {"1 MiB of pasted files", filledWith(valid + "[Item1]\r\nMode=9\r\n", valid, almostMiB), "",
         false, kValidSet},
        {"1 MiB of line ends first", filledWith("\n", valid, almostMiB), "", false, kValidSet},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.name.ends_with(".ini")) {
            fs::copy_file(fs::path(LUMAVERT_REGRESSIONS) / c.name, folder_.path(c.name));
        } else if (!c.bytes.empty()) {
            folder_.put(c.name, c.bytes);
        }
        const std::string path = folder_.path(c.name);
        const std::string old = fs::is_regular_file(path) ? folder_.read(c.name) : "";
        std::string refusal = c.refusal;
        if (refusal.starts_with("@")) {
            refusal.replace(0, 1, path);
        }
        ModeSet modes;
        EXPECT_EQ(load(modes, c.name), refusal);
        EXPECT_EQ(modes, refusal.empty() ? c.loaded : ModeSet{steadyMode(77)});
        std::string error;
        const ModeSet outdoor = presetModes(Preset::Outdoor);
        EXPECT_EQ(saveModeSet(outdoor, path, kMaxModes, kMaxEntries, &error), !c.kept);
        EXPECT_EQ(error, c.kept ? refusal : "");
        EXPECT_EQ(load(modes, c.name), c.kept ? refusal : "");
        if (c.kept) {
            EXPECT_EQ(fs::is_regular_file(path) ? folder_.read(c.name) : "", old);
        }
        EXPECT_EQ(modes, c.kept ? ModeSet{steadyMode(77)} : withoutSosMarks(outdoor));
    }
}

TEST_F(ModeSetFileTest, LoadingHoldsLessThanTenTimesTheFileAndNothingOfARefusedOne) {
    const std::string valid = validIni().text();
    const struct {
        const char* name;
        std::string bytes; // empty: a sparse file of 4 GiB
        std::size_t most;  // bytes held at once
    } cases[] = {
        {"line ends", filledWith("\n", valid), 10 * kMiB},
        {"keys without values", "[Filler]\n" + filledWith("a\n", valid, kMiB - 9), 10 * kMiB},
        {"empty sections", filledWith("[]\n", valid), 10 * kMiB},
        {"pasted configuration files", filledWith(valid, valid), 10 * kMiB},
        {"a 4 GiB file", {}, 64 * 1024},
    };
    for (const auto& shape : cases) {
        const std::string file = folder_.put("config.ini", shape.bytes);
        if (shape.bytes.empty()) {
            fs::resize_file(file, std::uintmax_t{4} << 30); // sparse: no disk is used
        }
        ModeSet modes;
        const std::size_t peak = allocation::peakOf([&] { loadModeSet(modes, file); });
        EXPECT_LT(peak, shape.most) << shape.name << ", " << shape.bytes.size() << " bytes";
    }
}

TEST_F(ModeSetFileTest, SavedFileHoldsTheItemsInOrderThenPlaceholdersAndKeepsOtherKeys) {
    const ModeSet modes{steadyMode(5), customMode()};
    ASSERT_TRUE(saveModeSet(modes, folder_.path("new.ini")));
    const std::string text = folder_.read("new.ini");
    EXPECT_TRUE(text.starts_with(
        "[Setting]\r\nCount=2\r\n[Item1]\r\nMode=1\r\nBrightness=5\r\n"
        "Frequency=1\r\nCustomize=" +
        kPlaceholderSteps + "\r\n[Item2]\r\nMode=3\r\nBrightness=5\r\nFrequency=1\r\nCustomize=" +
        kOneStep + "\r\n[Item3]\r\n"));
    EXPECT_TRUE(text.ends_with("[Item20]\r\nMode=1\r\nBrightness=1\r\nFrequency=1\r\nCustomize=" +
                               kPlaceholderSteps + "\r\n"));
    // Saved over a longer set, the file is as a new one: the old items become placeholders.
    ASSERT_TRUE(saveModeSet(ModeSet(10, customMode(3, {3000, 3000})), folder_.path("old.ini")));
    ASSERT_TRUE(saveModeSet(modes, folder_.path("old.ini")));
    EXPECT_EQ(folder_.read("old.ini"), text);

    folder_.put("mine.ini", "; my lights\r\n[Window]\r\nleft = 10\r\n\r\n[setting]\r\ncount=9\r\n"
                            "theme=dark\r\n[Item1]\r\nLuminance=30\r\nMode=2\r\n");
    ASSERT_TRUE(saveModeSet({steadyMode(60)}, folder_.path("mine.ini")));
    EXPECT_TRUE(folder_.read("mine.ini")
                    .starts_with("; my lights\r\n[Window]\r\nleft = 10\r\n\r\n[setting]\r\n"
                                 "count=1\r\ntheme=dark\r\n"));
    EXPECT_EQ(IniFile(folder_.read("mine.ini")).value("Item1", "Luminance"), "30");
    ModeSet back;
    EXPECT_EQ(load(back, "mine.ini"), "");
    EXPECT_EQ(back, ModeSet{steadyMode(60)});

    // A mode the light gave that a load refuses is saved as it is.
    ASSERT_TRUE(saveModeSet({LightMode{0, 0, 1, 0, {}, 0}}, folder_.path("light.ini")));
    EXPECT_EQ(load(back, "light.ini"), R"([Item1] Mode = "0": allowed 1 to 3)");
}

TEST_F(ModeSetFileTest, PresetsAndTheEditorsExtremesComeBackWithSosCleared) {
    std::vector<ModeSet> sets{
        ModeSet(kMaxModes, {KindFrequency, 100, 40, 10, std::vector<std::int32_t>(18, 3000), 1}),
        {{KindCustomize, 1, 1, 0, {50, 50}, 0}, {KindBrightness, 1, 1, 0, {}, 0}}};
    for (const PresetInfo& info : kPresets) {
        sets.push_back(presetModes(info.preset));
    }
    for (const ModeSet& modes : sets) {
        ASSERT_TRUE(saveModeSet(modes, folder_.path("round.ini")));
        ModeSet back;
        ASSERT_EQ(load(back, "round.ini"), "");
        EXPECT_EQ(back, withoutSosMarks(modes));
    }
}

} // namespace
} // namespace lumavert
