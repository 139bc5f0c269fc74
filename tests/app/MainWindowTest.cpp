// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowHarness.h"

#include "app/BeamPreview.h"

#include <QFileDialog>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>

using namespace lumavert;

class MainWindowTest : public WindowTest {
    Q_OBJECT

  public:
    MainWindowTest()
        : WindowTest(true) {}

    static QString tipOf(PickerRow* row) {
        QHelpEvent ask(QEvent::ToolTip, QPoint(10, 10),
                       row->valueBar()->mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(row->valueBar(), &ask);
        return row->valueBar()->toolTip();
    }

  private slots:

    void enterAndEscapeNeitherCloseNorPress() {
        h->window->show();
        for (QAbstractButton* key :
             {static_cast<QAbstractButton*>(h->key("testButton")),
              static_cast<QAbstractButton*>(h->child<QPushButton>(QStringLiteral("helpButton")))}) {
            QSignalSpy clicks(key, &QAbstractButton::clicked);
            key->setFocus();
            for (const Qt::Key pressed : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                QTest::keyClick(key, pressed);
            }
            QCOMPARE(clicks.count(), 0);
        }
        QVERIFY(h->window->isVisible());
    }

    void scrollingWhileTypingKeepsTheValueWithItsMode() {
        for (int i = 0; i < 6; ++i) {
            h->click("addModeButton"); // seven modes, the last five in view
        }
        h->showActive();
        PickerRow* row = h->modeRow(1); // mode 3
        QTest::mouseDClick(row->valueBar(), Qt::LeftButton, {}, QPoint(150, 20));
        QTRY_VERIFY(row->editBox()->isVisible());
        QTest::keyClicks(row->editBox(), QStringLiteral("77"));
        h->child<QScrollBar>(QStringLiteral("modeScrollBar"))
            ->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(h->window->viewState().modeTop, 1);
        QCOMPARE(h->window->modeSet()[2].brightness, 77);
        QCOMPARE(h->window->modeSet()[1].brightness, 5);
    }

    void theBackgroundDragsTheWindowOnlyPastTheDragDistance() {
        h->window->move(100, 100);
        h->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h->window.get()));
        const QPoint start = h->window->pos();
        const int distance = QApplication::startDragDistance();
        QTest::mousePress(h->window.get(), Qt::LeftButton, {}, QPoint(300, 100));
        QTest::mouseMove(h->window.get(), QPoint(300 + distance - 1, 100));
        QCOMPARE(h->window->pos(), start); // a press, or a shaky click, moves nothing
        QTest::mouseMove(h->window.get(), QPoint(340, 130));
        QTest::mouseRelease(h->window.get(), Qt::LeftButton, {}, QPoint(340, 130));
        QCOMPARE(h->window->pos(), start + QPoint(40, 30));
        QTest::mouseMove(h->window.get(), QPoint(380, 160));
        QCOMPARE(h->window->pos(), start + QPoint(40, 30)); // released: it stays put
    }

    // Rows and the preset menu change the set as the model does, and the panels follow; typed
    // and dragged values are the history test's.
    void presetsResetTheViewAndInsertSelectsTheNewMode() {
        h->choosePreset(Preset::Household);
        h->choose(h->modeRow(3), 4); // (Einfügen)
        ModeSet expected = presetModes(Preset::Household);
        expected.insert(expected.begin() + 2, makeDefaultMode());
        QCOMPARE(h->window->modeSet(), expected);
        QCOMPARE(h->window->viewState().selectedMode, 2);
        QCOMPARE(h->modeRow(3)->itemList()->currentIndex(), 0); // back on the mode's kind
        h->choose(h->modeRow(1), 3);                            // S.O.S: its Steps show
        QVERIFY(!h->stepRow(1)->isHidden());
        h->choosePreset(Preset::Outdoor);
        QCOMPARE(h->window->modeSet(), presetModes(Preset::Outdoor));
        QCOMPARE(h->window->viewState(), (ViewState{0, -1, -1, 0, -1}));
        QVERIFY(h->stepRow(1)->isHidden());
    }

    void sosShowsItsNineStepsAndTipsSayWhatTheLightKeeps() {
        QCOMPARE(tipOf(h->modeRow(1)), QString());
        h->choose(h->modeRow(1), 3);
        QCOMPARE(h->window->modeSet()[0].steps, sosPattern());
        QCOMPARE(h->key("customizeButton")->text(), QStringLiteral("S.O.S"));
        QCOMPARE(tipOf(h->modeRow(1)),
                 QStringLiteral("Die Lampe speichert die S.O.S-Kennzeichnung nicht"));
        QCOMPARE(tipOf(h->stepRow(1)), QStringLiteral("Die Lampe speichert 376ms")); // 500 ms
        auto* stepBar = h->child<QScrollBar>(QStringLiteral("stepScrollBar"));
        QCOMPARE(stepBar->maximum(), 8);
        stepBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(h->stepRow(1)->numberLabel()->text(), QStringLiteral("2."));

        h->choose(h->modeRow(1), 2); // Customize clears the S.O.S mark
        QCOMPARE(h->key("customizeButton")->text(), QStringLiteral("Customize"));
        QCOMPARE(tipOf(h->modeRow(1)), QString());
    }

    // Files: Open reads back what Save wrote, refuses a bad file and does nothing when cancelled;
    // a file dropped on the window is opened the same way.
    void openKeepsOrReplacesTheSet_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("dropped");
        QTest::addRow("saved by the window") << "saved" << false;
        QTest::addRow("refused") << "bad" << false;
        QTest::addRow("choice cancelled") << "" << false;
        QTest::addRow("refused, dropped") << "bad" << true;
    }
    void openKeepsOrReplacesTheSet() {
        QFETCH(QString, file);
        QFETCH(bool, dropped);
        QTemporaryDir folder;
        const QString path = file.isEmpty() ? QString() : folder.filePath(QStringLiteral("m.ini"));
        h->choosePreset(Preset::Outdoor);
        ModeSet expected = h->window->modeSet();
        if (file == "saved") {
            h->prompts->savePath = path;
            h->click("saveButton");
            h->choosePreset(Preset::Household);
            expected[3].sos = 0; // the file does not keep the S.O.S mark
        } else if (file == "bad") {
            QFile bad(path);
            QVERIFY(bad.open(QIODevice::WriteOnly));
            bad.write("[Setting]\r\nCount=2\r\n[Item1]\r\nMode=1\r\nBrightness=0\r\n");
        }
        h->choose(h->modeRow(2), 0); // select a mode: a refused file resets the view all same
        if (dropped) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(h->window.get(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(h->window.get(), &drop);
        } else {
            h->prompts->openPath = path;
            h->click("openButton");
        }
        QCOMPARE(h->window->modeSet(), expected);
        QCOMPARE(h->prompts->messages,
                 file == "bad" ? QStringList{"Failed to read config file!"} : QStringList{});
        if (file != "saved") {
            QCOMPARE(h->window->viewState().selectedMode, file.isEmpty() ? 1 : -1);
        }
    }

    void desktopFileDialogHandsBackTheChosenFile() {
        QTemporaryDir folder;
        const QString chosen = folder.filePath(QStringLiteral("mine.ini"));
        QTimer::singleShot(100, [&chosen] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->setDirectory(QFileInfo(chosen).absolutePath());
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(QStringLiteral("mine")); // the dialog adds ".ini"
            QMetaObject::invokeMethod(dialog, "accept");
        });
        DesktopPrompts prompts;
        QCOMPARE(prompts.chooseFileToSave(h->window.get()), chosen);
    }

    // The beam shows the selected mode: a strobe blinks by its own timer, which a steady mode or
    // a hidden window leaves stopped; a steady glow is as bright as its mode.
    void theBeamShowsTheSelectedModeOnlyWhileTheWindowIsShown() {
        h->choosePreset(Preset::Factory); // full, half, low, then a 9 Hz strobe
        auto* beam = h->child<BeamPreview>(QStringLiteral("beamPreview"));
        h->window->show();
        h->choose(h->modeRow(4), 1);
        QCOMPARE(h->window->viewState().selectedMode, 3);
        QVERIFY(beam->animating());
        QTRY_VERIFY(beam->level() == 0);
        QTRY_VERIFY(beam->level() == 100);
        h->window->hide();
        QVERIFY(!beam->animating());
        h->window->show();
        QVERIFY(beam->animating());

        const QPoint inBeam(79, 300);
        const QPoint besideBeam(18, 300);
        h->choose(h->modeRow(1), 0);
        QVERIFY(!beam->animating());
        const QImage full = h->window->grab().toImage();
        h->choose(h->modeRow(3), 0);
        QCOMPARE(beam->level(), 5);
        const QImage low = h->window->grab().toImage();
        QVERIFY(full.pixelColor(inBeam) != low.pixelColor(inBeam));
        QVERIFY(qAbs(low.pixelColor(inBeam).green() - low.pixelColor(besideBeam).green()) < 16);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
