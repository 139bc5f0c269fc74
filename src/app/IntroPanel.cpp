// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/IntroPanel.h"

#include "app/ProgramFiles.h"
#include "controls/SkinScrollBar.h"

#include <QDesktopServices>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>
#include <QScrollBar>

namespace lumavert {

IntroPanel::IntroPanel(QWidget* parent)
    : QTextBrowser(parent) {
    setObjectName(QStringLiteral("introPanel"));
    // The panel is small: every link opens in the desktop's browser instead.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& link) { QDesktopServices::openUrl(pageUrl_.resolved(link)); });
    setFrameShape(QFrame::NoFrame);
    pageUrl_ = localIntroPage();
    setSource(pageUrl_);
    // Inside its frame: the frame's border and green top band stay visible.
    setGeometry(536, 333, 261, 265);
    applySkinScrollBarStyle(*verticalScrollBar());
    fetchOnlinePage();
}

void IntroPanel::fetchOnlinePage() {
    const QUrl page = onlineIntroPage();
    if (page.isEmpty() || !QNetworkInformation::loadDefaultBackend() ||
        QNetworkInformation::instance()->reachability() !=
            QNetworkInformation::Reachability::Online) {
        return;
    }
    network_ = new QNetworkAccessManager(this);
    QNetworkReply* reply = network_->get(QNetworkRequest(page));
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        // Without an answer the local page simply stays.
        if (reply->error() == QNetworkReply::NoError) {
            // Its links and pictures are on the server.
            pageUrl_ = reply->url();
            document()->setBaseUrl(pageUrl_);
            setHtml(QString::fromUtf8(reply->readAll()));
        }
    });
}

} // namespace lumavert
