// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/SkinBitmap.h"

#include <QGuiApplication>
#include <QPainter>
#include <QString>

namespace lumavert {

QPixmap loadSkinBitmap(int id) {
    const int number = id & 0xFFFF;
    // From a ratio of 1.5 the fine version looks better, even where Qt scales it down a little.
    if (qGuiApp != nullptr && qGuiApp->devicePixelRatio() >= 1.5) {
        QPixmap fine(QStringLiteral(":/bitmaps/%1@2x.png").arg(number));
        if (!fine.isNull()) {
            fine.setDevicePixelRatio(2);
            return fine;
        }
    }
    return QPixmap(QStringLiteral(":/bitmaps/%1.png").arg(number));
}

void drawBitmapPart(QPainter& painter, const QRect& part, const QPixmap& bitmap) {
    const qreal ratio = bitmap.devicePixelRatio();
    painter.drawPixmap(
        QRectF(part), bitmap,
        QRectF(part.x() * ratio, part.y() * ratio, part.width() * ratio, part.height() * ratio));
}

} // namespace lumavert
