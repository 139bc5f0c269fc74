#include "rows/PickerRules.h"
#include "model/ViewState.h"

#include <QtTest>

#include <cerrno>

namespace lumavert {
namespace {

PickerItem itemFor(int key) {
    return makeItemTable().at(key);
}

LightMode customMode() {
    LightMode mode;
    mode.kind = KindCustomize;
    mode.steps = {100, 200, 300, 400};
    return mode;
}

} // namespace

class PickerRulesTest : public QObject {
    Q_OBJECT

  private slots:
    void itemTableRanges_data();
    void itemTableRanges();
    void typedValues_data();
    void typedValues();
    void aStaleRangeErrorDoesNotCount();
    void actionItemsTakeNoTypedValue();
    void recordValueReadsTheShownField();
    void writingTruncatesAndSkipsWhatDoesNotExist();
    void itemChoices_data();
    void itemChoices();
    void itemChoicesWithoutARecordStillNotify();
    void listEntryOfEachKind();
    void barPictures_data();
    void barPictures();
};

void PickerRulesTest::itemTableRanges_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("step");
    QTest::newRow("brightness") << int(ItemBrightness) << "%" << 1.0 << 100.0 << 1.0;
    QTest::newRow("frequency") << int(ItemFrequency) << "HZ" << 1.0 << 40.0 << 1.0;
    QTest::newRow("customize") << int(ItemCustomize) << "min" << 0.0 << 10.0 << 1.0;
    QTest::newRow("sos") << int(ItemSos) << "min" << 0.0 << 10.0 << 1.0;
    QTest::newRow("lighting") << int(ItemLighting) << "ms" << 50.0 << 3000.0 << 50.0;
    QTest::newRow("dimming") << int(ItemDimming) << "ms" << 50.0 << 3000.0 << 50.0;
    QTest::newRow("insert") << int(ItemInsert) << "" << 0.0 << 0.0 << 0.0;
    QTest::newRow("delete") << int(ItemDelete) << "" << 0.0 << 0.0 << 0.0;
}

void PickerRulesTest::itemTableRanges() {
    QFETCH(int, key);
    QFETCH(QString, unit);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, step);
    const ItemTable table = makeItemTable();
    QCOMPARE(table.size(), std::size_t{8});
    const PickerItem& item = table.at(key);
    QCOMPARE(item.unit, unit);
    QCOMPARE(item.minimum, minimum);
    QCOMPARE(item.maximum, maximum);
    QCOMPARE(item.step, step);
    QCOMPARE(item.decimals, 0);
    QVERIFY(!item.name.isEmpty());
}

void PickerRulesTest::typedValues_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("stored");
    const int lighting = ItemLighting;
    const int brightness = ItemBrightness;
    QTest::newRow("below the minimum") << lighting << "40" << true << 50.0;
    QTest::newRow("above the maximum") << lighting << "5000" << true << 3000.0;
    QTest::newRow("half rounds up") << lighting << "1525" << true << 1550.0;
    QTest::newRow("under half rounds down") << lighting << "1524.9" << true << 1500.0;
    QTest::newRow("leading blanks and sign") << lighting << "  +760" << true << 750.0;
    QTest::newRow("exponent") << brightness << "7.5e1" << true << 75.0;
    QTest::newRow("plain") << brightness << "75" << true << 75.0;
    QTest::newRow("negative") << brightness << "-5" << true << 1.0;
    QTest::newRow("letters after") << brightness << "12abc" << false << 0.0;
    QTest::newRow("unit after") << lighting << "1200ms" << false << 0.0;
    QTest::newRow("trailing blank") << brightness << "12 " << false << 0.0;
    QTest::newRow("two numbers") << brightness << "12 13" << false << 0.0;
    QTest::newRow("empty") << brightness << "" << false << 0.0;
    QTest::newRow("blank") << brightness << "   " << false << 0.0;
    QTest::newRow("sign only") << brightness << "-" << false << 0.0;
    QTest::newRow("two signs") << brightness << "+-5" << false << 0.0;
    QTest::newRow("comma") << brightness << "7,5" << false << 0.0;
    QTest::newRow("hexadecimal") << brightness << "0x20" << false << 0.0;
    QTest::newRow("beyond double") << lighting << "1e999" << false << 0.0;
    QTest::newRow("infinity") << lighting << "inf" << false << 0.0;
    QTest::newRow("not a number") << lighting << "nan" << false << 0.0;
}

void PickerRulesTest::typedValues() {
    QFETCH(int, key);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(double, stored);
    const std::optional<double> value = committedValue(typed.toStdString(), itemFor(key));
    QCOMPARE(value.has_value(), accepted);
    if (accepted) {
        QCOMPARE(*value, stored);
    }
}

void PickerRulesTest::aStaleRangeErrorDoesNotCount() {
    errno = ERANGE;
    QCOMPARE(parseTypedValue("75"), std::optional<double>(75.0));
}

void PickerRulesTest::actionItemsTakeNoTypedValue() {
    QVERIFY(!committedValue("50", itemFor(ItemInsert)));
    QVERIFY(!committedValue("0", itemFor(ItemDelete)));
}

void PickerRulesTest::recordValueReadsTheShownField() {
    LightMode mode = customMode();
    mode.brightness = 42;
    mode.frequency = 17;
    mode.minutes = 3;
    QCOMPARE(recordValue(mode, ItemBrightness, -1), std::optional<int>(42));
    QCOMPARE(recordValue(mode, ItemFrequency, -1), std::optional<int>(17));
    QCOMPARE(recordValue(mode, ItemCustomize, -1), std::optional<int>(3));
    QCOMPARE(recordValue(mode, ItemSos, -1), std::optional<int>(3));
    QCOMPARE(recordValue(mode, ItemLighting, 2), std::optional<int>(300));
    QCOMPARE(recordValue(mode, ItemDimming, 3), std::optional<int>(400));
    QCOMPARE(recordValue(mode, ItemDimming, 4), std::nullopt);
    QCOMPARE(recordValue(mode, ItemLighting, -1), std::nullopt);
    QCOMPARE(recordValue(mode, ItemInsert, 0), std::nullopt);
}

void PickerRulesTest::writingTruncatesAndSkipsWhatDoesNotExist() {
    LightMode mode = customMode();
    writeRecordValue(mode, ItemFrequency, -1, 20.9, 1);
    QCOMPARE(mode.frequency, 20);
    writeRecordValue(mode, ItemLighting, 1, 1550, 1);
    QCOMPARE(mode.steps, (std::vector<std::int32_t>{100, 1550, 300, 400}));
    const LightMode before = mode;
    writeRecordValue(mode, ItemLighting, 4, 900, 1);
    writeRecordValue(mode, ItemDelete, 0, 900, 0);
    writeRecordValue(mode, ItemBrightness, -1, 900, 0);
    QCOMPARE(mode, before);
}

void PickerRulesTest::itemChoices_data() {
    QTest::addColumn<int>("sosBefore");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("sos");
    QTest::addColumn<int>("notice");
    QTest::newRow("brightness") << 1 << int(ItemBrightness) << 1 << 0 << int(NoticeKindChanged);
    QTest::newRow("frequency") << 1 << int(ItemFrequency) << 2 << 0 << int(NoticeKindChanged);
    QTest::newRow("customize") << 1 << int(ItemCustomize) << 3 << 0 << int(NoticeKindChanged);
    QTest::newRow("sos") << 0 << int(ItemSos) << 3 << 1 << int(NoticeSos);
    QTest::newRow("lighting keeps sos")
        << 1 << int(ItemLighting) << 3 << 1 << int(NoticeKindChanged);
    QTest::newRow("dimming") << 0 << int(ItemDimming) << 3 << 0 << int(NoticeKindChanged);
    QTest::newRow("insert") << 0 << int(ItemInsert) << 1 << 0 << int(NoticeInsert);
    QTest::newRow("delete") << 1 << int(ItemDelete) << 1 << 1 << int(NoticeDelete);
    QTest::newRow("unknown") << 0 << 64 << 1 << 0 << 0;
}

void PickerRulesTest::itemChoices() {
    QFETCH(int, sosBefore);
    QFETCH(int, key);
    QFETCH(int, kind);
    QFETCH(int, sos);
    QFETCH(int, notice);
    LightMode mode;
    mode.sos = sosBefore;
    const std::vector<std::int32_t> steps = mode.steps;
    QCOMPARE(applyItemChoice(&mode, key), notice);
    QCOMPARE(mode.kind, kind);
    QCOMPARE(mode.sos, sos);
    QCOMPARE(mode.steps, steps);
}

void PickerRulesTest::itemChoicesWithoutARecordStillNotify() {
    QCOMPARE(applyItemChoice(nullptr, ItemSos), int(NoticeSos));
    QCOMPARE(applyItemChoice(nullptr, ItemInsert), int(NoticeInsert));
}

void PickerRulesTest::listEntryOfEachKind() {
    QCOMPARE(itemKeyForKind(KindBrightness), int(ItemBrightness));
    QCOMPARE(itemKeyForKind(KindFrequency), int(ItemFrequency));
    QCOMPARE(itemKeyForKind(KindCustomize), int(ItemCustomize));
    QCOMPARE(itemKeyForKind(0), 0);
    QCOMPARE(itemKeyForKind(4), 0);
}

void PickerRulesTest::barPictures_data() {
    QTest::addColumn<int>("mask");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<QList<int>>("ids");
    QTest::newRow("lighting") << kLightingRowItems << false << false << QList<int>{215, 213, 233};
    QTest::newRow("lighting selected")
        << kLightingRowItems << true << true << QList<int>{221, 219, 234};
    QTest::newRow("dimming") << kDimmingRowItems << false << false << QList<int>{215, 216, 238};
    QTest::newRow("dimming selected")
        << kDimmingRowItems << true << false << QList<int>{221, 222, 239};
    QTest::newRow("mode") << kModeRowItems << false << false << QList<int>{213, 214, 235};
    QTest::newRow("mode marked only")
        << kModeRowItems << false << true << QList<int>{213, 214, 235};
    QTest::newRow("mode selected") << kModeRowItems << true << false << QList<int>{219, 220, 236};
    QTest::newRow("mode selected and marked")
        << kModeRowItems << true << true << QList<int>{219, 223, 237};
}

void PickerRulesTest::barPictures() {
    QFETCH(int, mask);
    QFETCH(bool, selected);
    QFETCH(bool, marked);
    QFETCH(QList<int>, ids);
    const BarBitmaps bitmaps = barBitmaps(mask, selected, marked);
    QCOMPARE((QList<int>{bitmaps.background, bitmaps.fill, bitmaps.marker}), ids);
}

} // namespace lumavert

QTEST_MAIN(lumavert::PickerRulesTest)
#include "PickerRulesTest.moc"
