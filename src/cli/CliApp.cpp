// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CliApp.h"

#include "cli/CliCommandLine.h"
#include "cli/JsonOutput.h"
#include "cli/ModeSetTable.h"
#include "cli/TransferRunner.h"
#include "config/ModeSetFile.h"
#include "device/DeviceImageCodec.h"
#include "device/HidLink.h"
#include "device/ImageFile.h"
#include "device/KeptValues.h"
#include "device/PermissionHint.h"
#include "device/SimulatedLight.h"
#include "device/TransferCommands.h"
#include "device/TransferSequence.h"
#include "device/VirtualBus.h"
#include "model/Presets.h"
#include "program/Version.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <new>

namespace lumavert {

namespace {

constexpr std::string_view kProgram = "lumavert-cli";

/// Ends a command with an exit code and a one-line message.
struct CliFailure {
    int exitCode;
    std::string message;
};

[[noreturn]] void fail(const std::string& message) {
    throw CliFailure{ExitFailure, message};
}

/// Messages quote what the user typed; a newline or a terminal escape in a file name must not
/// split the message or reach the terminal as a control sequence.
std::string oneLine(std::string_view message) {
    std::string line;
    line.reserve(message.size());
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            line += c;
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
        line += escaped;
    }
    return line;
}

std::string describeLight(const HidDeviceInfo& device) {
    return "light " + usbId(device.vendorId, device.productId) + " at " + device.path;
}

std::string seconds(int milliseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%g s", milliseconds / 1000.0);
    return text;
}

std::string englishText(Text entry) {
    return lookupText(entry, "en");
}

class CliApp {
  public:
    CliApp(const CliCommandLine& line, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment)
        : line_(line)
        , out_(out)
        , err_(err)
        , environment_(environment) {}

    int run() {
        switch (line_.command) {
        case CliCommand::Devices:
            return devices();
        case CliCommand::Upload:
            return upload();
        case CliCommand::Download:
            return download();
        case CliCommand::Test:
            return test();
        case CliCommand::Show:
            return show();
        case CliCommand::Encode:
            return encode();
        case CliCommand::Decode:
            return decode();
        case CliCommand::Preset:
            return preset();
        }
        return ExitUsage;
    }

  private:
    int devices() {
        HidBus& hidBus = bus();
        std::vector<ListedLight> lights;
        for (const HidDeviceInfo& device : hidBus.enumerate()) {
            if (const std::optional<AcceptedDevice> row = matchAcceptedDevice(device)) {
                lights.push_back(
                    {device, row->usesFeatureReports, hidBus.open(device.path).status});
            }
        }
        if (lights.empty()) {
            fail("no light found");
        }
        out_ << (line_.json ? lightsJson(lights) : lightsTable(lights));
        if (std::none_of(lights.begin(), lights.end(), [](const ListedLight& light) {
                return light.access == OpenStatus::Opened;
            })) {
            fail("no light can be opened by this user");
        }
        return ExitOk;
    }

    static std::string lightsTable(const std::vector<ListedLight>& lights) {
        std::string table;
        for (const auto& [device, featureReports, access] : lights) {
            table += usbId(device.vendorId, device.productId) + "  interface " +
                     std::to_string(device.interfaceNumber) + "  " + device.path + "  " +
                     (featureReports ? "feature reports" : "output reports") + "  " +
                     statusText(access) + "\n";
        }
        return table;
    }

    static std::string statusText(OpenStatus status) {
        switch (status) {
        case OpenStatus::Opened:
            return "ok";
        case OpenStatus::PermissionDenied:
            return "no permission: " + permissionAdvice();
        case OpenStatus::Absent:
            return "gone";
        case OpenStatus::Failed:
            break;
        }
        return "cannot be opened";
    }

    static std::string uploadFailure(const HidLink& hidLink, int failedWrites) {
        const std::string light = describeLight(hidLink.lastProbe().device);
        const std::string blocks = std::to_string(failedWrites) + " of 4 blocks";
        switch (hidLink.lastWriteFailure()) {
        case WriteFailure::ReportTooShort:
            return "the " + light + " states output reports of " +
                   std::to_string(hidLink.lastOutputReportLength()) + " bytes; a block needs " +
                   std::to_string(kBlockSize + 1) + ", so nothing was written";
        case WriteFailure::Refused:
            return "the " + light + " refused " + blocks;
        case WriteFailure::Gone:
        case WriteFailure::None:
            break;
        }
        return blocks + " did not reach the " + light + ": it went away";
    }

    int upload() {
        const std::string& file = line_.operands.at(0);
        const ModeSet modes = load(file);
        if (modes.empty()) {
            fail(file + ": the Mode set is empty; a light would read it as 256 modes, so nothing "
                        "is uploaded");
        }
        HidLink& hidLink = link();
        DeviceImage blocks;
        if (prepareUpload(hidLink, modes, blocks) == UploadStart::NoLight) {
            failNoLight(hidLink);
        }
        if (line_.verify && !hidLink.usesFeatureReports()) {
            fail("--verify: the " + describeLight(hidLink.lastProbe().device) +
                 " takes output reports and cannot be read back; nothing was uploaded");
        }
        const TransferSequence& sequence = transfer(TransferDirection::Upload, blocks);
        if (sequence.failedWrites() > 0) {
            fail(uploadFailure(hidLink, sequence.failedWrites()));
        }
        checkSimulatedMemory();
        if (line_.verify) {
            verify(file, keptModeSet(modes), readBack());
        }
        return ExitOk;
    }

    void verify(const std::string& file, const ModeSet& expected, const ModeSet& found) {
        const std::vector<int> differing = differingModes(expected, found);
        if (differing.empty()) {
            err_ << "Verified: the light gives back what " << file << " must give\n";
            return;
        }
        std::string numbers;
        for (std::size_t i = 0; i < differing.size(); ++i) {
            numbers += (i == 0                      ? ""
                        : i + 1 == differing.size() ? " and "
                                                    : ", ") +
                       std::to_string(differing[i]);
        }
        fail("--verify: the light gives back " + std::to_string(found.size()) + " modes; " +
             (differing.size() == 1 ? "mode " : "modes ") + numbers +
             (differing.size() == 1 ? " differs" : " differ") + " from what " + file +
             " must give");
    }

    int download() {
        const ModeSet modes = readBack();
        if (modes.empty()) {
            err_ << "the light holds no Mode set: its memory is erased\n";
        }
        return showOrSave(modes);
    }

    // Reads the light's Mode set through the download sequence.
    ModeSet readBack() {
        HidLink& hidLink = link();
        DeviceImage blocks;
        if (prepareDownload(hidLink, false, blocks) == DownloadStart::NoLight) {
            failNoLight(hidLink);
        }
        const TransferSequence& sequence = transfer(TransferDirection::Download, blocks);
        if (!sequence.downloadCompleted()) {
            const std::string light = describeLight(hidLink.lastProbe().device);
            fail(englishText(Text::DownloadFailed) + ": the " + light +
                 (sequence.lightWentAway() ? " went away before it had sent its 256 bytes"
                                           : " did not send its 256 bytes within " +
                                                 seconds(environment_.delays.answerLimitMs)));
        }
        ModeSet modes;
        decodeDeviceImage(blocks, modes);
        return modes;
    }

    int test() {
        const ModeSet modes = load(line_.operands.at(0));
        const int number = modeNumber(line_.operands.at(1));
        if (number > modeCount(modes)) {
            fail(line_.operands.at(0) + " holds " + std::to_string(modes.size()) +
                 " modes; there is no mode " + line_.operands.at(1));
        }
        HidLink& hidLink = link();
        if (hidLink.probe() == 0) {
            failNoLight(hidLink);
        }
        Block preview;
        encodePreviewBlock(modes[static_cast<std::size_t>(number - 1)], preview);
        if (hidLink.writeReport(preview) == 0) {
            fail("the " + describeLight(hidLink.lastProbe().device) + " did not take the preview");
        }
        err_ << "Mode " << number << " sent to the " << describeLight(hidLink.lastProbe().device)
             << "\n";
        return ExitOk;
    }

    int show() {
        print(load(line_.operands.at(0)));
        return ExitOk;
    }

    int encode() {
        DeviceImage image;
        encodeDeviceImage(load(line_.operands.at(0)), image);
        for (const Block& block : image) {
            if (line_.binary) {
                out_.write(reinterpret_cast<const char*>(block.data()), kBlockSize);
                continue;
            }
            for (std::size_t i = 0; i < block.size(); ++i) {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%02X", block[i]);
                out_ << (i == 0 ? "" : " ") << hex;
            }
            out_ << "\n";
        }
        return ExitOk;
    }

    int decode() {
        DeviceImage image;
        std::string error;
        if (!readImageFile(line_.operands.at(0), image, error)) {
            fail(error);
        }
        ModeSet modes;
        decodeDeviceImage(image, modes);
        return showOrSave(modes);
    }

    int preset() {
        const std::optional<Preset> chosen = presetByCliName(line_.operands.at(0));
        if (!chosen) {
            throw CliFailure{ExitUsage, "unknown preset '" + line_.operands.at(0) + "'; choose " +
                                            presetCliNames()};
        }
        ModeSet modes;
        applyPreset(*chosen, modes);
        save(modes, *line_.output);
        return ExitOk;
    }

    // Shared steps.

    ModeSet load(const std::string& file) {
        ModeSet modes;
        LoadRefusal why;
        if (!loadModeSet(modes, file, kMaxModes, kMaxEntries, &why)) {
            // A file that could not be read at all is named by its reason already.
            fail(why.section.empty() ? why.describe() : file + ": " + why.describe());
        }
        return modes;
    }

    static void save(const ModeSet& modes, const std::filesystem::path& file) {
        std::string why;
        if (!saveModeSet(modes, file, kMaxModes, kMaxEntries, &why)) {
            fail(why);
        }
    }

    int showOrSave(const ModeSet& modes) {
        if (line_.output) {
            save(modes, *line_.output);
        } else {
            print(modes);
        }
        return ExitOk;
    }

    void print(const ModeSet& modes) {
        out_ << (line_.json ? modeSetJson(modes) : formatModeSet(modes));
    }

    static int modeNumber(const std::string& text) {
        int number = 0;
        const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (status != std::errc() || end != text.data() + text.size() || number < 1) {
            throw CliFailure{ExitUsage, "N must be a mode number from 1, not '" + text + "'"};
        }
        return number;
    }

    HidBus& bus() {
        if (bus_) {
            return *bus_;
        }
        if (!line_.simulate) {
            bus_ = environment_.systemBus();
            return *bus_;
        }
        auto virtualBus = std::make_shared<VirtualBus>();
        std::string error;
        simulatedLight_ = addSimulatedLight(*virtualBus, line_.simulateFile, error);
        if (simulatedLight_ == nullptr) {
            fail("--simulate: " + error);
        }
        bus_ = std::move(virtualBus);
        return *bus_;
    }

    HidLink& link() {
        if (!link_) {
            link_ = std::make_unique<HidLink>(bus());
        }
        return *link_;
    }

    [[noreturn]] static void failNoLight(const HidLink& hidLink) {
        const ProbeResult& probe = hidLink.lastProbe();
        if (probe.status == ProbeStatus::PermissionDenied) {
            fail("no permission to open the " + describeLight(probe.device) + ": " +
                 permissionAdvice());
        }
        std::string lookedFor;
        for (const AcceptedDevice& row : acceptedDevices()) {
            lookedFor += (lookedFor.empty() ? "" : ", ") + usbId(row.vendorId, row.productId);
        }
        fail("no light found (looked for " + lookedFor + ")");
    }

    // Runs the transfer dialog's sequence in real time, with its progress on `err`.
    const TransferSequence& transfer(TransferDirection direction, DeviceImage& blocks) {
        sequence_ = std::make_unique<TransferSequence>(direction, link(), blocks, runner_,
                                                       runner_.notifier(), environment_.delays);
        runner_.run(*sequence_, [this](const TransferDisplay& display) {
            err_ << englishText(display.message) << " " << display.progress << "/" << kTransferSteps
                 << "\n";
        });
        return *sequence_;
    }

    void checkSimulatedMemory() const {
        if (simulatedLight_ != nullptr && !simulatedLight_->persistError().empty()) {
            fail("--simulate: the light's memory was not saved: " +
                 simulatedLight_->persistError());
        }
    }

    const CliCommandLine& line_;
    std::ostream& out_;
    std::ostream& err_;
    const CliEnvironment& environment_;
    // Declared in the order they depend on each other; destroyed the other way round.
    std::shared_ptr<HidBus> bus_;
    VirtualLight* simulatedLight_ = nullptr;
    std::unique_ptr<HidLink> link_;
    TransferRunner runner_;
    std::unique_ptr<TransferSequence> sequence_;
};

int runCommand(const CliCommandLine& line, std::ostream& out, std::ostream& err,
               const CliEnvironment& environment) {
    const std::string where = std::string(kProgram) + ": " + commandName(line.command) + ": ";
    try {
        return CliApp(line, out, err, environment).run();
    } catch (const CliFailure& failure) {
        err << where << oneLine(failure.message) << "\n";
        return failure.exitCode;
    } catch (const std::bad_alloc&) {
        err << where << "out of memory\n";
    } catch (...) {
        err << where << "stopped by an unexpected failure\n";
    }
    return ExitFailure;
}

int runParsed(std::span<const std::string> args, std::ostream& out, std::ostream& err,
              const CliEnvironment& environment) {
    std::string usageError;
    const std::optional<CliCommandLine> line = parseCommandLine(args, usageError);
    if (!line) {
        err << kProgram << ": " << oneLine(usageError) << " (see " << kProgram << " --help)\n";
        return ExitUsage;
    }
    if (line->help) {
        out << cliUsage();
        return ExitOk;
    }
    if (line->version) {
        out << kProgram << " " << kVersion << "\n";
        return ExitOk;
    }
    return runCommand(*line, out, err, environment);
}

} // namespace

int runCli(std::span<const std::string> args, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment) {
    int code = ExitFailure;
    try {
        code = runParsed(args, out, err, environment);
    } catch (...) {
        err << kProgram << ": out of memory\n"; // all that can fail outside a command
        return ExitFailure;
    }
    // A failed command has said why already; one line is enough.
    if (!out.flush() && code == ExitOk) {
        err << kProgram << ": standard output: "
            << (environment.outputError ? environment.outputError() : "cannot be written") << "\n";
        code = ExitFailure;
    }
    return code;
}

} // namespace lumavert
