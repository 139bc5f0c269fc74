// Configuration files that are hostile, huge or broken, and saves that are cut short: the set is
// refused or accepted by the profile rules, never crashes, loads quickly, and an interrupted
// save leaves the old file byte for byte.

#include "config/IniFile.h"
#include "config/ModeSetFile.h"
#include "model/Presets.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace lumavert {
namespace {

namespace fs = std::filesystem;

// Loading is one read and a few hundred lookups; a user must never wait for it. Unoptimised
// builds under a sanitizer take about 15 times as long; their bound still catches a load that
// grows faster than the file.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || !defined(__OPTIMIZE__)
constexpr int kSlowBuildFactor = 30;
#else
constexpr int kSlowBuildFactor = 1;
#endif
constexpr auto kLoadBound = std::chrono::milliseconds(100) * kSlowBuildFactor;
constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;

std::string repeated(std::string_view text, std::size_t times) {
    std::string result;
    result.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

ModeSet presetSet(Preset preset) {
    ModeSet modes;
    applyPreset(preset, modes);
    return modes;
}

ModeSet withoutSosMarks(ModeSet modes) {
    for (LightMode& mode : modes) {
        mode.sos = 0;
    }
    return modes;
}

const std::string kUnusedSteps = "0000" + repeated("0050", 18);
// 5 minutes, 2 entries: 500 ms and 1200 ms.
const std::string kOneStep = "050205001200" + repeated("0050", 16);

// Two modes: a steady 50 % light and a custom mode of one Step (500 ms, 1200 ms, 5 minutes).
std::string twoModeFile(std::string_view lineEnd = "\r\n") {
    const std::string lines[] = {
        "[Setting]", "Count=2",                                                              //
        "[Item1]",   "Mode=1",  "Brightness=50", "Frequency=1", "Customize=" + kUnusedSteps, //
        "[Item2]",   "Mode=3",  "Brightness=5",  "Frequency=1", "Customize=" + kOneStep,
    };
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += lineEnd;
    }
    return text;
}

ModeSet twoModeSet() {
    LightMode steady = makeDefaultMode();
    steady.brightness = 50;
    steady.steps.clear();
    LightMode custom = makeDefaultMode();
    custom.kind = KindCustomize;
    custom.minutes = 5;
    custom.steps = {500, 1200};
    return {steady, custom};
}

class FileRobustness : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string unique = std::to_string(std::random_device{}());
        dir_ = fs::temp_directory_path() / ("lumavert-robust-" + unique);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(dir_, error);
    }

    fs::path write(const std::string& bytes, std::string_view name = "config.ini") const {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return dir_ / name;
    }

    std::string read(std::string_view name = "config.ini") const {
        std::ifstream in(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    int filesInDir() const {
        return static_cast<int>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
};

// ---- Loading hostile files ----

struct HostileFile {
    const char* name;
    std::string bytes;
    bool accepted;
    ModeSet expected; // when accepted
};

// Three steady modes at 25, 50 and 75 %, and the file the program saves for them.
ModeSet threeModeSet() {
    ModeSet modes(3, makeDefaultMode());
    for (std::size_t i = 0; i < modes.size(); ++i) {
        modes[i].brightness = static_cast<std::int32_t>(i + 1) * 25;
        modes[i].steps.clear();
    }
    return modes;
}

std::string threeModeFile() {
    IniFile ini;
    ini.setValue("Setting", "Count", "3");
    for (int item = 1; item <= kMaxModes; ++item) {
        const std::string section = "Item" + std::to_string(item);
        ini.setValue(section, "Mode", "1");
        ini.setValue(section, "Brightness", item <= 3 ? std::to_string(item * 25) : "1");
        ini.setValue(section, "Frequency", "1");
        ini.setValue(section, "Customize", kUnusedSteps);
    }
    return ini.text();
}

std::vector<HostileFile> hostileFiles() {
    std::mt19937 random(6); // fixed: the same garbage on every run
    std::string garbage(64 * 1024, '\0');
    for (char& byte : garbage) {
        byte = static_cast<char>(random());
    }
    std::string nulInValue = twoModeFile();
    nulInValue.replace(nulInValue.find("Count=2") + 7, 0, std::string("\0\0junk", 6));
    std::string nulInName = twoModeFile();
    nulInName.replace(nulInName.find("[Item1]") + 3, 0, std::string(1, '\0'));
    const std::string longLine(kTenMegabytes, 'x');
    const std::string tinySections = repeated("[Filler]\r\nKey=Value\r\n", kTenMegabytes / 21);

    return {
        {"empty file", "", false, {}},
        {"only blank lines", "\r\n\n\r\r\n", false, {}},
        {"binary garbage", garbage, false, {}},
        {"garbage after a valid file", twoModeFile() + garbage, true, twoModeSet()},
        {"NUL bytes after a value", nulInValue, true, twoModeSet()},
        {"NUL byte in a section name", nulInName, false, {}},
        {"CR-only line ends", twoModeFile("\r"), true, twoModeSet()},
        {"LF-only line ends", twoModeFile("\n"), true, twoModeSet()},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF" + twoModeFile(), true, twoModeSet()},
        {"duplicate sections and keys: the first wins",
         "[setting]\r\ncount=2\r\nCount=9\r\n" + twoModeFile() +
             "[Item1]\r\nMode=9\r\n[Setting]\r\nCount=20\r\n",
         true, twoModeSet()},
        {"10 MB line before the file", longLine + "\r\n" + twoModeFile(), true, twoModeSet()},
        {"10 MB number", "[Setting]\r\nCount=" + std::string(kTenMegabytes, '9'), false, {}},
        // A user's files pasted one after the other: the first of each section wins.
        {"10 MB of pasted configuration files",
         repeated(threeModeFile(), kTenMegabytes / threeModeFile().size()), true, threeModeSet()},
        {"10 MB of tiny sections before the file", tinySections + twoModeFile(), true,
         twoModeSet()},
    };
}

TEST_F(FileRobustness, HostileFilesAreRefusedOrAcceptedByTheRulesQuickly) {
    for (const HostileFile& hostile : hostileFiles()) {
        SCOPED_TRACE(hostile.name);
        const fs::path file = write(hostile.bytes);
        // The fastest of three loads, so that a busy machine does not decide the figure.
        auto fastest = std::chrono::steady_clock::duration::max();
        for (int run = 0; run < 3; ++run) {
            ModeSet modes = presetSet(Preset::Fishing);
            LoadRefusal why;
            const auto start = std::chrono::steady_clock::now();
            const bool loaded = loadModeSet(modes, file, kMaxModes, kMaxEntries, &why);
            fastest = std::min(fastest, std::chrono::steady_clock::now() - start);

            EXPECT_EQ(loaded, hostile.accepted) << why.describe();
            EXPECT_EQ(modes, hostile.accepted ? hostile.expected : presetSet(Preset::Fishing));
        }
        std::printf("load of %-44s %9zu bytes %7.1f ms\n", hostile.name, hostile.bytes.size(),
                    std::chrono::duration<double, std::milli>(fastest).count());
        EXPECT_LT(fastest, kLoadBound);
    }
}

TEST_F(FileRobustness, SavingOverAHostileFileGivesAFileThatLoadsAsTheSet) {
    const ModeSet outdoor = presetSet(Preset::Outdoor);
    for (const HostileFile& hostile : hostileFiles()) {
        if (hostile.bytes.size() > 1024 * 1024) {
            continue; // the same rules, only slower
        }
        SCOPED_TRACE(hostile.name);
        const fs::path file = write(hostile.bytes);
        ASSERT_TRUE(saveModeSet(outdoor, file));
        ModeSet back;
        LoadRefusal why;
        EXPECT_TRUE(loadModeSet(back, file, kMaxModes, kMaxEntries, &why)) << why.describe();
        EXPECT_EQ(back, withoutSosMarks(outdoor));
    }
}

// ---- Saves cut short ----

// A hand-kept file: byte order mark, CR-only ends, a comment and a section of its own.
const std::string kHandKeptFile =
    "\xEF\xBB\xBF; my lights\r[Owner]\rName=Kim\r" + twoModeFile("\r") + std::string("\0\x01", 2);

TEST_F(FileRobustness, SaveInterruptedBeforeTheRenameLeavesTheOldFileByteForByte) {
    struct Interruption {
        const char* name;
        RenameFile rename;
        int filesLeft; // the old file, and a temporary one after a crash
    };
    const Interruption interruptions[] = {
        {"rename refused", [](const fs::path&, const fs::path&) { return false; }, 1},
        {"program stopped before the rename",
         [](const fs::path&, const fs::path&) -> bool { throw std::runtime_error("stopped"); }, 2},
    };
    for (const std::string& old : {twoModeFile(), kHandKeptFile}) {
        for (const Interruption& interruption : interruptions) {
            SCOPED_TRACE(interruption.name);
            fs::remove_all(dir_);
            fs::create_directories(dir_);
            const fs::path file = write(old);
            try {
                EXPECT_FALSE(saveModeSet(presetSet(Preset::Military), file, kMaxModes, kMaxEntries,
                                         interruption.rename));
            } catch (const std::runtime_error&) {
            }
            EXPECT_EQ(read(), old);
            EXPECT_EQ(filesInDir(), interruption.filesLeft);
            ModeSet modes;
            EXPECT_TRUE(loadModeSet(modes, file)) << "the old file still loads";
            EXPECT_EQ(modes, twoModeSet());

            // The next save goes through, whatever the interrupted one left behind.
            ASSERT_TRUE(saveModeSet(presetSet(Preset::Military), file));
            ASSERT_TRUE(loadModeSet(modes, file));
            EXPECT_EQ(modes, presetSet(Preset::Military));
            EXPECT_EQ(IniFile(read()).value("Owner", "Name"), old == kHandKeptFile ? "Kim" : "");
        }
    }
}

} // namespace
} // namespace lumavert
