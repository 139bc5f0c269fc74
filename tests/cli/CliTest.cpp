// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command-line tool: in-process, its commands, their refusals and the parts below them;
// then each command once through the real program.
#include "cli/CliApp.h"

#include "TestSupport.h"
#include "cli/CliCommandLine.h"
#include "cli/ModeSetTable.h"
#include "cli/TransferRunner.h"
#include "config/ModeSetFile.h"
#include "device/DeviceImageCodec.h"
#include "device/VirtualBus.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <cstdio>
#include <map>

namespace lumavert {
namespace {

using namespace std::chrono_literals;
constexpr auto npos = std::string::npos;

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

std::string bytesOf(const ModeSet& modes) {
    std::string bytes;
    for (const Block& block : imageOf(modes)) {
        bytes.append(block.begin(), block.end());
    }
    return bytes;
}

// What a light holding `modes` gives back.
ModeSet throughTheLight(const ModeSet& modes) {
    ModeSet back;
    decodeDeviceImage(imageOf(modes), back);
    return back;
}

const ModeSet kOutdoor = presetModes(Preset::Outdoor);
const VirtualLightConfig kOutputReports{0x04D8, 0x003F, "", 0}; // a light of the older family

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
    const std::string at_ = folder_.path("");
    std::shared_ptr<VirtualBus> bus_ = std::make_shared<VirtualBus>();
    // Short stages keep the transfers quick; the answer limit keeps the light's proportion.
    CliEnvironment environment_{[this] { return bus_; }, {}, TransferDelays{40, 200}};
};

// Files and images.

TEST_F(Cli, EncodePrintsUpperCaseHexOrRawBytesAndDecodeShowsOrSavesTheSetBack) {
    const std::string outdoor = presetFile("outdoor");
    const std::string bytes = bytesOf(kOutdoor);
    std::string hex; // four lines of 64 numbers
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char number[4];
        std::snprintf(number, sizeof number, "%02X", static_cast<unsigned char>(bytes[i]));
        hex += number + std::string(i % 64 == 63 ? "\n" : " ");
    }
    EXPECT_EQ(run({"encode", outdoor}).out, hex);
    EXPECT_EQ(run({"encode", "--binary", outdoor}).out, bytes);

    const std::string image = folder_.put("image.bin", bytes);
    EXPECT_EQ(run({"decode", image}).out, formatModeSet(throughTheLight(kOutdoor)));
    ASSERT_EQ(run({"decode", image, "-o", at_ + "saved.ini"}).code, ExitOk);
    ModeSet loaded;
    ASSERT_TRUE(loadModeSet(loaded, at_ + "saved.ini"));
    EXPECT_EQ(loaded, throughTheLight(kOutdoor));
}

TEST_F(Cli, ShowPrintsOneLinePerModeWithTheDurationsTheLightKeeps) {
    const Outcome shown = run({"show", presetFile("outdoor")});
    EXPECT_EQ(std::count(shown.out.begin(), shown.out.end(), '\n'), 5);
    EXPECT_NE(shown.out.find("Steps (ms lit/dim)"), npos);
    EXPECT_NE(shown.out.find("   2  Brightness  50 %            0\n"), npos);
    EXPECT_NE(shown.out.find(" 500/500 500/1200 1200/1200 1200/1200 1200/1200 500/500 500/500 "
                             "500/2000  376/376 376/376 376/1128 1128/1128 1128/1128 1128/1128 "
                             "376/376 376/376 376/1880\n"),
              npos)
        << shown.out;
}

// --json: one document per command, with the fields of lumavert-cli(1) and numbers as numbers.
TEST_F(Cli, JsonDocumentsHoldTheDocumentedFieldsAndTypes) {
    using Fields = std::map<std::string, QJsonValue::Type>;
    using enum QJsonValue::Type;
    const Fields modeFields{
        {"number", Double},     {"kind", String},       {"kindCode", Double},
        {"brightness", Double}, {"frequency", Double},  {"minutes", Double},
        {"sos", Bool},          {"durationsMs", Array}, {"keptDurationsMs", Array}};
    const Fields lightFields{{"id", String},        {"vendorId", Double}, {"productId", Double},
                             {"interface", Double}, {"path", String},     {"reports", String},
                             {"access", String}};
    const auto fieldsOf = [](const QJsonValue& value) {
        Fields fields;
        const QJsonObject object = value.toObject();
        for (auto field = object.begin(); field != object.end(); ++field) {
            fields[field.key().toStdString()] = field.value().type();
        }
        return fields;
    };
    const auto listIn = [this](const std::vector<std::string>& args, const QString& list) {
        const Outcome outcome = run(args);
        EXPECT_EQ(outcome.code, ExitOk) << outcome.err;
        QJsonParseError error;
        const QJsonDocument document =
            QJsonDocument::fromJson(QByteArray::fromStdString(outcome.out), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << outcome.out;
        EXPECT_EQ(document.object().keys(), QStringList{list}) << outcome.out;
        return document.object().value(list).toArray();
    };

    const std::string outdoor = presetFile("outdoor");
    folder_.put("outdoor.bin", bytesOf(kOutdoor));
    const std::string oddPath = "virtual/\"odd\"\n\\light";
    bus_->addLight({0x13EC, 0x0056, oddPath, 0}).setMemory(imageOf(kOutdoor));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"show", outdoor, "--json"},
          {"decode", at_ + "outdoor.bin", "--json"},
          {"--json", "download"}}) {
        const QJsonArray modes = listIn(args, "modes");
        ASSERT_EQ(modes.size(), 4) << args[0];
        for (const QJsonValue& mode : modes) {
            EXPECT_EQ(fieldsOf(mode), modeFields) << args[0];
        }
    }
    const QJsonObject custom = listIn({"show", outdoor, "--json"}, "modes")[3].toObject();
    EXPECT_EQ(custom["number"].toInt(), 4);
    EXPECT_EQ(custom["kind"].toString(), "customize");
    EXPECT_EQ(custom["durationsMs"][1].toInt(), 500);
    EXPECT_EQ(custom["keptDurationsMs"][1].toInt(), 376);

    const QJsonArray lights = listIn({"devices", "--json"}, "lights");
    ASSERT_EQ(lights.size(), 1);
    EXPECT_EQ(fieldsOf(lights[0]), lightFields);
    EXPECT_EQ(lights[0]["path"].toString().toStdString(), oddPath);
    EXPECT_EQ(lights[0]["id"].toString(), "13ec:0056");
    EXPECT_EQ(lights[0]["vendorId"].toInt(), 0x13EC);
    EXPECT_EQ(lights[0]["access"].toString(), "ok");
}

// Lights.

TEST_F(Cli, UploadThenDownloadThroughTheSimulatedLightsFileKeepingTheOutputsOtherKeys) {
    const std::string light = "--simulate=" + at_ + "light.bin";
    EXPECT_EQ(run({light, "download"}).out,
              formatModeSet(throughTheLight(presetModes(Preset::Factory))))
        << "a new light holds the factory preset";
    const Outcome uploaded = run({light, "upload", presetFile("outdoor")});
    EXPECT_NE(uploaded.err.find("Upload completed 4/4"), npos) << uploaded.err;
    EXPECT_EQ(folder_.read("light.bin"), bytesOf(kOutdoor));

    const std::string back = folder_.put("back.ini", "[Notes]\r\nOwner=me\r\n");
    const Outcome downloaded = run({light, "download", "-o", back});
    EXPECT_NE(downloaded.err.find("Download completed 4/4"), npos) << downloaded.err;
    EXPECT_NE(folder_.read(back).find("Owner=me"), npos);
    ModeSet loaded;
    ASSERT_TRUE(loadModeSet(loaded, back));
    EXPECT_EQ(loaded, throughTheLight(kOutdoor));
}

// The blocks' order and pauses are the sequence's and the runner's tables.
TEST_F(Cli, UploadWritesTheImageAndTestSendsThePreviewOfModeN) {
    VirtualLight& light = bus_->addLight();
    const std::string outdoor = presetFile("outdoor");
    ASSERT_EQ(run({"upload", outdoor}).code, ExitOk);
    EXPECT_EQ(light.memory(), imageOf(kOutdoor));

    ASSERT_EQ(run({"test", outdoor, "4"}).code, ExitOk);
    Block expected;
    encodePreviewBlock(kOutdoor[3], expected);
    EXPECT_EQ(light.lastPreview(), expected);
}

TEST_F(Cli, UploadVerifyNamesTheModesThatDifferAndDownloadSaysWhatTheLightHolds) {
    const std::string outdoor = presetFile("outdoor");
    const std::vector<std::string> verify{"upload", "--verify", outdoor};
    const std::vector<std::string> download{"download"};
    const struct {
        VirtualLightConfig light;
        std::string behaviour; // "protected" (from writes), "silent", "erased" or ""
        std::vector<std::string> args;
        int code;
        std::size_t reports; // written to the light: blocks and requests
        std::string message;
    } cases[] = {
        {{}, "", verify, ExitOk, 5, "Verified: the light gives back what " + outdoor},
        {{}, "protected", verify, ExitFailure, 5, "the light gives back 4 modes; mode 4 differs"},
        {kOutputReports, "", verify, ExitFailure, 0, "cannot be read back; nothing was uploaded"},
        {{}, "silent", download, ExitFailure, 1, "Download failed: the light 13ec:0056 at"},
        {{}, "erased", download, ExitOk, 1, "the light holds no Mode set"},
    };
    for (const auto& c : cases) {
        bus_ = std::make_shared<VirtualBus>();
        VirtualLight& light = bus_->addLight(c.light);
        light.setMemory(imageOf(presetModes(Preset::Factory)));
        light.setWriteProtected(c.behaviour == "protected");
        light.setSilent(c.behaviour == "silent");
        if (c.behaviour == "erased") {
            light.eraseMemory();
        }
        const Outcome outcome = run(c.args);
        EXPECT_EQ(outcome.code, c.code) << c.message;
        EXPECT_NE(outcome.err.find(c.message), npos) << outcome.err;
        EXPECT_EQ(light.receivedReports().size(), c.reports) << c.message;
        EXPECT_EQ(outcome.out, c.behaviour == "erased" ? formatModeSet({}) : "") << c.message;
    }
}

TEST_F(Cli, DevicesListsEachLightWithItsFamilyAndAccessAndNamesTheUdevRuleWhenRefused) {
    bus_->addOtherDevice({"virtual/mouse", 0x046D, 0xC077, 0});
    VirtualLight& output = bus_->addLight(kOutputReports);
    output.setRefuseOpen(true);
    const Outcome refused = run({"devices"});
    EXPECT_EQ(refused.code, ExitFailure);
    EXPECT_TRUE(refused.out.starts_with(
        "04d8:003f  interface 0  " + output.path() +
        "  output reports  no permission: install the udev rule packaging/70-lumavert.rules as "
        "/usr/lib/udev/rules.d/70-lumavert.rules"))
        << refused.out;
    EXPECT_NE(refused.out.find("sudo udevadm control --reload-rules && sudo udevadm trigger"),
              npos);
    EXPECT_EQ(refused.err, "lumavert-cli: devices: no light can be opened by this user\n");
    const Outcome upload = run({"upload", presetFile("factory")});
    EXPECT_NE(upload.err.find("no permission to open the light 04d8:003f"), npos) << upload.err;
    EXPECT_NE(upload.err.find("70-lumavert.rules"), npos) << upload.err;

    const VirtualLight& feature = bus_->addLight();
    const Outcome listed = run({"devices"});
    EXPECT_EQ(listed.code, ExitOk);
    EXPECT_TRUE(listed.out.ends_with("13ec:0056  interface 0  " + feature.path() +
                                     "  feature reports  ok\n"))
        << listed.out;
}

// Refusals: exit code and the one line that says what and where.

TEST_F(Cli, RefusesBadUsageAndFailuresWithTheirExitCodes) {
    folder_.put("dim.ini", "[Setting]\nCount=1\n[Item1]\nMode=1\nBrightness=0\nFrequency=1\n"
                           "Customize=0000" +
                               std::string(72, '5') + "\n");
    folder_.put("empty.ini", "[Setting]\nCount=0\n");
    folder_.put("short.bin", std::string(255, '\0'));
    folder_.put("odd.bin", std::string(100, '\0'));
    std::filesystem::create_directory(at_ + "folder");
    const std::string factory = presetFile("factory");
    const struct {
        std::vector<std::string> args;
        int code;
        std::string message;
    } refusals[] = {
        {{"flash"}, ExitUsage, "lumavert-cli: unknown command 'flash' (see lumavert-cli --help)"},
        {{"fl\nash\x1b[2J"}, ExitUsage, "unknown command 'fl\\x0aash\\x1b[2J'"},
        {{"preset", "disco", "-o", at_ + "x.ini"}, ExitUsage, "unknown preset 'disco'"},
        {{"test", factory, "first"}, ExitUsage, "not 'first'"},
        {{"show", at_ + "none.ini"}, ExitFailure, "show: " + at_ + "none.ini: No such file or"},
        {{"show", at_ + "a\nb.ini"}, ExitFailure, at_ + "a\\x0ab.ini: No such file or"},
        {{"decode", "/dev/zero"}, ExitFailure, "/dev/zero: is a character"},
        {{"--simulate=" + at_ + "folder", "download"}, ExitFailure, at_ + "folder: is a directory"},
        {{"upload", at_ + "dim.ini"},
         ExitFailure,
         "lumavert-cli: upload: " + at_ + "dim.ini: [Item1] Brightness = \"0\": allowed 1 to"},
        {{"upload", at_ + "empty.ini"}, ExitFailure, "the Mode set is empty"},
        {{"test", factory, "5"}, ExitFailure, "there is no mode 5"},
        {{"decode", at_ + "short.bin"}, ExitFailure, at_ + "short.bin: holds 255 bytes"},
        {{"upload", factory}, ExitFailure, "upload: no light found"},
        {{"download"}, ExitFailure, "download: no light found"},
        {{"devices"}, ExitFailure, "devices: no light found"},
        {{"--simulate=" + at_ + "odd.bin", "download"}, ExitFailure, "odd.bin: holds 100 bytes"},
        {{"preset", "household", "-o", at_ + "no/x.ini"}, ExitFailure, at_ + "no/x.ini: No such"},
    };
    for (const auto& refusal : refusals) {
        const Outcome outcome = run(refusal.args);
        EXPECT_EQ(outcome.code, refusal.code) << refusal.message;
        EXPECT_NE(outcome.err.find(refusal.message), npos) << outcome.err;
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
        EXPECT_TRUE(outcome.out.empty()) << refusal.message;
    }
    VirtualLight& light = bus_->addLight();
    EXPECT_EQ(run({"upload", at_ + "empty.ini"}).code, ExitFailure);
    EXPECT_TRUE(light.receivedReports().empty()) << "an empty set never reaches the light";
}

TEST_F(Cli, HelpAndVersionGoToStandardOutput) {
    EXPECT_EQ(run({"--help"}).out, cliUsage());
    EXPECT_EQ(run({"--version"}).out, "lumavert-cli 3.0.0\n");
}

// The command line.

TEST(CliCommandLine, OptionsStandAnywhereAndDoubleDashEndsThem) {
    std::string error;
    const std::vector<std::string> download{"download", "-o", "out.ini", "--simulate=light.bin"};
    const auto line = parseCommandLine(download, error);
    ASSERT_TRUE(line) << error;
    EXPECT_EQ(line->command, CliCommand::Download);
    EXPECT_TRUE(line->simulate);
    EXPECT_EQ(line->simulateFile, "light.bin");
    EXPECT_EQ(line->output, "out.ini");
    const std::vector<std::string> show{"show", "--", "-odd.ini"};
    EXPECT_EQ(parseCommandLine(show, error)->operands, std::vector<std::string>{"-odd.ini"});
    const std::vector<std::string> help{"flash", "-h"};
    EXPECT_TRUE(parseCommandLine(help, error)->help) << "help wins over a bad command";
}

TEST(CliCommandLine, RefusesBadUsageSayingWhy) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "no command given"},
        {{"flash"}, "unknown command 'flash'"},
        {{"show", "--fast", "x.ini"}, "unknown option '--fast'"},
        {{"upload"}, "usage: lumavert-cli upload [--verify] FILE.ini"},
        {{"show", "a.ini", "b.ini"}, "usage: lumavert-cli show FILE.ini [--json]"},
        {{"encode", "a.ini", "-o", "b.ini"}, "usage: lumavert-cli encode FILE.ini [--binary]"},
        {{"encode", "a.ini", "--json"}, "usage: lumavert-cli encode FILE.ini [--binary]"},
        {{"download", "-o", "a.ini", "--json"},
         "usage: lumavert-cli download [-o FILE.ini | --json]"},
        {{"--simulate=", "devices"}, "--simulate= needs a FILE"},
        {{"download", "-o"}, "-o needs a FILE"},
        {{"download", "-o", "a", "-o", "b"}, "-o given twice"},
        {{"download", "--output="}, "-o needs a FILE"},
        {{"--stage-delay-ms=40", "devices"}, "unknown option '--stage-delay-ms=40'"},
    };
    for (const auto& [args, expected] : cases) {
        std::string error;
        EXPECT_FALSE(parseCommandLine(args, error)) << expected;
        EXPECT_EQ(error, expected);
    }
}

// A stalled process (SIGSTOP, swapping, a busy thread) wakes up with overdue timers: the light
// must still get the full pause between two blocks, or it misses one.
TEST(TransferRunner, AStallNeverShortensThePauseBeforeTheNextBlock) {
    VirtualBus bus;
    VirtualLight& light = bus.addLight();
    HidLink link(bus);
    ASSERT_EQ(link.probe(), 1);
    DeviceImage blocks{};
    TransferRunner runner;
    TransferSequence upload(TransferDirection::Upload, link, blocks, runner, {},
                            TransferDelays{.stageMs = 40, .answerLimitMs = 200});
    runner.run(upload, [](const TransferDisplay& display) {
        if (display.progress == 1) {
            std::this_thread::sleep_for(120ms);
        }
    });
    const std::vector<ReceivedReport> reports = light.receivedReports();
    ASSERT_EQ(reports.size(), std::size_t{4});
    for (std::size_t i = 1; i < reports.size(); ++i) {
        EXPECT_GE(reports[i].time - reports[i - 1].time, 40ms) << "before block " << i + 1;
    }
}

struct ShellRun {
    int status;
    std::string out;
};

ShellRun runShell(const std::vector<std::string>& args, const std::string& redirect = "") {
    std::string command = std::string("'") + LUMAVERT_CLI_PATH + "'";
    for (const std::string& arg : args) {
        command += " '" + arg + "'";
    }
    FILE* pipe = ::popen((command + " " + redirect).c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    std::string out;
    std::array<char, 512> chunk;
    for (std::size_t got; (got = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0;) {
        out.append(chunk.data(), got);
    }
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

// The real lumavert-cli as a user runs it, through a shell.
TEST(CliBinary, EachCommandRunsAsInProcessAndFailsWhenItsOutputIsLost) {
    ScratchFolder folder;
    const std::string modes = folder.path("tactical.ini");
    const std::string image = folder.path("tactical.bin");
    const std::string light = "--simulate=" + folder.path("light.bin");
    ASSERT_EQ(runShell({"preset", "tactical", "-o", modes}).status, 0);
    ASSERT_EQ(runShell({"encode", "--binary", modes}, ">'" + image + "'").status, 0);
    const std::vector<std::string> runs[] = {
        {"show", modes},
        {"encode", modes},
        {"encode", "--binary", modes},
        {"decode", image},
        {light, "upload", modes},
        {light, "download"},
        {light, "devices"},
        {light, "test", modes, "2"},
        {"--help"},
        {"--version"},
        {"frobnicate"},
    };
    const CliEnvironment environment{
        [] { return std::make_shared<VirtualBus>(); }, {}, TransferDelays{40, 200}};
    for (const auto& args : runs) {
        std::ostringstream out;
        std::ostringstream err;
        const int code = runCli(args, out, err, environment);
        // A usage error's line comes through the pipe; progress is left out.
        const ShellRun run = runShell(args, code == ExitUsage ? "2>&1" : "2>/dev/null");
        EXPECT_EQ(run.status, code) << args.back();
        EXPECT_EQ(run.out, code == ExitUsage ? err.str() : out.str()) << args.back();
        if (!out.str().empty()) { // what prints fails, saying why, when its output is lost
            const ShellRun lost = runShell(args, "2>&1 >/dev/full");
            EXPECT_EQ(lost.status, ExitFailure) << args.back();
            EXPECT_TRUE(
                ("\n" + lost.out)
                    .ends_with("\nlumavert-cli: standard output: No space left on device\n"))
                << lost.out;
        }
    }
    const ShellRun closed = runShell({"show", modes}, "2>&1 >&-");
    EXPECT_EQ(closed.status, ExitFailure);
    EXPECT_EQ(closed.out, "lumavert-cli: standard output: Bad file descriptor\n");
}

} // namespace
} // namespace lumavert
