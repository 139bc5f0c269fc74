// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/LightMode.h"

#include <optional>
#include <string_view>

namespace lumavert {

/// Item keys: single bits, so that an item mask names a set of them.
enum ItemKey : int {
    ItemBrightness = 1,
    ItemFrequency = 2,
    ItemCustomize = 4,
    ItemSos = 8,
    ItemLighting = 16,
    ItemDimming = 32,
    ItemInsert = 256,
    ItemDelete = 512,
};

/// Item masks of the three kinds of row.
inline constexpr int kModeRowItems =
    ItemBrightness | ItemFrequency | ItemCustomize | ItemSos | ItemInsert | ItemDelete; // 0x30F
inline constexpr int kLightingRowItems = ItemLighting | ItemDelete;                     // 0x210
inline constexpr int kDimmingRowItems = ItemDimming | ItemDelete;                       // 0x220

/// How an item's value is shown on the value bar. Action items have an empty range.
struct ItemRange {
    const char* unit = "";
    int decimals = 0;
    double minimum = 0.0; ///< in shown units
    double maximum = 0.0;
    double step = 0.0;
    double scale = 0.0; ///< shown value = record value * scale; 0 for the action items
};

/// The range of an item key; an empty one for the action items and unknown keys.
ItemRange itemRange(int key);

/// The whole text as a decimal number: leading white space, an optional sign, digits with an
/// optional point, an optional exponent. Anything left over, a number beyond the double range
/// or one that is not finite gives nothing. Independent of the locale.
std::optional<double> parseTypedValue(std::string_view text);

/// What a typed text stores for an item: the parsed number limited to the item's range and
/// rounded to its step. Nothing when the text is refused or the item has no range.
std::optional<double> committedValue(std::string_view text, const ItemRange& range);

/// The record field an item shows, or nothing for action items and entries that do not exist.
std::optional<int> recordValue(const LightMode& mode, int key, int entryIndex);

/// Writes a shown value into the record field of the item, as shown value / scale truncated.
/// Action items, a zero scale and entries that do not exist change nothing.
void writeRecordValue(LightMode& mode, int key, int entryIndex, double shown, double scale);

/// Applies the choice of an item to the bound record (when there is one) and returns the
/// notice the row then posts, or 0 for a key that posts nothing.
int applyItemChoice(LightMode* mode, int key);

/// The item that shows a mode of this kind on a mode row, or 0 for an unknown kind.
int itemKeyForKind(int kind);

} // namespace lumavert
