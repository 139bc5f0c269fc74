// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/ModeSetTable.h"

#include "device/KeptValues.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace lumavert {

namespace {

std::string kindName(const LightMode& mode) {
    switch (mode.kind) {
    case KindBrightness:
        return "Brightness";
    case KindFrequency:
        return "Frequency";
    case KindCustomize:
        return mode.sos != 0 ? "S.O.S" : "Customize";
    default:
        return "kind " + std::to_string(mode.kind);
    }
}

std::string valueText(const LightMode& mode) {
    switch (mode.kind) {
    case KindBrightness:
        return std::to_string(mode.brightness) + " %";
    case KindFrequency:
        return std::to_string(mode.frequency) + " Hz";
    case KindCustomize:
        return std::to_string(stepCount(mode)) + " steps";
    default:
        return "-";
    }
}

std::string stepsText(const LightMode& mode) {
    if (mode.kind != KindCustomize) {
        return "";
    }
    std::string text;
    for (std::size_t i = 0; i < mode.steps.size(); i += 2) {
        text += (text.empty() ? "" : " ") + std::to_string(mode.steps[i]) + "/" +
                (i + 1 < mode.steps.size() ? std::to_string(mode.steps[i + 1]) : "-");
    }
    return text;
}

std::string stepsKept(const LightMode& mode) {
    return mode.kind == KindCustomize ? stepsText(keptMode(mode)) : "";
}

struct Line {
    std::string number, kind, value, minutes, steps, kept;
};

std::string format(const Line& line, std::size_t stepsWidth) {
    char fixed[96];
    std::snprintf(fixed, sizeof fixed, "%4s  %-10s  %-8s  %7s", line.number.c_str(),
                  line.kind.c_str(), line.value.c_str(), line.minutes.c_str());
    std::string steps = line.steps;
    steps.resize(stepsWidth, ' ');
    std::string text = std::string(fixed) + "  " + steps + "  " + line.kept;
    text.erase(text.find_last_not_of(' ') + 1);
    return text + "\n";
}

} // namespace

std::string formatModeSet(const ModeSet& modes) {
    std::vector<Line> lines{
        {"Mode", "Kind", "Value", "Minutes", "Steps (ms lit/dim)", "Light keeps (ms lit/dim)"}};
    for (std::size_t i = 0; i < modes.size(); ++i) {
        const LightMode& mode = modes[i];
        lines.push_back({std::to_string(i + 1), kindName(mode), valueText(mode),
                         std::to_string(mode.minutes), stepsText(mode), stepsKept(mode)});
    }
    std::size_t stepsWidth = 0;
    for (const Line& line : lines) {
        stepsWidth = std::max(stepsWidth, line.steps.size());
    }
    std::string table;
    for (const Line& line : lines) {
        table += format(line, stepsWidth);
    }
    return modes.empty() ? table + "   (no modes)\n" : table;
}

} // namespace lumavert
