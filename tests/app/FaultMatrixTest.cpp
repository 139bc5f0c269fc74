// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window against a light and a disk that misbehave. Every case checks what the user sees
// and that nothing the user had is lost: the Mode set in the window, the file on disk and, where
// it can be restored, the light's memory.

#include "WindowHarness.h"

#include <QDir>
#include <QElapsedTimer>

using namespace lumavert;
using namespace std::chrono_literals;

class FaultMatrixTest : public WindowTest {
    Q_OBJECT

  private slots:

    // ---- Upload ----

    // Which blocks the light keeps is the sequence's own table; the window shows the failure.
    void lightGoneBeforeABlockSaysUploadFailedAndKeepsTheSet() {
        VirtualLight& light = h->bus.addLight(kOutputLight);
        h->start();
        h->choosePreset(Preset::Factory);
        light.setUnplugAfterWrites(2);
        h->click("uploadButton");
        QTRY_VERIFY(h->okOffered());
        QCOMPARE(h->transferMessage(), qtText(Text::UploadFailed));
        QVERIFY(!h->looksConnected());
        h->closeTransfer(true);
        QCOMPARE(h->window->modeSet(), presetModes(Preset::Factory));
    }

    // ---- Download ----

    void downloadCancelledWhileTheWorkerWaitsKeepsTheSetAndReadsAgainLater() {
        VirtualLight& light = h->bus.addLight(kFeatureLight);
        light.setMemory(imageOf(Preset::Household));
        light.setAnswerTiming(300ms, 0ms);
        h->start();
        QTRY_COMPARE(h->readRequestsTo(light), 1);
        QVERIFY(!h->okOffered());
        h->closeTransfer(false);
        QTest::qWait(400); // its answer comes and goes unread
        QVERIFY(!h->transferDialog());
        QCOMPARE(h->window->modeSet(), ModeSet{makeDefaultMode()});

        h->bus.unplug(light);
        h->bus.plug(light);
        QTRY_COMPARE(h->transferMessage(), qtText(Text::DownloadCompleted));
    }

    // Neither Escape, a close request nor an arrival breaks into an upload; the arrival's download
    // opens once the upload dialog is closed.
    void arrivalDuringAnUploadIsReadAfterItsDialogCloses() {
        VirtualLight& light = h->bus.addLight(kFeatureLight);
        light.setMemory(imageOf(Preset::Outdoor));
        h->bus.unplug(light);
        h->start();
        h->choosePreset(Preset::Fishing);
        h->bus.plug(light);
        QTRY_VERIFY(h->okOffered());
        h->closeTransfer(true);
        h->click("uploadButton");
        QTest::keyClick(h->transferDialog(), Qt::Key_Escape);
        h->transferDialog()->close();
        h->bus.unplug(light);
        h->bus.plug(light);
        QTRY_VERIFY(h->okOffered());
        QCOMPARE(h->window->findChildren<TransferDialog*>().size(), qsizetype{1});
        QCOMPARE(h->transferMessage(), qtText(Text::UploadCompleted));
        QCOMPARE(h->readRequestsTo(light), 1);
        h->pressOk(h->transferDialog());
        QTRY_COMPARE(h->transferMessage(), qtText(Text::DownloadCompleted));
    }

    // ---- The window closed while a transfer runs ----

    // Writing nothing after the close is the sequence's own test; the window must not wait.
    void windowClosedDuringAnUploadReturnsAtOnce() {
        VirtualLight& light = h->bus.addLight(kOutputLight);
        h->start({300, 400}); // stages far enough apart to close between two of them
        h->click("uploadButton");
        QTRY_COMPARE(light.receivedReports().size(), std::size_t{2});
        h->click("closeButton");
        QElapsedTimer closing;
        closing.start();
        h->window.reset();
        QVERIFY2(closing.elapsed() < 1000, "closing waits for no light");
        QTest::qWait(400);
        QCOMPARE(light.receivedReports().size(), std::size_t{2});
        QCOMPARE(light.openHandles(), 0);
    }

    // ---- Hotplug storms ----

    void burstOfArrivalsAndRemovalsGivesOneStatusAndOneDownload() {
        VirtualLight& light = h->bus.addLight(kFeatureLight);
        light.setMemory(imageOf(Preset::Outdoor));
        h->bus.unplug(light);
        h->start();
        QVERIFY(!h->looksConnected());
        for (int i = 0; i < 100; ++i) {
            h->bus.plug(light);
            h->bus.unplug(light);
        }
        h->bus.plug(light);
        QTRY_VERIFY(h->okOffered());
        QTest::qWait(200); // every queued change has been handled
        QCOMPARE(h->window->findChildren<TransferDialog*>().size(), qsizetype{1});
        QCOMPARE(h->readRequestsTo(light), 1);
        QVERIFY(h->looksConnected());
    }

    // ---- Saving where the disk refuses (the kinds of refusal are the file layer's table) ----

    void refusedSaveSaysSoAndKeepsSetAndFile() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("folder.ini"));
        QDir(folder.path()).mkdir(QStringLiteral("folder.ini"));
        h->start();
        h->choosePreset(Preset::Military);
        h->prompts->savePath = path;
        h->click("saveButton");
        QCOMPARE(h->prompts->messages, QStringList{"Failed to write config file!"});
        QCOMPARE(h->window->modeSet(), presetModes(Preset::Military));
        QVERIFY(QDir(path).isEmpty()); // leaving no temporary file is the file layer's test
    }
};

QTEST_MAIN(FaultMatrixTest)
#include "FaultMatrixTest.moc"
