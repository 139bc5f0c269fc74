#include "controls/ValueSlider.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumavert {
namespace {

// The value bar of a mode row: 183 pixels wide, margin 6, track offset 30, 2-pixel marker.
void configure(ValueSlider& bar, double minimum, double maximum, double step) {
    QVERIFY(bar.SetBitmaps(219, 220, 236));
    bar.SetMargin(6);
    bar.SetTrackOffset(30);
    bar.SetRange(minimum, maximum);
    bar.SetStep(step);
}

struct Message {
    int message;
    int value;
};

class MessageLog {
  public:
    explicit MessageLog(ValueSlider& bar) {
        QObject::connect(&bar, &ValueSlider::messageSent, [this](int message, int value) {
            messages.push_back({message, value});
        });
    }
    int count(int message) const {
        return static_cast<int>(
            std::count_if(messages.begin(), messages.end(),
                          [message](const Message& m) { return m.message == message; }));
    }
    std::vector<Message> messages;
};

} // namespace

class ValueSliderTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void geometryOfAModeRowBar();
    void dragTo_data();
    void dragTo();
    void everyDraggedDurationIsAMultipleOfFifty();
    void aPressBesideTheMarkerOnlyReportsThePress();
    void oneDragSendsOnePressAndADragPerMove();
    void doubleClickIsReported();
    void setValueClamps();
    void valueTextHasNoSpaceBeforeTheUnit();
    void anEmptyRangeNeverDividesByZero();
    void missingPicturesAreReportedAndStillPaint();

  private:
    ValueSlider* slider = nullptr;
};

void ValueSliderTest::init() {
    slider = new ValueSlider;
}

// Releases the button even when a test failed mid-drag, so no button state leaks onwards.
void ValueSliderTest::cleanup() {
    if (slider->isDragging()) {
        QTest::mouseRelease(slider, Qt::LeftButton);
    }
    delete slider;
    slider = nullptr;
}

void ValueSliderTest::geometryOfAModeRowBar() {
    ValueSlider& bar = *slider;
    configure(bar, 1, 100, 1);
    QCOMPARE(bar.size(), QSize(183, 41));
    QCOMPARE(trackSpan({183, 6, 2, 30, 1, 100, 1}), 139);
    QCOMPARE(bar.PositionOf(1), 37);
    QCOMPARE(bar.PositionOf(100), 176);
    QCOMPARE(bar.PositionOf(50), 105);
}

void ValueSliderTest::dragTo_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<double>("raw");
    QTest::addColumn<double>("stored");
    QTest::newRow("106") << 106 << 50.0 << 50.0;
    QTest::newRow("105") << 105 << 49.0 << 49.0;
    QTest::newRow("10, below the range") << 10 << -17.0 << 1.0;
    QTest::newRow("200, above the range") << 200 << 117.0 << 100.0;
}

void ValueSliderTest::dragTo() {
    QFETCH(int, x);
    QFETCH(double, raw);
    QFETCH(double, stored);
    ValueSlider& bar = *slider;
    configure(bar, 1, 100, 1);
    bar.SetValue(1);
    QCOMPARE(bar.ValueAt(x), raw);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(37, 20));
    QVERIFY(bar.isDragging());
    QTest::mouseMove(&bar, QPoint(x, 20));
    QCOMPARE(bar.GetValue(), stored);
}

void ValueSliderTest::everyDraggedDurationIsAMultipleOfFifty() {
    ValueSlider& bar = *slider;
    configure(bar, 50, 3000, 50);
    bar.SetValue(50);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(bar.PositionOf(50), 20));
    for (int x = -20; x <= 220; ++x) {
        QTest::mouseMove(&bar, QPoint(x, 20));
        const double value = bar.GetValue();
        QVERIFY2(value >= 50 && value <= 3000 && std::fmod(value, 50) == 0,
                 qPrintable(QString("x %1 gives %2").arg(x).arg(value)));
    }
}

void ValueSliderTest::aPressBesideTheMarkerOnlyReportsThePress() {
    ValueSlider& bar = *slider;
    configure(bar, 1, 100, 1);
    bar.SetValue(50); // marker at 104 and 105
    MessageLog log(bar);
    for (int x : {103, 106, 150}) {
        QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(x, 20));
        QVERIFY(!bar.isDragging());
        QTest::mouseMove(&bar, QPoint(x + 20, 20));
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(x + 20, 20));
    }
    QCOMPARE(bar.GetValue(), 50.0);
    QCOMPARE(log.count(SliderPress), 3);
    QCOMPARE(log.count(SliderDrag), 0);
}

void ValueSliderTest::oneDragSendsOnePressAndADragPerMove() {
    ValueSlider& bar = *slider;
    configure(bar, 1, 40, 1);
    bar.SetValue(20);
    MessageLog log(bar);
    const int marker = bar.PositionOf(20);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(marker, 20));
    for (int x : {marker + 10, marker + 30, 400}) {
        QTest::mouseMove(&bar, QPoint(x, 20));
    }
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(400, 20));
    QVERIFY(!bar.isDragging());
    QTest::mouseMove(&bar, QPoint(50, 20)); // after the release nothing follows the pointer
    QCOMPARE(log.count(SliderPress), 1);
    QCOMPARE(log.count(SliderDrag), 4); // the press point, then each move
    // The value reaches the row before the press does, and every report carries the value.
    QCOMPARE(log.messages.front().message, int(SliderDrag));
    QCOMPARE(log.messages[1].message, int(SliderPress));
    QCOMPARE(log.messages.back().value, 40);
    QCOMPARE(bar.GetValue(), 40.0);
}

void ValueSliderTest::doubleClickIsReported() {
    ValueSlider& bar = *slider;
    configure(bar, 1, 100, 1);
    bar.SetValue(75);
    MessageLog log(bar);
    QTest::mouseDClick(&bar, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(log.count(SliderDoubleClick), 1);
    QCOMPARE(log.messages.back().value, 75);
}

void ValueSliderTest::setValueClamps() {
    ValueSlider& bar = *slider;
    bar.SetRange(1, 100);
    bar.SetValue(120);
    QCOMPARE(bar.GetValue(), 100.0);
    bar.SetValue(-5);
    QCOMPARE(bar.GetValue(), 1.0);
    bar.SetValue(37.5); // not rounded to the step here
    QCOMPARE(bar.GetValue(), 37.5);
}

void ValueSliderTest::valueTextHasNoSpaceBeforeTheUnit() {
    ValueSlider& bar = *slider;
    bar.SetRange(50, 3000);
    bar.SetUnit(QStringLiteral("ms"));
    bar.SetValue(1500);
    QCOMPARE(bar.valueText(), QStringLiteral("1500ms"));
    bar.SetRange(1, 40);
    bar.SetUnit(QStringLiteral("HZ"));
    bar.SetValue(20);
    QCOMPARE(bar.valueText(), QStringLiteral("20HZ"));
}

void ValueSliderTest::anEmptyRangeNeverDividesByZero() {
    ValueSlider& bar = *slider;
    configure(bar, 0, 0, 0);
    bar.SetValue(7);
    QCOMPARE(bar.GetValue(), 0.0);
    QCOMPARE(bar.PositionOf(0), 37);
    QCOMPARE(bar.ValueAt(150), 0.0);
    QCOMPARE(valueAt({20, 6, 2, 30, 1, 100, 1}, 10), 1.0); // a bar too narrow for a track
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(37, 20));
    QTest::mouseMove(&bar, QPoint(120, 20));
    QCOMPARE(bar.GetValue(), 0.0);
    QVERIFY(!bar.grab().isNull());
}

void ValueSliderTest::missingPicturesAreReportedAndStillPaint() {
    ValueSlider& bar = *slider;
    bar.resize(90, 30);
    QVERIFY(!bar.SetBitmaps(213, 217, 235));
    QCOMPARE(bar.size(), QSize(90, 30));
    QVERIFY(!bar.SetBitmaps(213, 214, 218));
    QCOMPARE(bar.size(), QSize(90, 30));
    bar.SetRange(1, 100);
    bar.SetValue(50);
    QCOMPARE(bar.grab().size(), QSize(90, 30));
}

} // namespace lumavert

QTEST_MAIN(lumavert::ValueSliderTest)
#include "ValueSliderTest.moc"
