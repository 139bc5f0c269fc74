// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QUrl>

namespace lumavert {

/// Where a file that ships beside the program is: `<program folder>/res`, the installed
/// share folder, or the source tree the program was built from. Empty when none holds it.
QString programFile(const QString& relativePath);

/// The local introduction page for the current language.
QUrl localIntroPage();

/// The on-line introduction page, when the build names the maker's image server; else empty.
QUrl onlineIntroPage();

/// The program's own help.
QUrl helpPageUrl();

/// What the web address label shows and opens.
struct SiteAddress {
    QString caption;
    QString link;
};

/// The maker's web site when the build names it; otherwise the program's own help.
SiteAddress webSiteAddress(const std::string& languageCode);

} // namespace lumavert
