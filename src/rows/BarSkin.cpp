// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/BarSkin.h"

#include "controls/ColorRef.h"
#include "model/PickerRules.h"

namespace lumavert {

BarBitmaps barBitmaps(int itemMask, bool selected, bool marked) {
    if (itemMask & ItemLighting) {
        return selected ? BarBitmaps{221, 219, 234} : BarBitmaps{215, 213, 233};
    }
    if (itemMask & ItemDimming) {
        return selected ? BarBitmaps{221, 222, 239} : BarBitmaps{215, 216, 238};
    }
    if (!selected) {
        return {213, 214, 235};
    }
    return marked ? BarBitmaps{219, 223, 237} : BarBitmaps{219, 220, 236};
}

std::uint32_t barTextColour(int itemMask) {
    return (itemMask & ItemLighting) ? kBlack : kWhite;
}

} // namespace lumavert
