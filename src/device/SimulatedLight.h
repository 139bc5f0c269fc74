// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/VirtualBus.h"

#include <filesystem>
#include <optional>
#include <string>

namespace lumavert {

/// Adds the light that --simulate stands for: one 13EC:0056 light, feature reports, holding the
/// Factory preset's image as a new light does. With `memoryFile`, a file that exists gives the
/// memory and every change is saved back to it. Null, with `error` saying what and where, when
/// the file exists but cannot be used; nothing is added then.
VirtualLight* addSimulatedLight(VirtualBus& bus,
                                const std::optional<std::filesystem::path>& memoryFile,
                                std::string& error);

} // namespace lumavert
