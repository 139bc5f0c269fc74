// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/PickerRules.h"

#include <QString>

#include <map>

namespace lumavert {

/// One entry of a row's item list: its name and how its value is shown on the value bar.
struct PickerItem {
    QString name;
    ItemRange range;
};

/// Items by key, in ascending key order.
using ItemTable = std::map<int, PickerItem>;

/// The eight items, named in the current language of the text catalogue.
ItemTable makeItemTable();

} // namespace lumavert
