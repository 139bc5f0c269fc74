#include "controls/SkinCombo.h"
#include "controls/ColorRef.h"
#include "controls/SkinBitmap.h"

#include <QPainter>
#include <QtTest>

namespace lumavert {
namespace {

constexpr std::uint32_t kFace = 0xF0F0F0;
constexpr std::uint32_t kHighlight = 0x3CA714;

void configure(SkinCombo& combo) {
    combo.resize(110, 20);
    QVERIFY(combo.LoadArrowBitmap(212));
    combo.SetTextColours(0x3CA714, 0xFFFFFF);
    combo.SetBackColours(kFace, kHighlight);
    combo.addItems(
        {QStringLiteral("Brightness"), QStringLiteral("Frequency"), QStringLiteral("Customize")});
}

void roll(SkinCombo& combo, int delta) {
    const QPointF at(20, 10);
    QWheelEvent wheel(at, combo.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&combo, &wheel);
}

QColor paintedItem(SkinCombo& combo, QStyle::State state) {
    QImage image(100, 20, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.state = state;
    option.font = combo.font();
    combo.itemDelegate()->paint(&painter, option, combo.model()->index(1, 0));
    painter.end();
    return image.pixelColor(98, 1);
}

} // namespace

class SkinComboTest : public QObject {
    Q_OBJECT

  private slots:
    void theWheelChangesNothing();
    void theFaceWithoutSelectionShowsColourAndArrow();
    void theFaceNeverUsesTheSelectedColours();
    void highlightedListItemsUseTheSelectedColours();
    void withoutAnArrowPictureTheFaceStillPaints();
};

void SkinComboTest::theWheelChangesNothing() {
    SkinCombo combo;
    configure(combo);
    combo.setCurrentIndex(1);
    QSignalSpy activated(&combo, &SkinCombo::activated);
    for (int delta : {120, -120, -240}) {
        roll(combo, delta);
    }
    QCOMPARE(combo.currentIndex(), 1);
    QCOMPARE(activated.count(), 0);
}

void SkinComboTest::theFaceWithoutSelectionShowsColourAndArrow() {
    SkinCombo combo;
    configure(combo);
    combo.setCurrentIndex(-1);
    const QImage face = combo.grab().toImage();
    for (int x = 0; x < combo.itemRect().width(); x += 7) {
        QCOMPARE(face.pixelColor(x, 10), fromColorRef(kFace));
    }
    const QImage arrow = loadSkinBitmap(212).toImage();
    QCOMPARE(face.pixelColor(combo.buttonRect().left() + 10, 10), arrow.pixelColor(10, 10));
}

void SkinComboTest::theFaceNeverUsesTheSelectedColours() {
    SkinCombo combo;
    configure(combo);
    combo.setCurrentIndex(2);
    const QImage face = combo.grab().toImage();
    QCOMPARE(face.pixelColor(1, 1), fromColorRef(kFace));
    QCOMPARE(face.pixelColor(combo.itemRect().right(), 18), fromColorRef(kFace));
}

void SkinComboTest::highlightedListItemsUseTheSelectedColours() {
    SkinCombo combo;
    configure(combo);
    QCOMPARE(paintedItem(combo, QStyle::State_Selected), fromColorRef(kHighlight));
    QCOMPARE(paintedItem(combo, QStyle::State_None), fromColorRef(kFace));
}

void SkinComboTest::withoutAnArrowPictureTheFaceStillPaints() {
    SkinCombo combo;
    combo.resize(110, 20);
    QVERIFY(!combo.LoadArrowBitmap(217));
    combo.addItem(QStringLiteral("Brightness"));
    QCOMPARE(combo.buttonRect(), QRect(90, 0, 20, 20));
    QCOMPARE(combo.grab().size(), QSize(110, 20));
}

} // namespace lumavert

QTEST_MAIN(lumavert::SkinComboTest)
#include "SkinComboTest.moc"
