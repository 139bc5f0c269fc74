// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/CellFont.h"

#include <QFontMetrics>
#include <QHash>

namespace lumavert {

namespace {

int fittingPixelSize(const QString& face, int cellHeight) {
    QFont font(face);
    int pixels = cellHeight > 1 ? cellHeight : 1;
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > cellHeight) {
        font.setPixelSize(--pixels);
    }
    return pixels;
}

} // namespace

QFont cellFont(const QString& face, int cellHeight) {
    // Every row asks for the same few fonts; measuring them once keeps start-up quick.
    static QHash<QPair<QString, int>, int> pixelSizes;
    const QPair<QString, int> key(face, cellHeight);
    auto found = pixelSizes.constFind(key);
    if (found == pixelSizes.constEnd()) {
        found = pixelSizes.insert(key, fittingPixelSize(face, cellHeight));
    }
    QFont font(face);
    font.setPixelSize(*found);
    return font;
}

} // namespace lumavert
