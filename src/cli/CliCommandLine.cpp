// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CliCommandLine.h"

#include "model/Presets.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace lumavert {

namespace {

enum class OutputOption { None, Optional, Required };

struct CommandForm {
    CliCommand command;
    std::string_view name;
    std::string_view synopsis;
    std::size_t operands;
    OutputOption output;
    bool binary;
    bool verify;
    bool json;
    std::string_view summary;
};

constexpr std::array<CommandForm, 8> kCommands{{
    {CliCommand::Devices, "devices", "devices [--json]", 0, OutputOption::None, false, false, true,
     "list the lights and whether they can be opened"},
    {CliCommand::Upload, "upload", "upload [--verify] FILE.ini", 1, OutputOption::None, false, true,
     false,
     "write the Mode set of FILE.ini into the light;\n"
     "                                  --verify reads it back and compares"},
    {CliCommand::Download, "download", "download [-o FILE.ini | --json]", 0, OutputOption::Optional,
     false, false, true, "read the light's Mode set: show or save it"},
    {CliCommand::Test, "test", "test FILE.ini N", 2, OutputOption::None, false, false, false,
     "show mode N (from 1) on the light at once"},
    {CliCommand::Show, "show", "show FILE.ini [--json]", 1, OutputOption::None, false, false, true,
     "show the Mode set of FILE.ini as a table"},
    {CliCommand::Encode, "encode", "encode FILE.ini [--binary]", 1, OutputOption::None, true, false,
     false, "print the 256-byte image as hex (or raw)"},
    {CliCommand::Decode, "decode", "decode IMAGE.bin [-o FILE.ini | --json]", 1,
     OutputOption::Optional, false, false, true, "a 256-byte image as a Mode set: show or save"},
    {CliCommand::Preset, "preset", "preset NAME -o FILE.ini", 1, OutputOption::Required, false,
     false, false, "save a preset (NAME: see Presets below)"},
}};

constexpr std::string_view kOutputPrefix = "--output=";
constexpr std::size_t kSummaryColumn = 34;
class Parser {
  public:
    explicit Parser(std::span<const std::string> args)
        : args_(args) {}

    std::optional<CliCommandLine> parse(std::string& error) {
        for (next_ = 0; next_ < args_.size() && error_.empty();) {
            take(args_[next_++]);
        }
        if (error_.empty() && !line_.help && !line_.version) {
            check();
        }
        if (!error_.empty()) {
            error = error_;
            return std::nullopt;
        }
        return line_;
    }

  private:
    void take(const std::string& arg) {
        if (!optionsEnded_ && arg == "--") {
            optionsEnded_ = true;
        } else if (!optionsEnded_ && arg.size() > 1 && arg.front() == '-') {
            takeOption(arg);
        } else if (name_.empty()) {
            name_ = arg;
        } else {
            line_.operands.push_back(arg);
        }
    }

    void takeOption(std::string_view option) {
        if (takeSharedOption(option, line_, error_)) {
            return;
        }
        if (option == "-o" || option == "--output") {
            requireValue(next_ >= args_.size(), std::string(option) + " needs a FILE");
            setOutput(next_ < args_.size() ? args_[next_++] : "");
        } else if (option.starts_with(kOutputPrefix)) {
            setOutput(option.substr(kOutputPrefix.size()));
        } else if (option == "--binary") {
            line_.binary = true;
        } else if (option == "--verify") {
            line_.verify = true;
        } else if (option == "--json") {
            line_.json = true;
        } else {
            error_ = "unknown option '" + std::string(option) + "'";
        }
    }

    void setOutput(std::string_view file) {
        requireValue(line_.output.has_value(), "-o given twice");
        requireValue(file.empty(), "-o needs a FILE");
        line_.output = file;
    }

    void requireValue(bool missing, const std::string& error) {
        if (missing && error_.empty()) {
            error_ = error;
        }
    }

    void check() {
        if (name_.empty()) {
            error_ = "no command given";
            return;
        }
        const auto form = std::find_if(kCommands.begin(), kCommands.end(),
                                       [&](const CommandForm& f) { return f.name == name_; });
        if (form == kCommands.end()) {
            error_ = "unknown command '" + name_ + "'";
            return;
        }
        line_.command = form->command;
        const bool outputWrong = line_.output ? form->output == OutputOption::None
                                              : form->output == OutputOption::Required;
        if (line_.operands.size() != form->operands || outputWrong ||
            (line_.binary && !form->binary) || (line_.verify && !form->verify) ||
            (line_.json && (!form->json || line_.output))) {
            error_ = "usage: lumavert-cli " + std::string(form->synopsis);
        }
    }

    std::span<const std::string> args_;
    std::size_t next_ = 0;
    bool optionsEnded_ = false;
    std::string name_;
    CliCommandLine line_;
    std::string error_;
};

} // namespace

std::optional<CliCommandLine> parseCommandLine(std::span<const std::string> args,
                                               std::string& error) {
    return Parser(args).parse(error);
}

std::string commandName(CliCommand command) {
    const auto form = std::find_if(kCommands.begin(), kCommands.end(),
                                   [&](const CommandForm& f) { return f.command == command; });
    return std::string(form->name);
}

std::string cliUsage() {
    std::string text = "Usage: lumavert-cli [--simulate[=FILE]] COMMAND ...\n"
                       "Programs the light modes of a USB LED flashlight.\n\nCommands:\n";
    for (const CommandForm& form : kCommands) {
        // The summaries form a column; a longer synopsis puts its summary on the next line.
        const std::string synopsis = "  " + std::string(form.synopsis);
        const bool wraps = synopsis.size() >= kSummaryColumn;
        text += synopsis + (wraps ? "\n" : "") +
                std::string(kSummaryColumn - (wraps ? 0 : synopsis.size()), ' ') +
                std::string(form.summary) + "\n";
    }
    text += "\nOptions:\n"
            "  -o, --output FILE   save the Mode set to FILE.ini instead of showing it\n"
            "  --binary            encode: write the 256 raw bytes to standard output\n"
            "  --verify            upload: read the light back and compare; exit 1 naming\n"
            "                      the modes that differ (lights of the 13ec:0056 kind)\n"
            "  --json              devices, show, download, decode: one JSON document for\n"
            "                      scripts (fields in lumavert-cli(1))\n" +
            sharedOptionsHelp() + "\nPresets: " + presetCliNames() +
            "\n\nExit status: 0 done, 1 failed (refused file, no light, no permission, download\n"
            "failed), 2 bad usage.\n";
    return text;
}

} // namespace lumavert
