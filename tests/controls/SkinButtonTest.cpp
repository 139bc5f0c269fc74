#include "controls/SkinButton.h"
#include "controls/SkinBitmap.h"

#include <QtTest>

namespace lumavert {
namespace {

QColor sampleOf(const QPixmap& picture, QPoint at = {20, 20}) {
    return picture.toImage().pixelColor(at);
}

QColor shownBy(SkinButton& button, QPoint at = {20, 20}) {
    return sampleOf(button.grab(), at);
}

void moveOver(SkinButton& button, QPoint at, Qt::MouseButtons held) {
    QMouseEvent move(QEvent::MouseMove, at, button.mapToGlobal(at), Qt::NoButton, held,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&button, &move);
}

} // namespace

class SkinButtonTest : public QObject {
    Q_OBJECT

  private slots:
    void loadingSizesTheKeyToItsNormalPicture();
    void aMissingPictureFailsAndKeepsTheSize();
    void picturePrecedence_data();
    void picturePrecedence();
    void disabledWithoutItsPictureShowsTheNormalOne();
    void captionOffsets_data();
    void captionOffsets();
    void hoverBeginsOnAMoveWithoutTheLeftButton();
    void noHoverBeginsWhileDragging();
    void hoverEndsOnLeavingOrMovingOff();
    void aKeyWithoutPicturesStillPaints();
    void clickEmitsClicked();
};

void SkinButtonTest::loadingSizesTheKeyToItsNormalPicture() {
    SkinButton button;
    button.resize(10, 10);
    QVERIFY(button.LoadBitmaps(203, 204, 205, 0));
    QCOMPARE(button.size(), QSize(84, 40));
    QVERIFY(button.LoadBitmaps(0x10000 + 257, 258, 256, 0));
    QCOMPARE(button.size(), QSize(120, 40));
}

void SkinButtonTest::aMissingPictureFailsAndKeepsTheSize() {
    SkinButton button;
    button.resize(30, 30);
    QVERIFY(!button.LoadBitmaps(203, 218, 205, 0)); // a named hover picture is missing
    QCOMPARE(button.size(), QSize(30, 30));
    QVERIFY(!button.LoadBitmaps(217, 204, 205, 0));
    button.SizeToContent(); // nothing to size to
    QCOMPARE(button.size(), QSize(30, 30));
}

void SkinButtonTest::picturePrecedence_data() {
    QTest::addColumn<bool>("hover");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<bool>("disabled");
    QTest::addColumn<int>("expected");
    QTest::newRow("normal") << false << false << false << 203;
    QTest::newRow("hover") << true << false << false << 204;
    QTest::newRow("pressed beats hover") << true << true << false << 205;
    QTest::newRow("disabled beats pressed") << true << true << true << 216;
    QTest::newRow("disabled beats hover") << true << false << true << 216;
}

void SkinButtonTest::picturePrecedence() {
    QFETCH(bool, hover);
    QFETCH(bool, pressed);
    QFETCH(bool, disabled);
    QFETCH(int, expected);
    SkinButton button;
    QVERIFY(button.LoadBitmaps(203, 204, 205, 216));
    if (hover) {
        moveOver(button, {10, 10}, Qt::NoButton);
        QVERIFY(button.isHover());
    }
    button.setDown(pressed);
    button.setEnabled(!disabled);
    QCOMPARE(shownBy(button), sampleOf(loadSkinBitmap(expected)));
}

void SkinButtonTest::disabledWithoutItsPictureShowsTheNormalOne() {
    SkinButton button;
    QVERIFY(button.LoadBitmaps(203, 204, 205, 0));
    button.setEnabled(false);
    QCOMPARE(shownBy(button), sampleOf(loadSkinBitmap(203)));
}

void SkinButtonTest::captionOffsets_data() {
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");
    QTest::addColumn<QRect>("expected");
    // A 60 x 56 key: 56 x 52 after shrinking by 2, so a fifth is 11 across and 10 down.
    QTest::newRow("centred") << int(AlignCentre) << int(AlignVCentre) << QRect(2, 2, 56, 52);
    QTest::newRow("top") << int(AlignCentre) << int(AlignTop) << QRect(2, -8, 56, 52);
    QTest::newRow("bottom") << int(AlignCentre) << int(AlignBottom) << QRect(2, 12, 56, 52);
    QTest::newRow("left") << int(AlignLeft) << int(AlignVCentre) << QRect(-9, 2, 56, 52);
    QTest::newRow("right") << int(AlignRight) << int(AlignVCentre) << QRect(13, 2, 56, 52);
}

void SkinButtonTest::captionOffsets() {
    QFETCH(int, horizontal);
    QFETCH(int, vertical);
    QFETCH(QRect, expected);
    QCOMPARE(captionRect(QRect(0, 0, 60, 56), horizontal, vertical), expected);
}

void SkinButtonTest::hoverBeginsOnAMoveWithoutTheLeftButton() {
    SkinButton button;
    QVERIFY(button.LoadBitmaps(203, 204, 205, 0));
    moveOver(button, {5, 5}, Qt::NoButton);
    QVERIFY(button.isHover());
    QCOMPARE(shownBy(button), sampleOf(loadSkinBitmap(204)));
}

void SkinButtonTest::noHoverBeginsWhileDragging() {
    SkinButton button;
    QVERIFY(button.LoadBitmaps(203, 204, 205, 0));
    moveOver(button, {5, 5}, Qt::LeftButton);
    QVERIFY(!button.isHover());
    moveOver(button, {5, 5}, Qt::NoButton);
    QVERIFY(button.isHover());
    moveOver(button, {6, 6}, Qt::LeftButton); // a hover that began stays during a drag
    QVERIFY(button.isHover());
}

void SkinButtonTest::hoverEndsOnLeavingOrMovingOff() {
    SkinButton button;
    QVERIFY(button.LoadBitmaps(203, 204, 205, 0));
    moveOver(button, {5, 5}, Qt::NoButton);
    moveOver(button, {100, 5}, Qt::NoButton);
    QVERIFY(!button.isHover());
    moveOver(button, {5, 5}, Qt::NoButton);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    QVERIFY(!button.isHover());
}

void SkinButtonTest::aKeyWithoutPicturesStillPaints() {
    SkinButton button;
    button.resize(60, 20);
    button.setText(QStringLiteral("A caption far too long for this key"));
    QVERIFY(!button.LoadBitmaps(217, 0, 0, 0));
    QCOMPARE(button.grab().size(), QSize(60, 20));
}

void SkinButtonTest::clickEmitsClicked() {
    SkinButton button;
    QVERIFY(button.LoadBitmaps(248, 249, 250, 0));
    QSignalSpy clicked(&button, &SkinButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(30, 15));
    QCOMPARE(clicked.count(), 1);
}

} // namespace lumavert

QTEST_MAIN(lumavert::SkinButtonTest)
#include "SkinButtonTest.moc"
