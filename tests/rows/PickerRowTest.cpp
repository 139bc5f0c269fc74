#include "rows/PickerRow.h"
#include "controls/LinkLabel.h"
#include "controls/SkinCombo.h"
#include "controls/ValueSlider.h"
#include "model/ViewState.h"
#include "rows/InPlaceEdit.h"
#include "rows/RowNoticeEvent.h"

#include <QClipboard>
#include <QLineEdit>
#include <QtTest>

#include <vector>

namespace lumavert {
namespace {

// Stands in for the main window: records each notice with the record as it was when the
// notice arrived.
class Owner : public QWidget {
  public:
    struct Seen {
        int notice;
        int rowType;
        int controlId;
        LightMode record;
    };

    const LightMode* watched = nullptr;
    std::vector<Seen> seen;

  protected:
    void customEvent(QEvent* event) override {
        if (const auto* notice = RowNoticeEvent::from(event)) {
            seen.push_back({notice->notice(), notice->rowType(), notice->controlId(),
                            watched ? *watched : LightMode{}});
        }
    }
};

LightMode modeOfKind(int kind) {
    LightMode mode;
    mode.kind = kind;
    mode.brightness = 42;
    mode.frequency = 20;
    mode.minutes = 3;
    mode.steps = {1000, 200, 300, 700};
    return mode;
}

// Picks an entry from the keyboard, as a user does, so that the list reports a choice.
void choose(PickerRow& row, int key) {
    SkinCombo* list = row.itemList();
    const int index = list->findData(key);
    QVERIFY(index >= 0);
    list->setCurrentIndex(index > 0 ? index - 1 : index + 1);
    QTest::keyClick(list, index > 0 ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(list->currentIndex(), index);
}

void openEditBox(PickerRow& row) {
    QTest::mouseDClick(row.valueBar(), Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(row.editBox()->isVisible());
    QTRY_VERIFY(row.editBox()->hasFocus());
}

} // namespace

class PickerRowTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void aModeRowShowsItsRecord_data();
    void aModeRowShowsItsRecord();
    void aStepRowShowsItsEntry();
    void outOfRangeValuesAreShownClampedAndKept_data();
    void outOfRangeValuesAreShownClampedAndKept();
    void choosingAKindWritesTheRecordThenNotifies();
    void choosingSosMakesTheModeSosAndShowsCustomize();
    void actionsNotifyAndLeaveTheRecord_data();
    void actionsNotifyAndLeaveTheRecord();
    void draggingWritesEveryMoveAndNotifiesOnce();
    void aPressBesideTheMarkerOnlyNotifies();
    void doubleClickOpensTheEditBoxWithTheValue();
    void typedValues_data();
    void typedValues();
    void escapeThenPasteThenClickElsewhereDoesNotCommit();
    void theBoxTakesNoMoreThanFits();
    void itsOwnContextMenuDoesNotEndEditing();
    void unboundRowsNeverCrash();

  private:
    bool showActive();

    Owner* owner = nullptr;
    QLineEdit* elsewhere = nullptr;
};

void PickerRowTest::init() {
    owner = new Owner;
    owner->resize(400, 200);
    elsewhere = new QLineEdit(owner);
    elsewhere->setGeometry(250, 10, 100, 20);
}

// Focus moves, and so the edit box commits, only in a shown, active window.
bool PickerRowTest::showActive() {
    owner->show();
    owner->activateWindow();
    return QTest::qWaitForWindowActive(owner);
}

void PickerRowTest::cleanup() {
    delete owner;
    owner = nullptr;
}

void PickerRowTest::aModeRowShowsItsRecord_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("sos");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("value");
    QTest::newRow("brightness") << 1 << 0 << "Brightness"
                                << "42%";
    QTest::newRow("frequency") << 2 << 0 << "Frequency"
                               << "20HZ";
    QTest::newRow("customize") << 3 << 0 << "Customize"
                               << "3min";
    QTest::newRow("s.o.s") << 3 << 1 << "Customize"
                           << "3min";
}

void PickerRowTest::aModeRowShowsItsRecord() {
    QFETCH(int, kind);
    QFETCH(int, sos);
    QFETCH(QString, item);
    QFETCH(QString, value);
    LightMode mode = modeOfKind(kind);
    mode.sos = sos;
    PickerRow row(RowTypeMode, kModeRowItems, 1, owner);
    QCOMPARE(row.itemList()->count(), 6);
    row.SetState(false, false);
    row.SetNumber(4);
    row.Bind(&mode, -1);
    QCOMPARE(row.itemList()->currentText(), item);
    QCOMPARE(row.valueBar()->valueText(), value);
    QCOMPARE(row.numberLabel()->text(), QStringLiteral("4."));
}

void PickerRowTest::aStepRowShowsItsEntry() {
    LightMode mode = modeOfKind(KindCustomize);
    PickerRow row(RowTypeStep, kDimmingRowItems, 2, owner);
    QCOMPARE(row.itemList()->count(), 2);
    row.SetNumber(3 / 2 + 1);
    row.Bind(&mode, 3);
    QCOMPARE(row.itemList()->currentText(), QStringLiteral("Dimming Duration"));
    QCOMPARE(row.valueBar()->valueText(), QStringLiteral("700ms"));
    QCOMPARE(row.numberLabel()->text(), QStringLiteral("2."));
}

void PickerRowTest::outOfRangeValuesAreShownClampedAndKept_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("brightness 0") << 1 << 0 << "1%";
    QTest::newRow("frequency 99") << 2 << 99 << "40HZ";
    QTest::newRow("minutes -4") << 3 << -4 << "0min";
}

void PickerRowTest::outOfRangeValuesAreShownClampedAndKept() {
    QFETCH(int, kind);
    QFETCH(int, stored);
    QFETCH(QString, shown);
    LightMode mode = modeOfKind(kind);
    mode.brightness = mode.frequency = mode.minutes = stored;
    const LightMode before = mode;
    PickerRow row(RowTypeMode, kModeRowItems, 1, owner);
    row.Bind(&mode, -1);
    QCOMPARE(row.valueBar()->valueText(), shown);
    QCOMPARE(mode, before);

    mode.steps[0] = 40;
    PickerRow lighting(RowTypeStep, kLightingRowItems, 1, owner);
    lighting.Bind(&mode, 0);
    QCOMPARE(lighting.valueBar()->valueText(), QStringLiteral("50ms"));
    QCOMPARE(mode.steps[0], 40);
}

void PickerRowTest::choosingAKindWritesTheRecordThenNotifies() {
    LightMode mode = modeOfKind(KindBrightness);
    owner->watched = &mode;
    PickerRow row(RowTypeMode, kModeRowItems, 3, owner);
    row.Bind(&mode, -1);
    choose(row, ItemFrequency);
    QCOMPARE(mode.kind, int(KindFrequency));
    QCOMPARE(row.valueBar()->valueText(), QStringLiteral("20HZ")); // refreshed at once
    QVERIFY(owner->seen.empty());                                  // posted, not sent
    QCoreApplication::sendPostedEvents(owner);
    QCOMPARE(owner->seen.size(), std::size_t{1});
    QCOMPARE(owner->seen[0].notice, int(NoticeKindChanged));
    QCOMPARE(owner->seen[0].rowType, int(RowTypeMode));
    QCOMPARE(owner->seen[0].controlId, 3);
    QCOMPARE(owner->seen[0].record.kind, int(KindFrequency));
}

void PickerRowTest::choosingSosMakesTheModeSosAndShowsCustomize() {
    LightMode mode = modeOfKind(KindBrightness);
    owner->watched = &mode;
    PickerRow row(RowTypeMode, kModeRowItems, 2, owner);
    row.Bind(&mode, -1);
    choose(row, ItemSos);
    QCoreApplication::sendPostedEvents(owner);
    QCOMPARE(owner->seen.size(), std::size_t{1});
    QCOMPARE(owner->seen[0].notice, int(NoticeSos));
    QCOMPARE(owner->seen[0].controlId, 2);
    QCOMPARE(owner->seen[0].record.kind, int(KindCustomize));
    QCOMPARE(owner->seen[0].record.sos, 1);
    row.Bind(&mode, -1); // the owner's re-bind
    QCOMPARE(row.itemList()->currentText(), QStringLiteral("Customize"));
}

void PickerRowTest::actionsNotifyAndLeaveTheRecord_data() {
    QTest::addColumn<int>("rowType");
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("notice");
    QTest::newRow("insert on a mode row")
        << int(RowTypeMode) << kModeRowItems << 5 << int(ItemInsert) << int(NoticeInsert);
    QTest::newRow("delete on a mode row")
        << int(RowTypeMode) << kModeRowItems << 1 << int(ItemDelete) << int(NoticeDelete);
    QTest::newRow("delete on the dimming row")
        << int(RowTypeStep) << kDimmingRowItems << 2 << int(ItemDelete) << int(NoticeDelete);
}

void PickerRowTest::actionsNotifyAndLeaveTheRecord() {
    QFETCH(int, rowType);
    QFETCH(int, mask);
    QFETCH(int, id);
    QFETCH(int, key);
    QFETCH(int, notice);
    LightMode mode = modeOfKind(KindCustomize);
    const LightMode before = mode;
    PickerRow row(rowType, mask, id, owner);
    row.Bind(&mode, rowType == RowTypeStep ? 1 : -1);
    choose(row, key);
    QCoreApplication::sendPostedEvents(owner);
    QCOMPARE(owner->seen.size(), std::size_t{1});
    QCOMPARE(owner->seen[0].notice, notice);
    QCOMPARE(owner->seen[0].rowType, rowType);
    QCOMPARE(owner->seen[0].controlId, id);
    QCOMPARE(mode, before);
    QVERIFY(!row.valueBar()->grab().isNull()); // the action's empty range still paints
}

void PickerRowTest::draggingWritesEveryMoveAndNotifiesOnce() {
    LightMode mode = modeOfKind(KindFrequency);
    owner->watched = &mode;
    PickerRow row(RowTypeMode, kModeRowItems, 4, owner);
    row.SetState(true, false);
    row.Bind(&mode, -1);
    ValueSlider* bar = row.valueBar();
    const int marker = bar->PositionOf(20);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(marker, 20));
    QCOMPARE(mode.frequency, static_cast<int>(bar->ValueAt(marker)));
    for (int x : {60, 90, 150, 170}) {
        QTest::mouseMove(bar, QPoint(x, 20));
        QCOMPARE(mode.frequency, static_cast<int>(bar->ValueAt(x)));
    }
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(170, 20));
    QVERIFY(owner->seen.empty());
    QCoreApplication::sendPostedEvents(owner);
    QCOMPARE(owner->seen.size(), std::size_t{1});
    QCOMPARE(owner->seen[0].notice, int(NoticeValuePressed));
    QCOMPARE(owner->seen[0].controlId, 4);
    QCOMPARE(owner->seen[0].record.frequency, 38);
}

void PickerRowTest::aPressBesideTheMarkerOnlyNotifies() {
    LightMode mode = modeOfKind(KindBrightness);
    PickerRow row(RowTypeMode, kModeRowItems, 1, owner);
    row.SetState(true, true);
    row.Bind(&mode, -1);
    QTest::mouseClick(row.valueBar(), Qt::LeftButton, {}, QPoint(150, 20));
    QCoreApplication::sendPostedEvents(owner);
    QCOMPARE(owner->seen.size(), std::size_t{1});
    QCOMPARE(owner->seen[0].notice, int(NoticeValuePressed));
    QCOMPARE(mode.brightness, 42);
}

void PickerRowTest::doubleClickOpensTheEditBoxWithTheValue() {
    LightMode mode = modeOfKind(KindCustomize);
    PickerRow row(RowTypeStep, kLightingRowItems, 1, owner);
    row.Bind(&mode, 0);
    QVERIFY(showActive());
    openEditBox(row);
    QCOMPARE(row.editBox()->text(), QStringLiteral("1000"));
    QCOMPARE(row.editBox()->selectedText(), QStringLiteral("1000"));
    QCOMPARE(row.editBox()->geometry(), QRect(50, 10, 83, 21));
}

void PickerRowTest::typedValues_data() {
    QTest::addColumn<int>("mask");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::newRow("40 ms") << kLightingRowItems << "40" << 50;
    QTest::newRow("5000 ms") << kLightingRowItems << "5000" << 3000;
    QTest::newRow("1525 ms") << kLightingRowItems << "1525" << 1550;
    QTest::newRow("1524.9 ms") << kLightingRowItems << "1524.9" << 1500;
    QTest::newRow("12abc") << kLightingRowItems << "12abc" << 1000;
    QTest::newRow("12ms") << kLightingRowItems << "12ms" << 1000;
    QTest::newRow("75 %") << kModeRowItems << "75" << 75;
    QTest::newRow("12abc %") << kModeRowItems << "12abc" << 42;
}

// Enter hands the focus back to the value bar, and the loss of focus commits.
void PickerRowTest::typedValues() {
    QFETCH(int, mask);
    QFETCH(QString, typed);
    QFETCH(int, stored);
    LightMode mode = modeOfKind(KindBrightness);
    const bool stepRow = mask != kModeRowItems;
    PickerRow row(stepRow ? RowTypeStep : RowTypeMode, mask, 1, owner);
    row.Bind(&mode, stepRow ? 0 : -1);
    QVERIFY(showActive());
    openEditBox(row);
    QTest::keyClicks(row.editBox(), typed);
    QTest::keyClick(row.editBox(), Qt::Key_Return);
    QVERIFY(!row.editBox()->isVisible());
    QVERIFY(row.valueBar()->hasFocus());
    QCOMPARE(stepRow ? mode.steps[0] : mode.brightness, stored);
    QCOMPARE(row.valueBar()->GetValue(), double(stored));
}

void PickerRowTest::escapeThenPasteThenClickElsewhereDoesNotCommit() {
    LightMode mode = modeOfKind(KindCustomize);
    PickerRow row(RowTypeStep, kLightingRowItems, 1, owner);
    row.Bind(&mode, 0);
    QVERIFY(showActive());

    openEditBox(row);
    QTest::keyClicks(row.editBox(), QStringLiteral("2000"));
    QTest::keyClick(row.editBox(), Qt::Key_Escape);
    QVERIFY(!row.editBox()->isVisible());
    QCOMPARE(mode.steps[0], 1000);

    openEditBox(row);
    QVERIFY(row.editBox()->isCancelPending()); // opening does not clear it
    QGuiApplication::clipboard()->setText(QStringLiteral("2500"));
    row.editBox()->paste();
    QCOMPARE(row.editBox()->text(), QStringLiteral("2500"));
    elsewhere->setFocus(Qt::MouseFocusReason);
    QVERIFY(!row.editBox()->isVisible());
    QCOMPARE(mode.steps[0], 1000);

    openEditBox(row);
    QTest::keyClicks(row.editBox(), QStringLiteral("2500"));
    QVERIFY(!row.editBox()->isCancelPending());
    elsewhere->setFocus(Qt::MouseFocusReason);
    QCOMPARE(mode.steps[0], 2500);
}

void PickerRowTest::theBoxTakesNoMoreThanFits() {
    LightMode mode = modeOfKind(KindCustomize);
    PickerRow row(RowTypeStep, kLightingRowItems, 1, owner);
    row.Bind(&mode, 0);
    QVERIFY(showActive());
    openEditBox(row);
    const QString typed = QStringLiteral("12345678901234567890123456789");
    QTest::keyClicks(row.editBox(), typed);
    const QString kept = row.editBox()->text();
    QVERIFY(kept.size() >= 6);
    QVERIFY(kept.size() < typed.size());
    QVERIFY(typed.startsWith(kept));
    QVERIFY(row.editBox()->fontMetrics().horizontalAdvance(kept) < row.editBox()->width());
}

void PickerRowTest::itsOwnContextMenuDoesNotEndEditing() {
    LightMode mode = modeOfKind(KindCustomize);
    PickerRow row(RowTypeStep, kLightingRowItems, 1, owner);
    row.Bind(&mode, 0);
    QVERIFY(showActive());
    openEditBox(row);
    QTest::keyClicks(row.editBox(), QStringLiteral("2000"));
    QFocusEvent toMenu(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(row.editBox(), &toMenu);
    QVERIFY(row.editBox()->isVisible());
    QCOMPARE(mode.steps[0], 1000);
}

void PickerRowTest::unboundRowsNeverCrash() {
    PickerRow row(RowTypeMode, kModeRowItems, 1, owner);
    row.SetState(true, true);
    row.Refresh();
    ValueSlider* bar = row.valueBar();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->PositionOf(bar->GetValue()), 20));
    QTest::mouseMove(bar, QPoint(120, 20));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(120, 20));
    choose(row, ItemSos);
    choose(row, ItemInsert);
    row.Bind(nullptr, -1);
    QVERIFY(!row.grab().isNull());
    QCoreApplication::sendPostedEvents(owner);
    QCOMPARE(owner->seen.back().notice, int(NoticeInsert));
}

} // namespace lumavert

QTEST_MAIN(lumavert::PickerRowTest)
#include "PickerRowTest.moc"
