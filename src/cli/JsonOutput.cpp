// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/JsonOutput.h"

#include "device/HidLink.h"
#include "device/KeptValues.h"

#include <cstdio>

namespace lumavert {

namespace {

std::string quoted(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

template <typename Items, typename Item>
std::string array(const Items& items, Item item) {
    std::string json = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        json += (i == 0 ? "" : ",") + item(items[i]);
    }
    return json + "]";
}

std::string numbers(const std::vector<std::int32_t>& values) {
    return array(values, [](std::int32_t v) { return std::to_string(v); });
}

std::string kindName(int kind) {
    switch (kind) {
    case KindBrightness:
        return "brightness";
    case KindFrequency:
        return "frequency";
    case KindCustomize:
        return "customize";
    default:
        return "unknown"; // only a foreign image holds one; kindCode says which
    }
}

// Only a custom mode's durations mean anything; the others keep placeholders.
std::vector<std::int32_t> keptDurations(const LightMode& mode) {
    return mode.kind == KindCustomize ? keptMode(mode).steps : std::vector<std::int32_t>{};
}

std::string modeJson(const LightMode& mode, std::size_t number) {
    return "{\"number\":" + std::to_string(number) + ",\"kind\":" + quoted(kindName(mode.kind)) +
           ",\"kindCode\":" + std::to_string(mode.kind) +
           ",\"brightness\":" + std::to_string(mode.brightness) +
           ",\"frequency\":" + std::to_string(mode.frequency) +
           ",\"minutes\":" + std::to_string(mode.minutes) +
           ",\"sos\":" + (mode.sos != 0 ? "true" : "false") +
           ",\"durationsMs\":" + numbers(mode.steps) +
           ",\"keptDurationsMs\":" + numbers(keptDurations(mode)) + "}";
}

std::string accessName(OpenStatus status) {
    switch (status) {
    case OpenStatus::Opened:
        return "ok";
    case OpenStatus::PermissionDenied:
        return "permission-denied";
    case OpenStatus::Absent:
        return "gone";
    case OpenStatus::Failed:
        break;
    }
    return "failed";
}

std::string lightJson(const ListedLight& light) {
    const HidDeviceInfo& device = light.device;
    return "{\"id\":" + quoted(usbId(device.vendorId, device.productId)) +
           ",\"vendorId\":" + std::to_string(device.vendorId) +
           ",\"productId\":" + std::to_string(device.productId) +
           ",\"interface\":" + std::to_string(device.interfaceNumber) +
           ",\"path\":" + quoted(device.path) +
           ",\"reports\":" + quoted(light.featureReports ? "feature" : "output") +
           ",\"access\":" + quoted(accessName(light.access)) + "}";
}

} // namespace

std::string modeSetJson(const ModeSet& modes) {
    std::size_t number = 0;
    return "{\"modes\":" +
           array(modes, [&number](const LightMode& m) { return modeJson(m, ++number); }) + "}\n";
}

std::string lightsJson(const std::vector<ListedLight>& lights) {
    return "{\"lights\":" + array(lights, lightJson) + "}\n";
}

} // namespace lumavert
