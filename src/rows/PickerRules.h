#pragma once

#include "model/LightMode.h"
#include "rows/PickerItem.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumavert {

/// The whole text as a decimal number: leading white space, an optional sign, digits with an
/// optional point, an optional exponent. Anything left over, a number beyond the double range
/// or one that is not finite gives nothing. Independent of the locale.
std::optional<double> parseTypedValue(std::string_view text);

/// What a typed text stores for an item: the parsed number limited to the item's range and
/// rounded to its step. Nothing when the text is refused or the item has no range.
std::optional<double> committedValue(std::string_view text, const PickerItem& item);

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
