// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

#include <cstdint>

namespace lumavert {

/// The skin's accent green and light grey as 0x00BBGGRR colour references.
inline constexpr std::uint32_t kAccentGreen = 0x3CA714;
inline constexpr std::uint32_t kLightGrey = 0xF0F0F0;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kBlack = 0x000000;

/// Converts a 0x00BBGGRR colour reference; the top byte is ignored.
inline QColor fromColorRef(std::uint32_t ref) {
    return QColor(static_cast<int>(ref & 0xFF), static_cast<int>((ref >> 8) & 0xFF),
                  static_cast<int>((ref >> 16) & 0xFF));
}

} // namespace lumavert
