// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/DeviceImageCodec.h"

#include <filesystem>
#include <string>

namespace lumavert {

/// Reads a light's 256 bytes (a virtual light's memory, or what `encode --binary` wrote). False,
/// with `error` naming the file and the reason, unless it is a regular file of exactly 256
/// bytes; at most 257 bytes are read.
bool readImageFile(const std::filesystem::path& file, DeviceImage& image, std::string& error);

/// Replaces the file by the 256 bytes with replaceFile. False, with `error` saying why.
bool writeImageFile(const std::filesystem::path& file, const DeviceImage& image,
                    std::string& error);

} // namespace lumavert
