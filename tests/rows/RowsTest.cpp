// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/ColorRef.h"
#include "controls/LinkLabel.h"
#include "controls/SkinCombo.h"
#include "controls/ValueSlider.h"
#include "model/PickerRules.h"
#include "model/ViewState.h"
#include "rows/BarSkin.h"
#include "rows/InPlaceEdit.h"
#include "rows/PickerRow.h"
#include "rows/RowNoticeEvent.h"

#include <QClipboard>
#include <QLineEdit>
#include <QtTest>

namespace lumavert {
namespace {

// Stands in for the main window: records each notice.
class Owner : public QWidget {
  public:
    QList<QList<int>> seen; // notice, row type, control id

  protected:
    void customEvent(QEvent* event) override {
        if (const auto* notice = RowNoticeEvent::from(event)) {
            seen.push_back({notice->notice(), notice->rowType(), notice->controlId()});
        }
    }
};

LightMode modeOfKind(int kind) {
    return LightMode{kind, 42, 20, 3, {1000, 200, 300, 700}, 0};
}

int rowTypeOf(int mask) {
    return mask == kModeRowItems ? RowTypeMode : RowTypeStep;
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

class RowsTest : public QObject {
    Q_OBJECT

    Owner* owner = nullptr;
    QLineEdit* elsewhere = nullptr;

    // Focus moves, and so the edit box commits, only in a shown, active window.
    bool showActive() {
        owner->show();
        owner->activateWindow();
        return QTest::qWaitForWindowActive(owner);
    }

  private slots:
    void init() {
        owner = new Owner;
        owner->resize(400, 200);
        elsewhere = new QLineEdit(owner);
        elsewhere->setGeometry(250, 10, 100, 20);
    }

    void cleanup() { delete owner; }

    // Rules.

    // Of the bar pictures only the mode row's fill tells a marked selection from a plain one.
    void theMarkShowsOnlyOnASelectedModeRow() {
        for (int mask : {kModeRowItems, kLightingRowItems, kDimmingRowItems}) {
            const bool mode = mask == kModeRowItems;
            QCOMPARE(barBitmaps(mask, true, true).fill != barBitmaps(mask, true, false).fill, mode);
            QCOMPARE(barBitmaps(mask, false, true).fill, barBitmaps(mask, false, false).fill);
            QVERIFY(barBitmaps(mask, true, false).background !=
                    barBitmaps(mask, false, false).background);
        }
    }

    // Rows.

    // What a row shows of its record, clamped to the item's range without changing the record;
    // the value text is black on lighting rows only, in every state.
    void aRowShowsItsRecord() {
        const struct {
            int mask, kind, sos, entry, stored;
            const char* item;
            const char* value;
            bool selected, marked;
        } cases[] = {
            {kModeRowItems, KindBrightness, 0, -1, 42, "Brightness", "42%", false, false},
            {kModeRowItems, KindFrequency, 0, -1, 20, "Frequency", "20HZ", true, true},
            {kModeRowItems, KindCustomize, 0, -1, 3, "Customize", "3min", true, false},
            {kModeRowItems, KindCustomize, 1, -1, 3, "Customize", "3min", false, false},
            {kModeRowItems, KindBrightness, 0, -1, 0, "Brightness", "1%", false, false},
            {kModeRowItems, KindFrequency, 0, -1, 99, "Frequency", "40HZ", false, false},
            {kDimmingRowItems, KindCustomize, 0, 3, 700, "Dimming Duration", "700ms", true, false},
            {kLightingRowItems, KindCustomize, 0, 0, 40, "Lighting Duration", "50ms", true, true},
        };
        for (const auto& c : cases) {
            LightMode mode = modeOfKind(c.kind);
            mode.sos = c.sos;
            mode.brightness = mode.frequency = mode.minutes = c.stored;
            mode.steps[3] = mode.steps[0] = c.stored;
            const LightMode before = mode;
            PickerRow row(rowTypeOf(c.mask), c.mask, 1, owner);
            row.SetNumber(4);
            row.SetState(c.selected, c.marked);
            row.Bind(&mode, c.entry);
            QCOMPARE(row.itemList()->currentText(), QString::fromLatin1(c.item));
            QCOMPARE(row.valueBar()->valueText(), QString::fromLatin1(c.value));
            QCOMPARE(row.numberLabel()->text(), QStringLiteral("4."));
            QCOMPARE(mode, before);
            const QImage shown = row.valueBar()->grab().toImage();
            row.valueBar()->SetTextColour(c.mask == kLightingRowItems ? kBlack : kWhite);
            QCOMPARE(row.valueBar()->grab().toImage(), shown);
        }
    }

    // The row writes the record, then posts (not sends) one notice naming itself.
    void choicesWriteTheRecordThenNotify() {
        const int cases[][5] = {{kModeRowItems, 3, ItemFrequency, NoticeKindChanged, KindFrequency},
                                {kModeRowItems, 5, ItemInsert, NoticeInsert, KindBrightness},
                                {kDimmingRowItems, 2, ItemDelete, NoticeDelete, KindBrightness}};
        for (const auto& [mask, id, key, notice, kind] : cases) {
            LightMode mode = modeOfKind(KindBrightness);
            owner->seen.clear();
            PickerRow row(rowTypeOf(mask), mask, id, owner);
            row.Bind(&mode, 1);
            choose(row, key);
            QCOMPARE(mode.kind, kind);
            QVERIFY(owner->seen.empty());
            QCoreApplication::sendPostedEvents(owner);
            QCOMPARE(owner->seen, (QList<QList<int>>{{notice, rowTypeOf(mask), id}}));
        }
    }

    // A press beside the marker only notifies; a drag writes every move in whole steps.
    void theValueBarWritesDragsInStepsAndNotifiesPresses() {
        LightMode mode = modeOfKind(KindCustomize);
        PickerRow row(RowTypeStep, kLightingRowItems, 2, owner);
        row.SetState(true, false);
        row.Bind(&mode, 0);
        ValueSlider* bar = row.valueBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(150, 20));
        QCOMPARE(mode.steps[0], 1000);
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->PositionOf(1000), 20));
        for (int x = -20; x <= 171; ++x) {
            QTest::mouseMove(bar, QPoint(x, 20));
            const int value = mode.steps[0];
            QVERIFY2(value == bar->GetValue() && value % 50 == 0 && value >= 50 && value <= 3000,
                     qPrintable(QString("x %1 gives %2").arg(x).arg(value)));
        }
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(171, 20));
        const int released = mode.steps[0];
        QTest::mouseMove(bar, QPoint(60, 20)); // after the release nothing follows the pointer
        QCOMPARE(mode.steps[0], released);
        QCoreApplication::sendPostedEvents(owner);
        QCOMPARE(owner->seen.size(), 2); // the press beside the marker and the drag's
        QCOMPARE(owner->seen[1], (QList<int>{NoticeValuePressed, RowTypeStep, 2}));
    }

    // Enter commits and hands the focus back to the value bar, as does the loss of focus,
    // unless Esc came first and nothing was typed since; a refused text changes nothing.
    void theEditBoxCommitsTypedValuesOnly() {
        LightMode mode = modeOfKind(KindCustomize);
        PickerRow row(RowTypeStep, kLightingRowItems, 1, owner);
        row.Bind(&mode, 0);
        QVERIFY(showActive());
        const auto type = [&](const char* typed, Qt::Key end) {
            openEditBox(row);
            QTest::keyClicks(row.editBox(), QString::fromLatin1(typed));
            QTest::keyClick(row.editBox(), end);
        };
        openEditBox(row);
        QCOMPARE(row.editBox()->selectedText(), QStringLiteral("1000"));
        type("12ms", Qt::Key_Return);
        QCOMPARE(mode.steps[0], 1000);
        type("1525", Qt::Key_Return);
        QVERIFY(!row.editBox()->isVisible() && row.valueBar()->hasFocus());
        QCOMPARE(mode.steps[0], 1550);
        QCOMPARE(row.valueBar()->GetValue(), 1550.0);
        type("2000", Qt::Key_Escape);
        QVERIFY(!row.editBox()->isVisible());
        openEditBox(row);
        QVERIFY(row.editBox()->isCancelPending()); // opening does not clear it
        QGuiApplication::clipboard()->setText(QStringLiteral("2500"));
        row.editBox()->paste();
        QCOMPARE(row.editBox()->text(), QStringLiteral("2500"));
        elsewhere->setFocus(Qt::MouseFocusReason);
        QVERIFY(!row.editBox()->isVisible());
        QCOMPARE(mode.steps[0], 1550);

        openEditBox(row);
        const QString typed = QStringLiteral("25001234567890123456789012345");
        QTest::keyClicks(row.editBox(), typed);
        const QString kept = row.editBox()->text(); // no more than fits is taken
        QVERIFY(kept.size() >= 6 && kept.size() < typed.size() && typed.startsWith(kept));
        QVERIFY(row.editBox()->fontMetrics().horizontalAdvance(kept) < row.editBox()->width());
        row.editBox()->setText(QStringLiteral("2500"));
        QFocusEvent toItsMenu(QEvent::FocusOut, Qt::PopupFocusReason);
        QCoreApplication::sendEvent(row.editBox(), &toItsMenu);
        QVERIFY(row.editBox()->isVisible());
        QCOMPARE(mode.steps[0], 1550);
        elsewhere->setFocus(Qt::MouseFocusReason);
        QCOMPARE(mode.steps[0], 2500);
    }

    void unboundRowsNeverCrash() {
        PickerRow row(RowTypeMode, kModeRowItems, 1, owner);
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
        QCOMPARE(owner->seen.back().front(), int(NoticeInsert));
    }
};

} // namespace lumavert

QTEST_MAIN(lumavert::RowsTest)
#include "RowsTest.moc"
