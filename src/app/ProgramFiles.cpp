#include "app/ProgramFiles.h"

#include "i18n/TextCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lumavert {

namespace {

// Set by the build: the hosts of the maker's servers (empty when unknown) and the sources.
const QString kWebHost = QStringLiteral(LUMAVERT_WEB_HOST);
const QString kImageHost = QStringLiteral(LUMAVERT_IMAGE_HOST);
const QString kSourceResources = QStringLiteral(LUMAVERT_SOURCE_RES);

QStringList resourceFolders() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder + QStringLiteral("/res"),
            programFolder + QStringLiteral("/../share/lumavert/res"), kSourceResources};
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
        return {QStringLiteral("LUMAVERT 3.0"), helpPageUrl().toString()};
    }
    return {kWebHost, QStringLiteral("http://") + kWebHost +
                          QString::fromStdString(webSitePath(languageCode))};
}

} // namespace lumavert
