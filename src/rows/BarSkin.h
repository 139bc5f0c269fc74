// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace lumavert {

/// Resource ids of the value bar's pictures.
struct BarBitmaps {
    int background = 0;
    int fill = 0;
    int marker = 0;
};

/// The value bar's pictures for a row with this item mask in a selection state. Marked
/// matters only on a selected mode row.
BarBitmaps barBitmaps(int itemMask, bool selected, bool marked);

/// Colour of the value text on a row with this item mask (0x00BBGGRR).
std::uint32_t barTextColour(int itemMask);

} // namespace lumavert
