// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/HidBus.h"

#include <string>

namespace lumavert {

/// Where the udev rule that grants the local user access to the lights is installed.
inline constexpr const char* kUdevRulePath = "/usr/lib/udev/rules.d/70-lumavert.rules";

/// How to grant access to the lights: the udev rule and the command that reloads the rules.
std::string permissionAdvice();

/// For the window, whose light is listed but may not be opened: which node, the installed rule
/// and the reload command, in the current language.
std::string permissionHint(const HidDeviceInfo& device);

} // namespace lumavert
