// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ProgramFiles.h"

#include "controls/QtText.h"
#include "i18n/TextCatalogue.h"
#include "program/Version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lumavert {

namespace {

// Set by the build: the hosts of the maker's servers (empty when unknown).
const QString kWebHost = QStringLiteral(LUMAVERT_WEB_HOST);
const QString kImageHost = QStringLiteral(LUMAVERT_IMAGE_HOST);

// A build tree links res/ beside each program; an installed program finds it under its prefix.
QStringList resourceFolders() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder + QStringLiteral("/res"),
            programFolder + QStringLiteral("/../share/lumavert/res")};
}

} // namespace

QString programFile(const QString& relativePath) {
    for (const QString& folder : resourceFolders()) {
        const QFileInfo file(QDir(folder).filePath(relativePath));
        if (file.exists()) {
            return file.canonicalFilePath();
        }
    }
    return {};
}

QUrl localIntroPage() {
    return QUrl::fromLocalFile(
        programFile(QString::fromStdString(localIntroPage(CurrentLanguage()))));
}

QUrl onlineIntroPage() {
    if (kImageHost.isEmpty()) {
        return {};
    }
    return QUrl(QStringLiteral("http://") + kImageHost +
                QString::fromStdString(introPagePath(CurrentLanguage())));
}

QUrl helpPageUrl() {
    return QUrl::fromLocalFile(programFile(QStringLiteral("help/index.html")));
}

SiteAddress webSiteAddress(const std::string& languageCode) {
    if (kWebHost.isEmpty()) {
        return {qtString(kProductTitle), helpPageUrl().toString()};
    }
    return {kWebHost, QStringLiteral("http://") + kWebHost +
                          QString::fromStdString(webSitePath(languageCode))};
}

} // namespace lumavert
