// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TextPlacement.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace lumavert {

Qt::Alignment toQtHorizontal(int horizontal) {
    if (horizontal == AlignLeft) {
        return Qt::AlignLeft;
    }
    if (horizontal == AlignRight) {
        return Qt::AlignRight;
    }
    return Qt::AlignHCenter;
}

namespace {

bool fits(const QFont& font, const QString& text, const QRect& box, int flags) {
    const QFontMetrics metrics(font);
    // Most texts fit on one line: measuring its width is far cheaper than laying the text out.
    if (metrics.height() <= box.height() && !text.contains(QLatin1Char('\n')) &&
        metrics.horizontalAdvance(text) <= box.width()) {
        return true;
    }
    const QRect needed = metrics.boundingRect(box, flags, text);
    return needed.width() <= box.width() && needed.height() <= box.height();
}

} // namespace

QFont TextPlace::fittedFont(const QString& text) const {
    QFont fitted = font;
    const int size = font.pixelSize();
    const int smallest = std::max(1, static_cast<int>(std::ceil(size * kSmallestFit)));
    for (int pixels = size; pixels > smallest && !fits(fitted, text, box, flags);) {
        fitted.setPixelSize(--pixels);
    }
    return fitted;
}

bool TextPlace::showsWhole(const QString& text) const {
    return fits(fittedFont(text), text, box, flags);
}

} // namespace lumavert
