#pragma once

#include <QString>

#include <map>

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

/// One entry of a row's item list: its name and how its value is shown on the value bar.
struct PickerItem {
    QString name;
    QString unit;
    int decimals = 0;
    double minimum = 0.0; ///< in shown units
    double maximum = 0.0;
    double step = 0.0;
    double scale = 0.0; ///< shown value = record value * scale; 0 for the action items
};

/// Items by key, in ascending key order.
using ItemTable = std::map<int, PickerItem>;

/// The eight items, named in the current language of the text catalogue.
ItemTable makeItemTable();

} // namespace lumavert
