#include "config/ModeSetFile.h"
#include "config/IniFile.h"
#include "model/Presets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <utility>

namespace lumavert {
namespace {

namespace fs = std::filesystem;

std::string repeated(std::string_view text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

const std::string kPlaceholderSteps = "0000" + repeated("0050", 18);

LightMode steadyMode(int percent) {
    LightMode mode;
    mode.brightness = percent;
    mode.steps.clear();
    return mode;
}

class ModeSetFileTest : public testing::Test {
  protected:
    void SetUp() override {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        // Unique, so that test runs of several build trees never share a folder.
        const std::string unique = std::to_string(std::random_device{}());
        dir_ = fs::temp_directory_path() / ("lumavert-" + std::string(test->name()) + "-" + unique);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code error;
        fs::permissions(file(), fs::perms::owner_all, error);
        fs::remove_all(dir_, error);
    }

    fs::path file(std::string_view name = "config.ini") const { return dir_ / name; }

    void write(const std::string& bytes, std::string_view name = "config.ini") const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }

    std::string read(std::string_view name = "config.ini") const {
        std::ifstream in(file(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    int filesInDir() const {
        return static_cast<int>(std::distance(fs::directory_iterator(dir_), {}));
    }

    /// Two items: a steady 50 % mode and a 5-minute custom mode of one Step.
    static IniFile validIni() {
        IniFile ini;
        ini.setValue("Setting", "Count", "2");
        for (const char* section : {"Item1", "Item2"}) {
            ini.setValue(section, "Mode", "1");
            ini.setValue(section, "Brightness", "50");
            ini.setValue(section, "Frequency", "1");
            ini.setValue(section, "Customize", kPlaceholderSteps);
        }
        ini.setValue("Item2", "Mode", "3");
        ini.setValue("Item2", "Customize",
                     "0502"
                     "0500"
                     "1200" +
                         repeated("0050", 16));
        return ini;
    }

    ModeSet loadWith(const std::string& section, const std::string& key, const std::string& value,
                     bool expectLoaded) {
        IniFile ini = validIni();
        ini.setValue(section, key, value);
        write(ini.text());
        ModeSet modes{steadyMode(77)};
        const ModeSet before = modes;
        refusal_ = {};
        EXPECT_EQ(loadModeSet(modes, file(), kMaxModes, kMaxEntries, &refusal_), expectLoaded)
            << refusal_.describe();
        if (!expectLoaded) {
            EXPECT_EQ(modes, before) << "a refused file leaves the set as it was";
        }
        return modes;
    }

    ModeSet roundTrip(const ModeSet& modes) {
        EXPECT_TRUE(saveModeSet(modes, file()));
        ModeSet back;
        EXPECT_TRUE(loadModeSet(back, file(), kMaxModes, kMaxEntries, &refusal_))
            << refusal_.describe();
        return back;
    }

    fs::path dir_;
    LoadRefusal refusal_;
};

// Loading: what is refused, and why

TEST_F(ModeSetFileTest, RefusesEveryValueOutsideItsRange) {
    const std::string slots = repeated("0050", 16);
    const struct {
        std::string section, key, value, refusedValue, allowed;
    } cases[] = {
        {"Setting", "Count", "", "", "0 to 20"},
        {"Setting", "Count", "-1", "-1", "0 to 20"},
        {"Setting", "Count", "21", "21", "0 to 20"},
        {"Setting", "Count", "4294967298", "4294967298", "0 to 20"},
        {"Item2", "Mode", "", "", "1 to 3"},
        {"Item2", "Mode", "0", "0", "1 to 3"},
        {"Item2", "Mode", "4", "4", "1 to 3"},
        {"Item2", "Brightness", "0", "0", "1 to 100"},
        {"Item1", "Brightness", "101", "101", "1 to 100"},
        {"Item1", "Frequency", "", "", "1 to 40"},
        {"Item1", "Frequency", "0", "0", "1 to 40"},
        {"Item1", "Frequency", "41", "41", "1 to 40"},
        {"Item1", "Customize", "", "", "exactly 76 characters"},
        {"Item2", "Customize", "05020500120" + slots, "05020500120" + slots,
         "exactly 76 characters"},
        {"Item2", "Customize", "0502050012000" + slots, "0502050012000" + slots,
         "exactly 76 characters"},
        {"Item2", "Customize",
         "2102"
         "0500"
         "1200" +
             slots,
         "21", "minutes (characters 1-2) 0 to 20"},
        {"Item2", "Customize",
         "0519"
         "0500"
         "1200" +
             slots,
         "19", "entry count (characters 3-4) 0 to 18"},
        {"Item2", "Customize",
         "0502"
         "0049"
         "1200" +
             slots,
         "0049", "duration (characters 5-8) 50 to 3000"},
        {"Item2", "Customize",
         "0502"
         "0500"
         "3001" +
             slots,
         "3001", "duration (characters 9-12) 50 to 3000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("[" + c.section + "] " + c.key + "=" + c.value);
        loadWith(c.section, c.key, c.value, false);
        EXPECT_EQ(refusal_.section, c.section);
        EXPECT_EQ(refusal_.key, c.key);
        EXPECT_EQ(refusal_.value, c.refusedValue);
        EXPECT_EQ(refusal_.allowed, c.allowed);
    }
}

TEST_F(ModeSetFileTest, RefusalDescribesItemKeyValueAndRange) {
    loadWith("Item2", "Brightness", "0", false);
    EXPECT_EQ(refusal_.describe(), "[Item2] Brightness = \"0\": allowed 1 to 100");
}

TEST_F(ModeSetFileTest, MissingKeysAreRefusedWhateverTheItemsKind) {
    const std::pair<std::string, std::string> keys[] = {
        {"Setting", "Count"}, {"Item1", "Mode"}, {"Item1", "Frequency"}, {"Item1", "Customize"}};
    for (const auto& [section, key] : keys) {
        const IniFile ini = validIni();
        std::string text = ini.text();
        const std::string line = key + "=" + ini.value(section, key) + "\r\n";
        text.erase(text.find(line), line.size());
        write(text);
        ModeSet modes{steadyMode(9)};
        EXPECT_FALSE(loadModeSet(modes, file(), kMaxModes, kMaxEntries, &refusal_)) << key;
        EXPECT_EQ(modes, ModeSet{steadyMode(9)});
        EXPECT_EQ(refusal_.section, section);
        EXPECT_EQ(refusal_.key, key);
    }
}

TEST_F(ModeSetFileTest, UnreadableFilesAreRefusedWithoutAnItem) {
    fs::create_directory(file("folder.ini"));
    for (const fs::path& path : {file("missing.ini"), file("folder.ini")}) {
        ModeSet modes{steadyMode(9)};
        LoadRefusal why{"x", "y", "z", "w"};
        EXPECT_FALSE(loadModeSet(modes, path, kMaxModes, kMaxEntries, &why));
        EXPECT_EQ(modes, ModeSet{steadyMode(9)});
        EXPECT_EQ(why.section, "");
        EXPECT_EQ(why.allowed, "the file cannot be read");
    }
}

// Loading: what is accepted

TEST_F(ModeSetFileTest, CountWithoutLeadingDigitsLoadsAnEmptySet) {
    for (const char* count : {"0", "none", "-", " +0x5"}) {
        EXPECT_TRUE(loadWith("Setting", "Count", count, true).empty()) << count;
    }
}

TEST_F(ModeSetFileTest, ValuesReadLikeAtoi) {
    EXPECT_EQ(loadWith("Setting", "Count", "1 mode", true).size(), 1u);
    EXPECT_EQ(loadWith("Item1", "Brightness", "+42%", true)[0].brightness, 42);
}

TEST_F(ModeSetFileTest, LuminanceStandsInForAMissingBrightness) {
    IniFile ini = validIni();
    std::string text = ini.text();
    text.replace(text.find("Brightness=50"), 13, "Luminance=70");
    write(text);
    ModeSet modes;
    ASSERT_TRUE(loadModeSet(modes, file()));
    EXPECT_EQ(modes[0].brightness, 70);

    loadWith("Item1", "Brightness", "", false);
    EXPECT_EQ(refusal_.key, "Brightness");

    ini.setValue("Item1", "Luminance", "80");
    write(ini.text());
    ASSERT_TRUE(loadModeSet(modes, file()));
    EXPECT_EQ(modes[0].brightness, 50) << "Brightness wins over Luminance";

    ini.setValue("Item1", "Brightness", "");
    ini.setValue("Item1", "Luminance", "0");
    write(ini.text());
    EXPECT_FALSE(loadModeSet(modes, file(), kMaxModes, kMaxEntries, &refusal_));
    EXPECT_EQ(refusal_.key, "Luminance");
}

TEST_F(ModeSetFileTest, StepTextEdgesTheEditorNeverWrites) {
    const std::string junk = repeated("xx!?", 15);
    EXPECT_EQ(loadWith("Item2", "Customize",
                       "2003"
                       "0500"
                       "1200"
                       "3000" +
                           junk,
                       true)[1],
              (LightMode{KindCustomize, 50, 1, 20, {500, 1200, 3000}, 0}));
    EXPECT_EQ(loadWith("Item2", "Customize", "0000" + repeated("zzzz", 18), true)[1].steps,
              std::vector<std::int32_t>{});
}

TEST_F(ModeSetFileTest, ItemsPastTheCountAreNotRead) {
    IniFile ini = validIni();
    ini.setValue("Setting", "Count", "1");
    ini.setValue("Item2", "Mode", "99");
    write(ini.text());
    ModeSet modes;
    ASSERT_TRUE(loadModeSet(modes, file()));
    EXPECT_EQ(modes, ModeSet{steadyMode(50)});
}

TEST_F(ModeSetFileTest, HandWrittenFileInTheProgramsStyleLoads) {
    write("[setting]\r\ncount = 2\r\n\r\n"
          "[item1]\r\nmode = 2\r\nluminance = 30\r\nfrequency = 12\r\ncustomize = " +
          kPlaceholderSteps +
          "\r\n\r\n[item2]\r\nmode = 3\r\nluminance = 1\r\nfrequency = 1\r\ncustomize = 0704" +
          "0100"
          "0200"
          "0300"
          "0400" +
          repeated("0050", 14) + "\r\n");
    ModeSet modes;
    ASSERT_TRUE(loadModeSet(modes, file(), kMaxModes, kMaxEntries, &refusal_))
        << refusal_.describe();
    EXPECT_EQ(modes, (ModeSet{{KindFrequency, 30, 12, 0, {}, 0},
                              {KindCustomize, 1, 1, 7, {100, 200, 300, 400}, 0}}));
}

// Saving

TEST_F(ModeSetFileTest, HouseholdFileStartsWithCountAndItemsInOrder) {
    const ModeSet household{steadyMode(5), steadyMode(50), steadyMode(100)};
    ASSERT_TRUE(saveModeSet(household, file()));
    const std::string text = read();
    const std::string item1 = "[Setting]\r\nCount=3\r\n[Item1]\r\nMode=1\r\nBrightness=5\r\n"
                              "Frequency=1\r\nCustomize=" +
                              kPlaceholderSteps + "\r\n[Item2]\r\nMode=1\r\nBrightness=50\r\n";
    EXPECT_EQ(text.substr(0, item1.size()), item1);
    const std::string placeholder = "[Item20]\r\nMode=1\r\nBrightness=1\r\nFrequency=1\r\n"
                                    "Customize=" +
                                    kPlaceholderSteps + "\r\n";
    ASSERT_GE(text.size(), placeholder.size());
    EXPECT_EQ(text.substr(text.size() - placeholder.size()), placeholder);
}

TEST_F(ModeSetFileTest, StepTextHoldsMinutesCountEntriesAndFiller) {
    ASSERT_TRUE(saveModeSet({{KindCustomize, 5, 1, 5, {500, 1200}, 0}}, file()));
    EXPECT_EQ(IniFile(read()).value("Item1", "Customize"), "0502"
                                                           "0500"
                                                           "1200" +
                                                               repeated("0050", 16));
}

TEST_F(ModeSetFileTest, ShorterSetOverwritesOldItemsWithPlaceholders) {
    ASSERT_TRUE(saveModeSet(ModeSet(10, {KindCustomize, 80, 20, 3, {3000, 3000}, 0}), file()));
    ASSERT_TRUE(saveModeSet({steadyMode(5), steadyMode(50), steadyMode(100)}, file()));
    const IniFile ini(read());
    for (int item = 4; item <= 20; ++item) {
        const std::string section = "Item" + std::to_string(item);
        EXPECT_EQ(ini.value(section, "Mode"), "1") << section;
        EXPECT_EQ(ini.value(section, "Brightness"), "1") << section;
        EXPECT_EQ(ini.value(section, "Frequency"), "1") << section;
        EXPECT_EQ(ini.value(section, "Customize"), kPlaceholderSteps) << section;
    }
    ModeSet modes;
    ASSERT_TRUE(loadModeSet(modes, file()));
    EXPECT_EQ(modes.size(), 3u);
}

TEST_F(ModeSetFileTest, OtherSectionsAndKeysOfAnExistingFileStay) {
    write("; my lights\r\n[Window]\r\nleft = 10\r\n\r\n[setting]\r\ncount=9\r\ntheme=dark\r\n"
          "[Item1]\r\nLuminance=30\r\nMode=2\r\n");
    ASSERT_TRUE(saveModeSet({steadyMode(60)}, file()));
    const std::string text = read();
    const std::string kept = "; my lights\r\n[Window]\r\nleft = 10\r\n\r\n[setting]\r\n"
                             "count=1\r\ntheme=dark\r\n";
    EXPECT_EQ(text.substr(0, kept.size()), kept);
    const IniFile ini(text);
    EXPECT_EQ(ini.value("Item1", "Luminance"), "30");
    ModeSet modes;
    ASSERT_TRUE(loadModeSet(modes, file()));
    EXPECT_EQ(modes, ModeSet{steadyMode(60)});
}

TEST_F(ModeSetFileTest, ModeOutsideTheLoadRangesIsSavedButThenRefused) {
    LightMode downloaded = steadyMode(0);
    downloaded.kind = 0;
    ASSERT_TRUE(saveModeSet({downloaded}, file()));
    EXPECT_EQ(IniFile(read()).value("Item1", "Mode"), "0");
    ModeSet modes;
    EXPECT_FALSE(loadModeSet(modes, file()));
}

// Round trips

TEST_F(ModeSetFileTest, EveryPresetComesBackWithSosCleared) {
    for (const PresetInfo& info : kPresets) {
        ModeSet preset;
        applyPreset(info.preset, preset);
        ModeSet expected = preset;
        for (LightMode& mode : expected) {
            mode.sos = 0;
        }
        EXPECT_EQ(roundTrip(preset), expected) << info.cliName;
    }
}

TEST_F(ModeSetFileTest, EditorReachableSetsComeBackWithSosCleared) {
    std::mt19937 random(20240611);
    const auto draw = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 40; ++round) {
        ModeSet modes(static_cast<std::size_t>(draw(1, kMaxModes)));
        for (LightMode& mode : modes) {
            mode = {draw(1, 3), draw(1, 100), draw(1, 40), draw(0, 10), {}, 0};
            for (int entry = 2 * draw(0, 9); entry > 0; --entry) {
                mode.steps.push_back(50 * draw(1, 60));
            }
            if (draw(0, 5) == 0) {
                applySosPattern(mode);
            }
        }
        ModeSet expected = modes;
        for (LightMode& mode : expected) {
            mode.sos = 0;
        }
        ASSERT_EQ(roundTrip(modes), expected) << "round " << round;
    }
}

// Replacing the file

TEST_F(ModeSetFileTest, FailedSaveLeavesTheOldFileUntouched) {
    const std::string old = "[Setting]\r\nCount=0\r\n";
    write(old);
    fs::permissions(file(), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(saveModeSet({steadyMode(5)}, file())) << "read-only file";
    EXPECT_EQ(read(), old);
    fs::permissions(file(), fs::perms::owner_read | fs::perms::owner_write);

    fs::create_directory(file("folder.ini"));
    EXPECT_FALSE(saveModeSet({steadyMode(5)}, file("folder.ini"))) << "directory";
    EXPECT_FALSE(saveModeSet({steadyMode(5)}, dir_ / "missing" / "config.ini")) << "no folder";
    EXPECT_EQ(filesInDir(), 2) << "no temporary file is left behind";
}

TEST_F(ModeSetFileTest, FailureBetweenWritingAndRenamingKeepsTheOldFile) {
    const std::string old = "[Setting]\r\nCount=0\r\n";
    write(old);
    bool renameCalled = false;
    const RenameFile failingRename = [&](const fs::path& from, const fs::path& to) {
        renameCalled = true;
        EXPECT_EQ(from.parent_path(), to.parent_path());
        EXPECT_EQ(IniFile(read(from.filename().string())).value("Setting", "Count"), "1");
        EXPECT_EQ(read(to.filename().string()), old);
        return false;
    };
    EXPECT_FALSE(saveModeSet({steadyMode(5)}, file(), kMaxModes, kMaxEntries, failingRename));
    EXPECT_TRUE(renameCalled);
    EXPECT_EQ(read(), old);
    EXPECT_EQ(filesInDir(), 1);
}

TEST_F(ModeSetFileTest, ReplacedFileKeepsItsPermissionsAndLinks) {
    write("[Setting]\r\nCount=0\r\n", "real.ini");
    fs::permissions(file("real.ini"), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.ini", file());
    ASSERT_TRUE(saveModeSet({steadyMode(5)}, file()));
    EXPECT_TRUE(fs::is_symlink(file()));
    EXPECT_EQ(IniFile(read("real.ini")).value("Setting", "Count"), "1");
    EXPECT_EQ(fs::status(file("real.ini")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

} // namespace
} // namespace lumavert
