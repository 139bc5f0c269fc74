// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace lumavert {

/// Loads Qt's own texts (file dialogs, the overwrite question, message box keys) in the language
/// of a Language code; English needs none. Call once the application exists. Returns false when
/// the language's catalogues are not installed (Debian: qt6-translations-l10n).
bool installQtTranslations(const std::string& languageCode);

} // namespace lumavert
