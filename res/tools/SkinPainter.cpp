// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws every skin bitmap of the program into res/bitmaps (and the program icon sizes into
// res/icons), then writes res/bitmaps.qrc. Run it by hand after changing a picture:
//   cmake --build <build> --target lumavert-skin-painter
//   <build>/res-tools/lumavert-skin-painter res
// The PNGs are committed; the normal build never runs this.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <map>

namespace lumavert {
namespace {

// The palette. The accent is the skin's 0x3CA714 (red 20, green 167, blue 60).
const QColor kAccent(20, 167, 60);
const QColor kAccentHover(38, 188, 78);
const QColor kAccentPressed(14, 128, 45);
const QColor kAccentBright(70, 206, 96);
const QColor kAccentShade(11, 104, 37);
const QColor kBody(240, 240, 240);
const QColor kFrame(214, 214, 214);
const QColor kBarWhite(255, 255, 255);
const QColor kBarLightGrey(222, 222, 222);
const QColor kBarDarkGrey(98, 98, 98);
const QColor kBarBorder(200, 200, 200);
const QColor kCloseHover(220, 53, 53);
const QColor kClosePressed(168, 32, 32);
const QColor kBeam(255, 224, 102);

using Painting = std::function<void(QPainter&)>;

// Drawn in the picture's own coordinates; at scale 2 for screens of device pixel ratio 2.
QImage paint(int width, int height, const Painting& draw, int scale = 1) {
    QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    draw(painter);
    return image;
}

QFont brandFont(int pixelSize) {
    QFont font("Liberation Sans");
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, pixelSize * 0.12);
    return font;
}

// Keys: a flat rounded face with a darker lip underneath; pressed keys lose most of the lip.
void drawKey(QPainter& p, QSizeF size, const QColor& face, bool pressed) {
    const qreal lip = pressed ? 1.0 : 2.0;
    const QRectF body(0.5, 0.5, size.width() - 1.0, size.height() - 1.0 - 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccentShade);
    p.drawRoundedRect(body.translated(0, lip), 6, 6);
    p.setBrush(face);
    p.drawRoundedRect(body.translated(0, pressed ? 1.0 : 0.0), 6, 6);
}

Painting key(QSizeF size, const QColor& face, bool pressed = false) {
    return [=](QPainter& p) { drawKey(p, size, face, pressed); };
}

// The Next, up and down keys: a rounded tag with one pointed end and a small chevron.
QPainterPath tagPath(bool pointsDown) {
    QPainterPath path;
    if (pointsDown) {
        path.moveTo(5, 4);
        path.lineTo(55, 4);
        path.lineTo(55, 29);
        path.lineTo(30, 51);
        path.lineTo(5, 29);
    } else {
        path.moveTo(30, 4);
        path.lineTo(55, 26);
        path.lineTo(55, 51);
        path.lineTo(5, 51);
        path.lineTo(5, 26);
    }
    path.closeSubpath();
    return path;
}

void drawChevron(QPainter& p, QPointF centre, qreal half, bool pointsDown, const QColor& colour) {
    const qreal rise = pointsDown ? half * 0.6 : -half * 0.6;
    QPen pen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPointF points[] = {centre + QPointF(-half, -rise), centre + QPointF(0, rise),
                              centre + QPointF(half, -rise)};
    p.drawPolyline(points, 3);
}

Painting tagKey(bool pointsDown, const QColor& face, bool pressed) {
    return [=](QPainter& p) {
        const QPainterPath shape = tagPath(pointsDown);
        const QPen rounding(Qt::black, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        auto drawShape = [&](const QColor& colour, qreal dy) {
            QPen pen = rounding;
            pen.setColor(colour);
            p.setPen(pen);
            p.setBrush(colour);
            p.drawPath(shape.translated(0, dy));
        };
        drawShape(kAccentShade, pressed ? 1.0 : 2.0);
        drawShape(face, pressed ? 1.0 : 0.0);
        const QPointF chevron = pointsDown ? QPointF(30, 37) : QPointF(30, 20);
        drawChevron(p, chevron + QPointF(0, pressed ? 1 : 0), 5, pointsDown, Qt::white);
    };
}

// Window keys of the title band: white glyphs, a tinted square under the pointer.
Painting windowKey(const QColor& tint, bool close) {
    return [=](QPainter& p) {
        if (tint.alpha() > 0) {
            p.setPen(Qt::NoPen);
            p.setBrush(tint);
            p.drawRoundedRect(QRectF(1.5, 1.5, 22, 22), 4, 4);
        }
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        if (close) {
            p.drawLine(QPointF(8, 8), QPointF(17, 17));
            p.drawLine(QPointF(17, 8), QPointF(8, 17));
        } else {
            p.drawLine(QPointF(7.5, 13), QPointF(17.5, 13));
        }
    };
}

// The device indicator: a flashlight lying on its side, casting its beam when lit.
Painting lightIcon(bool lit) {
    return [=](QPainter& p) {
        const QColor metal = lit ? QColor(Qt::white) : QColor(255, 255, 255, 105);
        if (lit) {
            QLinearGradient beam(40, 10, 68, 10);
            beam.setColorAt(0, kBeam);
            beam.setColorAt(1, QColor(kBeam.red(), kBeam.green(), kBeam.blue(), 0));
            QPainterPath cone;
            cone.moveTo(40, 6);
            cone.lineTo(68, 1);
            cone.lineTo(68, 19);
            cone.lineTo(40, 14);
            cone.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(beam);
            p.drawPath(cone);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(metal);
        p.drawRoundedRect(QRectF(6, 7, 24, 6), 2.5, 2.5);
        QPainterPath head;
        head.moveTo(29, 7);
        head.lineTo(34, 4);
        head.lineTo(40, 4);
        head.lineTo(40, 16);
        head.lineTo(34, 16);
        head.lineTo(29, 13);
        head.closeSubpath();
        p.drawPath(head);
        p.setBrush(lit ? kAccentShade : QColor(0, 0, 0, 40));
        p.drawRoundedRect(QRectF(15, 8.5, 5, 3), 1.2, 1.2);
        if (!lit) {
            p.setBrush(QColor(255, 255, 255, 70));
            p.drawRect(QRectF(39, 5, 1.5, 10));
        }
    };
}

// Value bars: a rounded body (y 6 to 35, where the 2 x 29 markers stand; x up to 177, where
// the maximum value's marker ends) and, when selected, a soft green glow in the margins.
const QRectF kBarBody(4.5, 6.5, 172, 28);

void drawGlow(QPainter& p, const QRectF& body, qreal radius) {
    p.setBrush(Qt::NoBrush);
    for (int ring = 5; ring >= 1; --ring) {
        QColor glow = kAccent;
        glow.setAlpha(14 + (5 - ring) * 16);
        p.setPen(QPen(glow, ring * 2.0));
        p.drawRoundedRect(body, radius, radius);
    }
}

Painting bar(const QColor& fill, bool glow) {
    return [=](QPainter& p) {
        if (glow) {
            drawGlow(p, kBarBody, 7);
        }
        p.setPen(QPen(glow ? kAccent : fill.darker(118), 1));
        p.setBrush(fill);
        p.drawRoundedRect(kBarBody, 7, 7);
    };
}

Painting solid(const QColor& colour) {
    return [=](QPainter& p) {
        p.fillRect(QRect(0, 0, p.device()->width(), p.device()->height()), colour);
    };
}

Painting comboArrow() {
    return [](QPainter& p) {
        p.setPen(QPen(kAccent, 1));
        p.setBrush(QColor(255, 255, 255));
        p.drawRoundedRect(QRectF(1.5, 1.5, 17, 17), 4, 4);
        drawChevron(p, QPointF(10, 10.5), 4, true, kAccent);
    };
}

// Progress track: a pill between the 8-pixel margins, empty grey or filled green.
Painting progressTrack(bool filled) {
    return [=](QPainter& p) {
        const QRectF body(8.5, 6.5, 339, 24);
        p.setPen(QPen(filled ? kAccentPressed : kBarBorder, 1));
        p.setBrush(filled ? kAccent : QColor(226, 226, 226));
        p.drawRoundedRect(body, 12, 12);
    };
}

// The program icon: a flashlight on a green tile, drawn on a 256-unit grid at any size.
void drawFlashlight(QPainter& p, const QColor& metal, const QColor& lens, bool beam) {
    p.save();
    p.translate(128, 128);
    p.rotate(-45);
    if (beam) {
        QLinearGradient cone(0, -40, 0, -128);
        cone.setColorAt(0, QColor(255, 236, 150, 230));
        cone.setColorAt(1, QColor(255, 236, 150, 0));
        QPainterPath path;
        path.moveTo(-24, -44);
        path.lineTo(-66, -126);
        path.lineTo(66, -126);
        path.lineTo(24, -44);
        path.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(cone);
        p.drawPath(path);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(-17, -12, 34, 108), 10, 10);
    QPainterPath head;
    head.moveTo(-17, 0);
    head.lineTo(-29, -34);
    head.lineTo(-29, -48);
    head.lineTo(29, -48);
    head.lineTo(29, -34);
    head.lineTo(17, 0);
    head.closeSubpath();
    p.drawPath(head);
    p.setBrush(lens);
    p.drawRoundedRect(QRectF(-24, -47, 48, 8), 3, 3);
    p.setBrush(kAccentShade);
    p.drawRoundedRect(QRectF(-6, 22, 12, 20), 5, 5);
    p.setBrush(QColor(0, 0, 0, 30));
    for (int ridge = 0; ridge < 3; ++ridge) {
        p.drawRect(QRectF(-17, 60 + ridge * 10, 34, 4));
    }
    p.restore();
}

Painting programIcon(int size) {
    return [=](QPainter& p) {
        p.scale(size / 256.0, size / 256.0);
        QLinearGradient tile(0, 0, 0, 256);
        tile.setColorAt(0, kAccentHover);
        tile.setColorAt(1, kAccentPressed);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(8, 8, 240, 240), 52, 52);
        p.setPen(Qt::NoPen);
        p.setBrush(tile);
        p.drawPath(shape);
        p.setClipPath(shape);
        drawFlashlight(p, Qt::white, QColor(255, 236, 150), true);
    };
}

// Backgrounds.
void drawBrand(QPainter& p, QPointF at, int pixelSize) {
    p.save();
    p.translate(at);
    p.scale(pixelSize / 256.0 * 1.7, pixelSize / 256.0 * 1.7);
    p.translate(-128, -128);
    drawFlashlight(p, Qt::white, QColor(255, 236, 150), false);
    p.restore();
    p.setFont(brandFont(pixelSize));
    p.setPen(Qt::white);
    p.drawText(QRectF(at.x() + pixelSize * 1.1, at.y() - pixelSize, 300, pixelSize * 2),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("LUMAVERT"));
}

void drawPanel(QPainter& p, const QRectF& frame) {
    p.setPen(QPen(kFrame, 1));
    p.setBrush(kBody);
    p.drawRoundedRect(frame, 8, 8);
    QPainterPath card;
    card.addRoundedRect(frame, 8, 8);
    QPainterPath top;
    top.addRect(QRectF(frame.left(), frame.top(), frame.width(), 4));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPath(card.intersected(top));
}

// The left column: a green card with a large flashlight shining upwards.
void drawHeroCard(QPainter& p, const QRectF& card) {
    QLinearGradient fill(card.topLeft(), card.bottomLeft());
    fill.setColorAt(0, kAccent);
    fill.setColorAt(1, kAccentShade);
    QPainterPath shape;
    shape.addRoundedRect(card, 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(shape);
    p.save();
    p.setClipPath(shape);
    p.translate(card.center().x(), card.bottom() - 150);
    p.scale(0.78, 0.78);
    p.rotate(45);
    p.translate(-128, -128);
    drawFlashlight(p, Qt::white, QColor(255, 236, 150), true);
    p.restore();
}

Painting windowBackground() {
    return [](QPainter& p) {
        p.fillRect(QRect(0, 0, 800, 600), kBody);
        // Title band with the product name; the web address, status and window keys sit on it.
        p.fillRect(QRect(0, 0, 800, 30), kAccent);
        p.fillRect(QRect(0, 30, 800, 1), kAccentShade);
        drawBrand(p, QPointF(20, 15), 15);

        drawHeroCard(p, QRectF(14, 44, 130, 476));
        drawPanel(p, QRectF(158.5, 128.5, 352, 392)); // mode rows, scroll bar, Next key
        drawPanel(p, QRectF(534.5, 44.5, 263, 276));  // heading key, step rows, Next key
        drawPanel(p, QRectF(534.5, 328.5, 263, 270)); // introduction panel

        // Key bar along the bottom.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(228, 228, 228));
        p.drawRoundedRect(QRectF(30.5, 526.5, 494, 56), 8, 8);
    };
}

Painting dialogBackground() {
    return [](QPainter& p) {
        p.fillRect(QRect(0, 0, 400, 240), kBody);
        p.fillRect(QRect(0, 0, 400, 34), kAccent);
        p.fillRect(QRect(0, 34, 400, 1), kAccentShade);
        drawBrand(p, QPointF(18, 17), 14);
        p.setPen(QPen(kAccent, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 0.5, 399, 239));
    };
}

// Every picture by id, at the given scale.
std::map<int, QImage> drawAll(int scale) {
    const QSizeF keySize(84, 40);
    const QSizeF okSize(68, 32);
    const QSizeF wideSize(120, 40);
    std::map<int, QImage> images;
    auto add = [&](int id, int width, int height, const Painting& draw) {
        images[id] = paint(width, height, draw, scale);
    };
    add(203, 84, 40, key(keySize, kAccent));
    add(204, 84, 40, key(keySize, kAccentHover));
    add(205, 84, 40, key(keySize, kAccentPressed, true));
    add(206, 60, 56, tagKey(true, kAccent, false));
    add(207, 60, 56, tagKey(true, kAccentHover, false));
    add(208, 60, 56, tagKey(true, kAccentPressed, true));
    add(209, 60, 56, tagKey(false, kAccent, false));
    add(210, 60, 56, tagKey(false, kAccentHover, false));
    add(211, 60, 56, tagKey(false, kAccentPressed, true));
    add(212, 20, 20, comboArrow());
    add(213, 183, 41, bar(kBarWhite, false));
    add(214, 183, 41, bar(kAccent, false));
    add(215, 183, 41, bar(kBarLightGrey, false));
    add(216, 183, 41, bar(kBarDarkGrey, false));
    add(219, 183, 41, bar(kBarWhite, true));
    add(220, 183, 41, bar(kAccent, true));
    add(221, 183, 41, bar(kBarLightGrey, true));
    add(222, 183, 41, bar(kBarDarkGrey, true));
    add(223, 183, 41, bar(kAccentBright, true));
    add(225, 70, 20, lightIcon(true));
    add(226, 70, 20, lightIcon(false));
    add(227, 25, 25, windowKey(Qt::transparent, true));
    add(228, 25, 25, windowKey(kCloseHover, true));
    add(229, 25, 25, windowKey(kClosePressed, true));
    add(230, 25, 25, windowKey(Qt::transparent, false));
    add(231, 25, 25, windowKey(QColor(255, 255, 255, 56), false));
    add(232, 25, 25, windowKey(QColor(0, 0, 0, 48), false));
    add(233, 2, 29, solid(kBarWhite));
    add(234, 2, 29, solid(QColor(248, 248, 248)));
    add(235, 2, 29, solid(kAccent));
    add(236, 2, 29, solid(kAccent));
    add(237, 2, 29, solid(kAccentBright));
    add(238, 2, 29, solid(kBarDarkGrey));
    add(239, 2, 29, solid(kBarDarkGrey));
    add(245, 100, 40, key(QSizeF(100, 40), kAccent));
    add(246, 800, 600, windowBackground());
    add(247, 400, 240, dialogBackground());
    add(248, 68, 32, key(okSize, kAccent));
    add(249, 68, 32, key(okSize, kAccentHover));
    add(250, 68, 32, key(okSize, kAccentPressed, true));
    add(251, 356, 37, progressTrack(false));
    add(252, 356, 37, progressTrack(true));
    add(254, 800, 600, windowBackground());
    add(255, 256, 256, programIcon(256));
    add(256, 120, 40, key(wideSize, kAccentPressed, true));
    add(257, 120, 40, key(wideSize, kAccent));
    add(258, 120, 40, key(wideSize, kAccentHover));
    return images;
}

bool isOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 255) {
                return false;
            }
        }
    }
    return true;
}

bool save(const QImage& image, const QString& path) {
    // Opaque pictures are stored without alpha: the program loads them faster.
    const QImage stored = isOpaque(image) ? image.convertToFormat(QImage::Format_RGB32) : image;
    if (!stored.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writeQrc(const QString& path, const std::map<int, QImage>& images) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    QTextStream out(&file);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    // Qt takes NAME@2x.png in place of NAME.png on screens of device pixel ratio 2.
    for (const auto& [id, image] : images) {
        out << "    <file>bitmaps/" << id << ".png</file>\n";
        out << "    <file>bitmaps/" << id << "@2x.png</file>\n";
    }
    out << "</qresource>\n</RCC>\n";
    return true;
}

} // namespace
} // namespace lumavert

int main(int argc, char** argv) {
    using namespace lumavert;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <res folder>\n", argv[0]);
        return 2;
    }
    const QDir res(QString::fromLocal8Bit(argv[1]));
    res.mkpath("bitmaps");
    res.mkpath("icons");
    const std::map<int, QImage> images = drawAll(1);
    bool ok = true;
    for (const auto& [id, image] : images) {
        ok = save(image, res.filePath(QString("bitmaps/%1.png").arg(id))) && ok;
    }
    for (const auto& [id, image] : drawAll(2)) {
        ok = save(image, res.filePath(QString("bitmaps/%1@2x.png").arg(id))) && ok;
    }
    for (int size : {48, 64, 128, 256}) {
        const QImage icon = paint(size, size, programIcon(size));
        ok = save(icon, res.filePath(QString("icons/lumavert-%1.png").arg(size))) && ok;
    }
    ok = writeQrc(res.filePath("bitmaps.qrc"), images) && ok;
    return ok ? 0 : 1;
}
