// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTextBrowser>

class QNetworkAccessManager;

namespace lumavert {

/// The introduction page in the window's lower right corner: the program's own page, replaced
/// by the maker's on-line page when the build names one and the network is up.
class IntroPanel : public QTextBrowser {
    Q_OBJECT

  public:
    explicit IntroPanel(QWidget* parent);

  private:
    void fetchOnlinePage();

    QNetworkAccessManager* network_ = nullptr;
    QUrl pageUrl_; ///< the page shown, against which its links resolve
};

} // namespace lumavert
