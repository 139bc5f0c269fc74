// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/HidBus.h"
#include "model/LightMode.h"

#include <string>
#include <vector>

namespace lumavert {

/// A light that `devices` lists: the interface, how it takes blocks, and whether it opened.
struct ListedLight {
    HidDeviceInfo device;
    bool featureReports = false;
    OpenStatus access = OpenStatus::Failed;
};

/// The documents of --json, one line each; lumavert-cli(1) gives their fields, which stay stable.
/// {"modes":[{"number":1,"kind":"brightness",...}]}
std::string modeSetJson(const ModeSet& modes);
/// {"lights":[{"id":"13ec:0056","vendorId":5100,...}]}
std::string lightsJson(const std::vector<ListedLight>& lights);

} // namespace lumavert
