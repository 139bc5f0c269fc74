// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/SkinBitmap.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QResource>

#include <QString>
#include <memory>

namespace lumavert {

namespace {

quint32 littleEndian32(const uchar* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | quint32(bytes[3]) << 24;
}

// The build also stores every picture as plain pixels: a little-endian width, height and
// QImage format (RGB32 or ARGB32_Premultiplied), then the rows. Unpacked from the program's
// data (a quick zstd run over mostly flat pictures) they are taken as they are: decoding some
// thirty PNGs would delay the first frame by milliseconds. Null when absent or malformed.
QPixmap plainBitmap(int number) {
    const QResource plain(QStringLiteral(":/bitmaps/%1.rgb32").arg(number));
    if (!plain.isValid()) {
        return {};
    }
    auto bytes = std::make_unique<QByteArray>(plain.uncompressedData());
    constexpr qsizetype kHeader = 12;
    const auto* header = reinterpret_cast<const uchar*>(bytes->constData());
    if (bytes->size() < kHeader) {
        return {};
    }
    const quint32 width = littleEndian32(header);
    const quint32 height = littleEndian32(header + 4);
    const auto format = static_cast<QImage::Format>(littleEndian32(header + 8));
    if (width == 0 || width > 8192 || height > 8192 ||
        (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) ||
        bytes->size() != kHeader + qsizetype{width} * height * 4) {
        return {};
    }
    const uchar* first = header + kHeader;
    if (reinterpret_cast<quintptr>(first) % 4 != 0) { // Qt needs 32-bit aligned rows
        return QPixmap::fromImage(
            QImage(first, int(width), int(height), int(width * 4), format).copy());
    }
    // The picture keeps the unpacked bytes for as long as it lives: no copy of them.
    QByteArray* held = bytes.release();
    return QPixmap::fromImage(QImage(
        first, int(width), int(height), int(width * 4), format,
        [](void* info) { delete static_cast<QByteArray*>(info); }, held));
}

// Uncached: the picture as read from the program's data.
QPixmap readSkinBitmap(int number, bool fine) {
    if (fine) {
        QPixmap twice(QStringLiteral(":/bitmaps/%1@2x.png").arg(number));
        if (!twice.isNull()) {
            twice.setDevicePixelRatio(2);
            return twice;
        }
    }
    const QPixmap plain = plainBitmap(number);
    return plain.isNull() ? QPixmap(QStringLiteral(":/bitmaps/%1.png").arg(number)) : plain;
}

} // namespace

QPixmap loadSkinBitmap(int id) {
    const int number = id & 0xFFFF;
    // From a ratio of 1.5 the fine version looks better, even where Qt scales it down a little.
    const bool fine = qGuiApp != nullptr && qGuiApp->devicePixelRatio() >= 1.5;
    // Rows load their pictures again on every refresh: each is read once and then shared, so
    // it keeps one cache key (see opaquePart in ValueSlider.cpp).
    const QString key = QStringLiteral("lumavert-skin-%1%2").arg(number).arg(fine ? "@2x" : "");
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = readSkinBitmap(number, fine);
        QPixmapCache::insert(key, picture);
    }
    return picture;
}

void drawBitmapPart(QPainter& painter, const QRect& part, const QPixmap& bitmap) {
    const qreal ratio = bitmap.devicePixelRatio();
    painter.drawPixmap(
        QRectF(part), bitmap,
        QRectF(part.x() * ratio, part.y() * ratio, part.width() * ratio, part.height() * ratio));
}

} // namespace lumavert
