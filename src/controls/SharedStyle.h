// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QStyle>

namespace lumavert {

/// One `Style` (a QProxyStyle over the desktop's) for every widget that uses it, living as long
/// as the application.
template <class Style>
QStyle* sharedStyle() {
    static QPointer<Style> style;
    if (!style) {
        style = new Style;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

} // namespace lumavert
