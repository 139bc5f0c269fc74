// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/PickerItem.h"

#include "controls/QtText.h"

namespace lumavert {
namespace {

struct NamedItem {
    ItemKey key;
    Text name;
};

constexpr NamedItem kItemNames[] = {
    {ItemBrightness, Text::Brightness},
    {ItemFrequency, Text::Frequency},
    {ItemCustomize, Text::Customize},
    {ItemSos, Text::SosItem},
    {ItemLighting, Text::LightingDuration},
    {ItemDimming, Text::DimmingDuration},
    {ItemInsert, Text::Insert},
    {ItemDelete, Text::Delete},
};

} // namespace

ItemTable makeItemTable() {
    ItemTable items;
    for (const auto& [key, name] : kItemNames) {
        items[key] = {qtText(name), itemRange(key)};
    }
    return items;
}

} // namespace lumavert
