// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "i18n/TextCatalogue.h"

#include <QString>

#include <string_view>

namespace lumavert {

/// UTF-8 text as the widgets take it.
inline QString qtString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// A catalogue entry in the current language, as the widgets take it.
inline QString qtText(Text entry) {
    return QString::fromStdString(lookupText(entry));
}

} // namespace lumavert
