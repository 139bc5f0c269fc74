// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/PickerRules.h"

#include "model/ValueRounding.h"
#include "model/ViewState.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace lumavert {
namespace {

bool isStepItem(int key) {
    return key == ItemLighting || key == ItemDimming;
}

// The field an item shows, for a const or a changeable mode; null when there is none.
template <typename Mode>
auto recordField(Mode& mode, int key, int entryIndex) -> decltype(&mode.brightness) {
    switch (key) {
    case ItemBrightness:
        return &mode.brightness;
    case ItemFrequency:
        return &mode.frequency;
    case ItemCustomize:
    case ItemSos:
        return &mode.minutes;
    default:
        break;
    }
    if (isStepItem(key) && entryIndex >= 0 && entryIndex < entryCount(mode)) {
        return &mode.steps[static_cast<std::size_t>(entryIndex)];
    }
    return nullptr;
}

} // namespace

ItemRange itemRange(int key) {
    switch (key) {
    case ItemBrightness:
        return {"%", 0, 1, 100, 1, 1};
    case ItemFrequency:
        return {"HZ", 0, 1, 40, 1, 1};
    case ItemCustomize:
    case ItemSos:
        return {"min", 0, 0, 10, 1, 1};
    case ItemLighting:
    case ItemDimming:
        return {"ms", 0, 50, 3000, 50, 1};
    default:
        return {};
    }
}

std::optional<double> parseTypedValue(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\n\v\f\r");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(first);
    // from_chars takes no plus sign; a second sign after it stays refused.
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-' || text.front() == '+') {
            return std::nullopt;
        }
    }
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> committedValue(std::string_view text, const ItemRange& range) {
    const std::optional<double> value = parseTypedValue(text);
    if (!value || !(range.maximum > range.minimum)) {
        return std::nullopt;
    }
    return roundToStep(std::clamp(*value, range.minimum, range.maximum), range.step);
}

std::optional<int> recordValue(const LightMode& mode, int key, int entryIndex) {
    const std::int32_t* field = recordField(mode, key, entryIndex);
    if (field == nullptr) {
        return std::nullopt;
    }
    return *field;
}

void writeRecordValue(LightMode& mode, int key, int entryIndex, double shown, double scale) {
    std::int32_t* field = recordField(mode, key, entryIndex);
    if (field != nullptr && scale != 0.0) {
        *field = truncateToInt(shown / scale);
    }
}

int applyItemChoice(LightMode* mode, int key) {
    auto setKind = [mode](int kind, std::optional<int> sos) {
        if (mode != nullptr) {
            mode->kind = kind;
            if (sos) {
                mode->sos = *sos;
            }
        }
    };
    switch (key) {
    case ItemBrightness:
        setKind(KindBrightness, 0);
        return NoticeKindChanged;
    case ItemFrequency:
        setKind(KindFrequency, 0);
        return NoticeKindChanged;
    case ItemCustomize:
        setKind(KindCustomize, 0);
        return NoticeKindChanged;
    case ItemSos:
        setKind(KindCustomize, 1);
        return NoticeSos;
    case ItemLighting:
    case ItemDimming:
        setKind(KindCustomize, std::nullopt);
        return NoticeKindChanged;
    case ItemInsert:
        return NoticeInsert;
    case ItemDelete:
        return NoticeDelete;
    default:
        return 0;
    }
}

int itemKeyForKind(int kind) {
    switch (kind) {
    case KindBrightness:
        return ItemBrightness;
    case KindFrequency:
        return ItemFrequency;
    case KindCustomize:
        return ItemCustomize;
    default:
        return 0;
    }
}

} // namespace lumavert
