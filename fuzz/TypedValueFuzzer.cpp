// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any text typed into a row's edit box: the parse agrees with the C library's string-to-double
// conversion, and a committed value always lies within the item's range on a multiple of its
// step, so the record never takes a value the editor does not offer.

#include "FuzzSupport.h"
#include "model/PickerRules.h"

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace lumavert;

namespace {

// Hexadecimal numbers, infinities and NaN are the C library's, not a typed decimal.
bool looksDecimal(const std::string& text) {
    return text.find_first_not_of("0123456789.eE+- \t\n\v\f\r") == std::string::npos;
}

void checkAgainstStrtod(const std::string& text, std::optional<double> parsed) {
    if (text.find('\0') != std::string::npos) {
        return;
    }
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    const bool whole = end != text.c_str() && *end == '\0';
    if (parsed) {
        require(whole && value == *parsed, "an accepted text is the number strtod reads");
    } else if (looksDecimal(text)) {
        // strtod also flags values that underflow to zero or a subnormal; both refuse those
        // that overflow.
        require(!whole || errno == ERANGE, "a refused decimal text is one strtod refuses");
    }
}

void checkCommit(const std::string& text, std::optional<double> parsed, int key,
                 const ItemRange& item) {
    const std::optional<double> committed = committedValue(text, item);
    if (!parsed || !(item.maximum > item.minimum)) {
        require(!committed, "refused text or an action item commits nothing");
        return;
    }
    require(committed.has_value(), "a number commits on a value item");
    require(*committed >= item.minimum && *committed <= item.maximum, "within the item's range");
    require(std::fmod(*committed, item.step) == 0.0, "on a multiple of the step");

    LightMode mode = makeDefaultMode();
    mode.steps.assign(kMaxEntries, 50);
    writeRecordValue(mode, key, 3, *committed, item.scale);
    const std::optional<int> stored = recordValue(mode, key, 3);
    require(stored && *stored == static_cast<int>(*committed / item.scale),
            "the record holds the committed value");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> parsed = parseTypedValue(text);
    checkAgainstStrtod(text, parsed);
    for (const int key : {ItemBrightness, ItemFrequency, ItemCustomize, ItemSos, ItemLighting,
                          ItemDimming, ItemInsert, ItemDelete}) {
        checkCommit(text, parsed, key, itemRange(key));
    }
    return 0;
}
