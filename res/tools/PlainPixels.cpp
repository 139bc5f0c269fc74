// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Run by the build: writes each picture as plain pixels, which the program takes as they are
// instead of decoding a PNG before its first frame, and a resource list naming them.
//   lumavert-plain-pixels OUTDIR PICTURE.png...
// writes OUTDIR/bitmaps/<name>.rgb32 and OUTDIR/plain-bitmaps.qrc (":/bitmaps/<name>.rgb32").
// The layout is the one SkinBitmap.cpp reads: little-endian 32-bit width, height and QImage
// format (RGB32 when the picture is opaque, else ARGB32_Premultiplied), then the rows.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTextStream>

#include <cstdio>

namespace {

QImage plainForm(const QImage& picture) {
    return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
}

bool writePlain(const QImage& pixels, const QString& path) {
    QFile file(path);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (const quint32 word :
         {quint32(pixels.width()), quint32(pixels.height()), quint32(pixels.format())}) {
        const char bytes[4] = {char(word), char(word >> 8), char(word >> 16), char(word >> 24)};
        ok = ok && file.write(bytes, 4) == 4;
    }
    const qint64 rowBytes = qint64{pixels.width()} * 4;
    for (int y = 0; ok && y < pixels.height(); ++y) {
        ok = file.write(reinterpret_cast<const char*>(pixels.constScanLine(y)), rowBytes) ==
             rowBytes;
    }
    return ok && file.flush();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTDIR PICTURE.png...\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("bitmaps"))) {
        std::fprintf(stderr, "cannot make %s/bitmaps\n", argv[1]);
        return 1;
    }
    QFile list(out.filePath(QStringLiteral("plain-bitmaps.qrc")));
    if (!list.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(list.fileName()));
        return 1;
    }
    QTextStream qrc(&list);
    qrc << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (int i = 2; i < argc; ++i) {
        const QString source = QString::fromLocal8Bit(argv[i]);
        const QImage picture(source);
        const QString name = QStringLiteral("bitmaps/%1.rgb32").arg(QFileInfo(source).baseName());
        if (picture.isNull() || !writePlain(plainForm(picture), out.filePath(name))) {
            std::fprintf(stderr, "cannot turn %s into %s\n", argv[i], qPrintable(name));
            return 1;
        }
        qrc << "    <file>" << name << "</file>\n";
    }
    qrc << "</qresource>\n</RCC>\n";
    qrc.flush();
    return list.flush() ? 0 : 1;
}
