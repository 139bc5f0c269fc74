#include "controls/SkinProgress.h"
#include "controls/SkinBitmap.h"

#include <QtTest>

#include <limits>

namespace lumavert {

class SkinProgressTest : public QObject {
    Q_OBJECT

  private slots:
    void edgesAndPercentages_data();
    void edgesAndPercentages();
    void paintsFillLeftOfTheEdgeAndTrackRightOfIt();
    void stepItAtTheEndStaysFull();
    void setPosClampsToTheRange();
    void anEmptyRangeShowsAnEmptyBar();
    void hugeRangesDoNotOverflow();
    void missingPicturesLeaveTheSizeAndStillPaint();
};

void SkinProgressTest::edgesAndPercentages_data() {
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("edge");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << 8 << "0%";
    QTest::newRow("1") << 1 << 93 << "25%";
    QTest::newRow("2") << 2 << 178 << "50%";
    QTest::newRow("3") << 3 << 263 << "75%";
    QTest::newRow("4") << 4 << 348 << "100%";
}

void SkinProgressTest::edgesAndPercentages() {
    QFETCH(int, pos);
    QFETCH(int, edge);
    QFETCH(QString, text);
    QCOMPARE(edgeX({0, 4, pos}, 356, 8, 8), edge);
    SkinProgress bar;
    QVERIFY(bar.LoadBitmaps(251, 252));
    bar.SetRange(0, 4);
    bar.SetPos(pos);
    QCOMPARE(bar.percentText(), text);
}

void SkinProgressTest::paintsFillLeftOfTheEdgeAndTrackRightOfIt() {
    SkinProgress bar;
    QVERIFY(bar.LoadBitmaps(251, 252));
    QCOMPARE(bar.size(), QSize(356, 37));
    bar.SetMargins(8, 8);
    bar.SetRange(0, 4);
    bar.SetPos(1);
    const QImage shown = bar.grab().toImage();
    const QImage fill = loadSkinBitmap(252).toImage();
    const QImage empty = loadSkinBitmap(251).toImage();
    QCOMPARE(shown.pixelColor(60, 10), fill.pixelColor(60, 10));
    QCOMPARE(shown.pixelColor(120, 10), empty.pixelColor(120, 10));
    QVERIFY(fill.pixelColor(60, 10) != empty.pixelColor(120, 10));
}

void SkinProgressTest::stepItAtTheEndStaysFull() {
    SkinProgress bar;
    bar.SetRange(0, 4);
    bar.SetStep(1);
    for (int i = 0; i < 6; ++i) {
        bar.StepIt();
    }
    QCOMPARE(bar.pos(), 4);
    QCOMPARE(bar.percentText(), QStringLiteral("100%"));
}

void SkinProgressTest::setPosClampsToTheRange() {
    SkinProgress bar;
    bar.SetRange(2, 6);
    bar.SetPos(-3);
    QCOMPARE(bar.pos(), 2);
    bar.SetPos(9);
    QCOMPARE(bar.pos(), 6);
}

void SkinProgressTest::anEmptyRangeShowsAnEmptyBar() {
    QCOMPARE(edgeX({3, 3, 3}, 356, 8, 8), 8);
    QCOMPARE(percentage({3, 3, 3}), 0);
    QCOMPARE(percentage({5, 1, 3}), 0);
    SkinProgress bar;
    QVERIFY(bar.LoadBitmaps(251, 252));
    bar.SetRange(0, 0);
    bar.StepIt();
    QCOMPARE(bar.percentText(), QStringLiteral("0%"));
    QVERIFY(!bar.grab().isNull());
}

void SkinProgressTest::hugeRangesDoNotOverflow() {
    constexpr int most = std::numeric_limits<int>::max();
    constexpr int least = std::numeric_limits<int>::min();
    QCOMPARE(percentage({least, most, most}), 100);
    QCOMPARE(edgeX({least, most, most}, 356, 8, 8), 348);
    SkinProgress bar;
    bar.SetRange(0, most);
    bar.SetStep(most);
    bar.StepIt();
    bar.StepIt();
    QCOMPARE(bar.pos(), most);
}

void SkinProgressTest::missingPicturesLeaveTheSizeAndStillPaint() {
    SkinProgress bar;
    bar.resize(100, 20);
    QVERIFY(!bar.LoadBitmaps(251, 217));
    QCOMPARE(bar.size(), QSize(100, 20));
    bar.SetRange(0, 4);
    bar.SetPos(2);
    QCOMPARE(bar.grab().size(), QSize(100, 20));
}

} // namespace lumavert

QTEST_MAIN(lumavert::SkinProgressTest)
#include "SkinProgressTest.moc"
