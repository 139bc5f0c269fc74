#include "cli/CliApp.h"

#include "CliTestSupport.h"
#include "cli/ModeSetTable.h"
#include "config/ModeSetFile.h"
#include "device/DeviceImageCodec.h"
#include "device/VirtualBus.h"
#include "model/Presets.h"

#include <chrono>
#include <sstream>

namespace lumavert {
namespace {

using namespace std::chrono_literals;

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

DeviceImage imageOf(const ModeSet& modes) {
    DeviceImage image;
    encodeDeviceImage(modes, image);
    return image;
}

ModeSet presetModes(Preset preset) {
    ModeSet modes;
    applyPreset(preset, modes);
    return modes;
}

// What a light holding `modes` gives back.
ModeSet throughTheLight(const ModeSet& modes) {
    ModeSet back;
    decodeDeviceImage(imageOf(modes), back);
    return back;
}

// 64 two-digit upper-case hex numbers separated by single spaces.
bool isHexLine(const std::string& text) {
    if (text.size() != 64 * 3 - 1) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
        if (i % 3 == 2 ? c != ' ' : !hex) {
            return false;
        }
    }
    return true;
}

std::string bytesOf(const DeviceImage& image) {
    std::string bytes;
    for (const Block& block : image) {
        bytes.append(block.begin(), block.end());
    }
    return bytes;
}

class Cli : public ::testing::Test {
  protected:
    Outcome run(const std::vector<std::string>& args) {
        std::ostringstream out;
        std::ostringstream err;
        const int code = runCli(args, out, err, environment_);
        return {code, out.str(), err.str()};
    }

    std::string presetFile(const std::string& name) {
        const std::string file = folder_.path(name + ".ini");
        EXPECT_EQ(run({"preset", name, "-o", file}).code, ExitOk);
        return file;
    }

    ScratchFolder folder_;
    std::shared_ptr<VirtualBus> bus_ = std::make_shared<VirtualBus>();
    CliEnvironment environment_{[this] { return bus_; }};
};

// Files and images.

TEST_F(Cli, PresetThenEncodePrintsTheImageAsFourLinesOfHex) {
    const Outcome encoded = run({"encode", presetFile("factory")});
    ASSERT_EQ(encoded.code, ExitOk) << encoded.err;

    std::istringstream lines(encoded.out);
    std::string bytes;
    int count = 0;
    for (std::string text; std::getline(lines, text); ++count) {
        EXPECT_TRUE(isHexLine(text)) << text;
        std::istringstream hex(text);
        for (unsigned value = 0; hex >> std::hex >> value;) {
            bytes.push_back(static_cast<char>(value));
        }
    }
    EXPECT_EQ(count, 4);
    EXPECT_EQ(bytes, bytesOf(imageOf(presetModes(Preset::Factory))));
    EXPECT_EQ(encoded.out.substr(0, 15), "81 03 01 64 00 ");
}

TEST_F(Cli, EncodeBinaryWritesTheRawImage) {
    const Outcome encoded = run({"encode", "--binary", presetFile("outdoor")});
    ASSERT_EQ(encoded.code, ExitOk);
    EXPECT_EQ(encoded.out, bytesOf(imageOf(presetModes(Preset::Outdoor))));
}

TEST_F(Cli, DecodeShowsOrSavesTheModeSetOfAnImage) {
    const std::string image = folder_.path("image.bin");
    writeWholeFile(image, bytesOf(imageOf(presetModes(Preset::Military))));
    const ModeSet expected = throughTheLight(presetModes(Preset::Military));

    const Outcome shown = run({"decode", image});
    ASSERT_EQ(shown.code, ExitOk) << shown.err;
    EXPECT_EQ(shown.out, formatModeSet(expected));

    const std::string saved = folder_.path("saved.ini");
    ASSERT_EQ(run({"decode", image, "-o", saved}).code, ExitOk);
    ModeSet loaded;
    ASSERT_TRUE(loadModeSet(loaded, saved));
    EXPECT_EQ(loaded, expected);
}

TEST_F(Cli, ShowPrintsOneLinePerMode) {
    const Outcome shown = run({"show", presetFile("household")});
    ASSERT_EQ(shown.code, ExitOk);
    EXPECT_EQ(shown.out, formatModeSet(presetModes(Preset::Household)));
    EXPECT_EQ(std::count(shown.out.begin(), shown.out.end(), '\n'), 4);
    EXPECT_NE(shown.out.find("50 %"), std::string::npos);
}

TEST_F(Cli, DownloadSavesIntoAnExistingFileKeepingItsOtherKeys) {
    const std::string file = folder_.path("mine.ini");
    writeWholeFile(file, "[Notes]\r\nOwner=me\r\n");
    ASSERT_EQ(run({"--simulate", "--stage-delay-ms=40", "download", "-o", file}).code, ExitOk);
    const std::string text = readWholeFile(file);
    EXPECT_NE(text.find("Owner=me"), std::string::npos);
    ModeSet loaded;
    ASSERT_TRUE(loadModeSet(loaded, file));
    EXPECT_EQ(loaded, throughTheLight(presetModes(Preset::Factory)));
}

// The simulated light.

TEST_F(Cli, UploadThenDownloadRoundTripsThroughTheSimulatedLightsFile) {
    const std::string light = "--simulate=" + folder_.path("light.bin");
    const std::string outdoor = presetFile("outdoor");

    const Outcome uploaded = run({light, "--stage-delay-ms=40", "upload", outdoor});
    ASSERT_EQ(uploaded.code, ExitOk) << uploaded.err;
    EXPECT_NE(uploaded.err.find("Upload completed 4/4"), std::string::npos) << uploaded.err;
    EXPECT_EQ(readWholeFile(folder_.path("light.bin")),
              bytesOf(imageOf(presetModes(Preset::Outdoor))));

    const std::string back = folder_.path("back.ini");
    const Outcome downloaded = run({light, "--stage-delay-ms=40", "download", "-o", back});
    ASSERT_EQ(downloaded.code, ExitOk) << downloaded.err;
    EXPECT_NE(downloaded.err.find("Download completed 4/4"), std::string::npos);
    ModeSet loaded;
    ASSERT_TRUE(loadModeSet(loaded, back));
    EXPECT_EQ(loaded, throughTheLight(presetModes(Preset::Outdoor)));
}

TEST_F(Cli, ANewSimulatedLightHoldsTheFactoryPreset) {
    const Outcome downloaded =
        run({"--simulate=" + folder_.path("new.bin"), "--stage-delay-ms=40", "download"});
    ASSERT_EQ(downloaded.code, ExitOk) << downloaded.err;
    EXPECT_EQ(downloaded.out, formatModeSet(throughTheLight(presetModes(Preset::Factory))));
}

TEST_F(Cli, UploadKeepsTheWindowsPacingScaledToTheStageDelay) {
    VirtualLight& light = bus_->addLight();
    const std::string factory = presetFile("factory");
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(run({"--stage-delay-ms=60", "upload", factory}).code, ExitOk);

    const std::vector<ReceivedReport> received = light.receivedReports();
    ASSERT_EQ(received.size(), 4u);
    for (std::size_t i = 0; i < received.size(); ++i) {
        const auto offset = received[i].time - started;
        EXPECT_GE(offset, 60ms * static_cast<int>(i + 1)) << "block " << i + 1;
        EXPECT_LT(offset, 60ms * static_cast<int>(i + 1) + 25ms) << "block " << i + 1;
        EXPECT_EQ(received[i].bytes[1], MarkerImage1 + i);
    }
    EXPECT_EQ(light.memory(), imageOf(presetModes(Preset::Factory)));
}

TEST_F(Cli, TestSendsThePreviewOfModeN) {
    VirtualLight& light = bus_->addLight();
    ASSERT_EQ(run({"test", presetFile("outdoor"), "4"}).code, ExitOk);
    Block expected;
    encodePreviewBlock(presetModes(Preset::Outdoor)[3], expected);
    EXPECT_EQ(light.lastPreview(), expected);
}

// Devices.

TEST_F(Cli, DevicesListsEachAcceptedLightWithItsFamilyAndAccess) {
    bus_->addOtherDevice({"virtual/mouse", 0x046D, 0xC077, 0});
    const VirtualLight& feature = bus_->addLight();
    VirtualLight& output = bus_->addLight({0x04D8, 0x003F, "", 0});
    output.setRefuseOpen(true);

    const Outcome listed = run({"devices"});
    EXPECT_EQ(listed.code, ExitOk);
    std::istringstream lines(listed.out);
    std::string first;
    std::string second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(first, "13ec:0056  interface 0  " + feature.path() + "  feature reports  ok");
    EXPECT_EQ(second.rfind("04d8:003f  interface 0  " + output.path() +
                               "  output reports  no permission: install the udev rule "
                               "packaging/70-lumavert.rules as "
                               "/usr/lib/udev/rules.d/70-lumavert.rules",
                           0),
              0u)
        << second;
    EXPECT_NE(second.find("sudo udevadm control --reload-rules && sudo udevadm trigger"),
              std::string::npos);
    EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 2)
        << "the other interface and the mouse are not lights";
}

TEST_F(Cli, DevicesFailsWhenNoLightCanBeUsed) {
    EXPECT_EQ(run({"devices"}).err, "lumavert-cli: devices: no light found\n");
    bus_->addLight().setRefuseOpen(true);
    const Outcome refused = run({"devices"});
    EXPECT_EQ(refused.code, ExitFailure);
    EXPECT_NE(refused.out.find("no permission"), std::string::npos);
    EXPECT_EQ(refused.err, "lumavert-cli: devices: no light can be opened by this user\n");
}

// Refusals: exit code and the one line that says what and where.

struct Refusal {
    const char* name;
    std::vector<std::string> args; // "@" stands for the scratch folder
    int code;
    std::string message;
};

TEST_F(Cli, RefusesBadUsageAndFailuresWithTheirExitCodes) {
    writeWholeFile(folder_.path("dim.ini"),
                   "[Setting]\nCount=1\n[Item1]\nMode=1\nBrightness=0\nFrequency=1\n"
                   "Customize=0000005000500050005000500050005000500050005000500050005000500050005"
                   "000500050\n");
    writeWholeFile(folder_.path("empty.ini"), "[Setting]\nCount=0\n");
    writeWholeFile(folder_.path("short.bin"), std::string(255, '\0'));
    writeWholeFile(folder_.path("odd.bin"), std::string(100, '\0'));
    presetFile("factory");
    const Refusal refusals[] = {
        {"no command", {}, ExitUsage, "lumavert-cli: no command given"},
        {"unknown command", {"flash"}, ExitUsage, "unknown command 'flash'"},
        {"unknown option", {"show", "--fast", "x.ini"}, ExitUsage, "unknown option '--fast'"},
        {"missing file", {"upload"}, ExitUsage, "usage: lumavert-cli upload FILE.ini"},
        {"extra operand", {"show", "a.ini", "b.ini"}, ExitUsage, "usage: lumavert-cli show"},
        {"preset without -o", {"preset", "factory"}, ExitUsage, "preset NAME -o FILE.ini"},
        {"-o where none applies", {"encode", "a.ini", "-o", "b.ini"}, ExitUsage, "encode"},
        {"--binary elsewhere", {"show", "a.ini", "--binary"}, ExitUsage, "show FILE.ini"},
        {"unknown preset",
         {"preset", "disco", "-o", "@/x.ini"},
         ExitUsage,
         "unknown preset 'disco'"},
        {"mode number", {"test", "@/factory.ini", "first"}, ExitUsage, "not 'first'"},
        {"missing file",
         {"show", "@/none.ini"},
         ExitFailure,
         "@/none.ini: the file cannot be read"},
        {"value out of range",
         {"upload", "@/dim.ini"},
         ExitFailure,
         "lumavert-cli: upload: @/dim.ini: [Item1] Brightness = \"0\": allowed 1 to 100"},
        {"empty set", {"upload", "@/empty.ini"}, ExitFailure, "the Mode set is empty"},
        {"no such mode", {"test", "@/factory.ini", "5"}, ExitFailure, "there is no mode 5"},
        {"short image", {"decode", "@/short.bin"}, ExitFailure, "@/short.bin: holds 255 bytes"},
        {"no light", {"upload", "@/factory.ini"}, ExitFailure, "upload: no light found"},
        {"no light to read", {"download"}, ExitFailure, "download: no light found"},
        {"bad light file",
         {"--simulate=@/odd.bin", "download"},
         ExitFailure,
         "--simulate: @/odd.bin: holds 100 bytes"},
        {"unwritable output",
         {"preset", "household", "-o", "@/none/x.ini"},
         ExitFailure,
         "@/none/x.ini: cannot be written"},
    };
    const std::string folder = folder_.path("");
    const auto expand = [&](std::string text) {
        for (std::size_t at; (at = text.find("@/")) != std::string::npos;) {
            text.replace(at, 2, folder);
        }
        return text;
    };
    for (const Refusal& refusal : refusals) {
        std::vector<std::string> args;
        std::transform(refusal.args.begin(), refusal.args.end(), std::back_inserter(args), expand);
        const Outcome outcome = run(args);
        EXPECT_EQ(outcome.code, refusal.code) << refusal.name;
        EXPECT_NE(outcome.err.find(expand(refusal.message)), std::string::npos)
            << refusal.name << ": " << outcome.err;
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1)
            << refusal.name << ": " << outcome.err;
        EXPECT_TRUE(outcome.out.empty()) << refusal.name;
    }
}

TEST_F(Cli, AnEmptySetNeverReachesTheLight) {
    VirtualLight& light = bus_->addLight();
    writeWholeFile(folder_.path("empty.ini"), "[Setting]\nCount=0\n");
    EXPECT_EQ(run({"upload", folder_.path("empty.ini")}).code, ExitFailure);
    EXPECT_TRUE(light.receivedReports().empty());
}

TEST_F(Cli, NamesTheUdevRuleWhenTheLightMayNotBeOpened) {
    bus_->addLight().setRefuseOpen(true);
    const Outcome refused = run({"upload", presetFile("factory")});
    EXPECT_EQ(refused.code, ExitFailure);
    EXPECT_NE(refused.err.find("no permission to open the light 13ec:0056"), std::string::npos);
    EXPECT_NE(refused.err.find("70-lumavert.rules"), std::string::npos) << refused.err;
}

TEST_F(Cli, ASilentLightFailsTheDownloadAfterTheAnswerLimit) {
    bus_->addLight().setSilent(true);
    const auto started = std::chrono::steady_clock::now();
    const Outcome outcome = run({"--stage-delay-ms=20", "download"});
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(outcome.code, ExitFailure);
    EXPECT_NE(outcome.err.find("Download failed: the light 13ec:0056 at"), std::string::npos)
        << outcome.err;
    EXPECT_GE(took, 140ms) << "1 + 1 + 5 stage delays";
    EXPECT_TRUE(outcome.out.empty());
}

TEST_F(Cli, HelpAndVersionGoToStandardOutput) {
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.code, ExitOk);
    for (const char* command : {"devices", "upload FILE.ini", "download [-o FILE.ini]",
                                "test FILE.ini N", "show FILE.ini", "encode FILE.ini [--binary]",
                                "decode IMAGE.bin [-o FILE.ini]", "preset NAME -o FILE.ini"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
    const Outcome version = run({"--version"});
    EXPECT_EQ(version.code, ExitOk);
    EXPECT_EQ(version.out, "lumavert-cli 3.0.0\n");
}

} // namespace
} // namespace lumavert
