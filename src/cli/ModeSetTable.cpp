#include "cli/ModeSetTable.h"

#include <cstdio>

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

std::string row(const std::string& number, const std::string& kind, const std::string& value,
                const std::string& minutes, const std::string& steps) {
    char line[96];
    std::snprintf(line, sizeof line, "%4s  %-10s  %-8s  %7s", number.c_str(), kind.c_str(),
                  value.c_str(), minutes.c_str());
    std::string text = line;
    if (!steps.empty()) {
        text += "  " + steps;
    }
    return text + "\n";
}

} // namespace

std::string formatModeSet(const ModeSet& modes) {
    std::string table = row("Mode", "Kind", "Value", "Minutes", "Steps (ms lit/dim)");
    if (modes.empty()) {
        return table + "   (no modes)\n";
    }
    for (std::size_t i = 0; i < modes.size(); ++i) {
        const LightMode& mode = modes[i];
        table += row(std::to_string(i + 1), kindName(mode), valueText(mode),
                     std::to_string(mode.minutes), stepsText(mode));
    }
    return table;
}

} // namespace lumavert
