// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/QtTranslations.h"

#include "i18n/TextCatalogue.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <initializer_list>

namespace lumavert {

namespace {

struct QtCatalogues {
    const char* locale;
    std::initializer_list<const char*> files; ///< a later file wins over an earlier one
};

// Qt has no European Portuguese catalogue of its own base texts: the message box keys come
// from the Brazilian one, everything the old European catalogue knows from that.
const QtCatalogues kCatalogues[] = {
    {"de", {"qtbase_de"}},       {"fr", {"qtbase_fr"}},
    {"es", {"qtbase_es"}},       {"pt_PT", {"qtbase_pt_BR", "qt_pt_PT"}},
    {"zh_CN", {"qtbase_zh_CN"}},
};

} // namespace

bool installQtTranslations(const std::string& languageCode) {
    const std::string locale = localeName(languageCode);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const QtCatalogues& catalogues : kCatalogues) {
        if (locale != catalogues.locale) {
            continue;
        }
        bool loaded = true;
        for (const char* file : catalogues.files) {
            auto* translator = new QTranslator(QCoreApplication::instance());
            loaded = translator->load(QLatin1String(file), folder) &&
                     QCoreApplication::installTranslator(translator) && loaded;
        }
        return loaded;
    }
    return true; // English: Qt's own texts already are
}

} // namespace lumavert
