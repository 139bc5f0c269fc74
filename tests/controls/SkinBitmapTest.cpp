#include "controls/SkinBitmap.h"
#include "controls/CellFont.h"
#include "controls/ColorRef.h"

#include <QFontMetrics>
#include <QtTest>

namespace lumavert {

class SkinBitmapTest : public QObject {
    Q_OBJECT

  private slots:
    void everyPictureIsCompiledInAtItsSize_data();
    void everyPictureIsCompiledInAtItsSize();
    void onlyTheLowSixteenBitsOfAnIdCount();
    void aMissingPictureIsNull();
    void colourReferencesAreBlueGreenRed();
    void cellFontFitsItsHeight();
};

void SkinBitmapTest::everyPictureIsCompiledInAtItsSize_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QSize>("size");
    QTest::newRow("keys") << 203 << 205 << QSize(84, 40);
    QTest::newRow("triangles") << 206 << 211 << QSize(60, 56);
    QTest::newRow("combo arrow") << 212 << 212 << QSize(20, 20);
    QTest::newRow("bars") << 213 << 216 << QSize(183, 41);
    QTest::newRow("glowing bars") << 219 << 223 << QSize(183, 41);
    QTest::newRow("light icons") << 225 << 226 << QSize(70, 20);
    QTest::newRow("window keys") << 227 << 232 << QSize(25, 25);
    QTest::newRow("markers") << 233 << 239 << QSize(2, 29);
    QTest::newRow("customize key") << 245 << 245 << QSize(100, 40);
    QTest::newRow("chinese background") << 246 << 246 << QSize(800, 600);
    QTest::newRow("dialog background") << 247 << 247 << QSize(400, 240);
    QTest::newRow("ok keys") << 248 << 250 << QSize(68, 32);
    QTest::newRow("progress") << 251 << 252 << QSize(356, 37);
    QTest::newRow("background") << 254 << 254 << QSize(800, 600);
    QTest::newRow("program icon") << 255 << 255 << QSize(256, 256);
    QTest::newRow("wide keys") << 256 << 258 << QSize(120, 40);
}

// This program never calls Q_INIT_RESOURCE: linking lumavert_ui must be enough.
void SkinBitmapTest::everyPictureIsCompiledInAtItsSize() {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QSize, size);
    for (int id = first; id <= last; ++id) {
        const QPixmap picture = loadSkinBitmap(id);
        QVERIFY2(!picture.isNull(), qPrintable(QString::number(id)));
        QCOMPARE(picture.size(), size);
    }
}

void SkinBitmapTest::onlyTheLowSixteenBitsOfAnIdCount() {
    QCOMPARE(loadSkinBitmap(0x10000 + 203).toImage(), loadSkinBitmap(203).toImage());
}

void SkinBitmapTest::aMissingPictureIsNull() {
    QVERIFY(loadSkinBitmap(0).isNull());
    QVERIFY(loadSkinBitmap(217).isNull());
    QVERIFY(loadSkinBitmap(-1).isNull());
}

void SkinBitmapTest::colourReferencesAreBlueGreenRed() {
    QCOMPARE(fromColorRef(kAccentGreen), QColor(20, 167, 60));
    QCOMPARE(fromColorRef(0xFF000000u | kLightGrey), QColor(240, 240, 240));
    QCOMPARE(fromColorRef(0x0000FF), QColor(255, 0, 0));
}

void SkinBitmapTest::cellFontFitsItsHeight() {
    for (int height : {10, 14, 22}) {
        const QFont font = cellFont(QStringLiteral("Arial"), height);
        QVERIFY(QFontMetrics(font).height() <= height);
        QVERIFY(font.pixelSize() >= height * 2 / 3);
    }
}

} // namespace lumavert

QTEST_MAIN(lumavert::SkinBitmapTest)
#include "SkinBitmapTest.moc"
