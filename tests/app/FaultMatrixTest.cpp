// The window against a light and a disk that misbehave. Every case checks what the user sees
// and that nothing the user had is lost: the Mode set in the window, the file on disk and, where
// it can be restored, the light's memory.

#include "WindowHarness.h"

#include "app/TransferDialog.h"
#include "controls/QtText.h"
#include "controls/SkinProgress.h"
#include "device/DeviceImageCodec.h"
#include "i18n/TextCatalogue.h"
#include "model/Presets.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

using namespace lumavert;
using namespace std::chrono_literals;

namespace {

// Twenty steady modes: an image whose four blocks all differ from a short set's.
DeviceImage twentyModeImage() {
    ModeSet modes(kMaxModes, makeDefaultMode());
    for (int i = 0; i < kMaxModes; ++i) {
        modes[static_cast<std::size_t>(i)].brightness = 10 + i;
    }
    return imageOf(modes);
}

const VirtualLightConfig kFeatureLight{0x13EC, 0x0056, "", 0};
const VirtualLightConfig kOutputLight{0x04D8, 0x003F, "", 0};

int readRequestsTo(const VirtualLight& light) {
    int requests = 0;
    for (const ReceivedReport& report : light.receivedReports()) {
        requests += report.bytes.size() > 1 && report.bytes[1] == MarkerReadRequest ? 1 : 0;
    }
    return requests;
}

} // namespace

class FaultMatrixTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;

    void startWith(const TransferDelays& delays) { h->start(delays); }

    void choosePreset(Preset preset) {
        h->choosePreset(preset);
        QCOMPARE(h->window->modeSet(), presetSet(preset));
    }

    TransferDialog* transferDialog() const { return h->transferDialog(); }
    QString transferMessage() const { return h->transferMessage(); }
    int transferProgress() const {
        return transferDialog()->findChild<SkinProgress*>(QStringLiteral("progressBar"))->pos();
    }
    bool okOffered() const {
        TransferDialog* dialog = transferDialog();
        return dialog && dialog->findChild<SkinButton*>(QStringLiteral("okButton"))->isVisible();
    }
    void closeTransfer(bool confirm) {
        TransferDialog* dialog = transferDialog();
        if (confirm) {
            QTest::mouseClick(dialog->findChild<SkinButton*>(QStringLiteral("okButton")),
                              Qt::LeftButton);
        } else {
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
        QTRY_VERIFY(!transferDialog());
    }
    bool looksConnected() const { return h->key("deviceIndicator")->isEnabled(); }

  private slots:
    void init() {
        setCurrentLanguage("de");
        h = std::make_unique<WindowHarness>();
    }
    void cleanup() { h.reset(); }

    // ---- Upload ----

    void lightGoneBeforeABlockSaysUploadFailedAndKeepsTheSet_data() {
        QTest::addColumn<int>("goneBefore");
        for (int block = 1; block <= 4; ++block) {
            QTest::addRow("before block %d", block) << block;
        }
    }
    void lightGoneBeforeABlockSaysUploadFailedAndKeepsTheSet() {
        QFETCH(int, goneBefore);
        VirtualLight& light = h->bus.addLight(kOutputLight);
        const DeviceImage old = twentyModeImage();
        light.setMemory(old);
        h->start();
        choosePreset(Preset::Factory);
        const DeviceImage wanted = imageOf(presetSet(Preset::Factory));

        if (goneBefore > 1) {
            light.setUnplugAfterWrites(goneBefore - 1);
        }
        h->click("uploadButton");
        if (goneBefore == 1) {
            h->bus.unplug(light); // after the probe, before the first write
        }
        QTRY_VERIFY(okOffered());
        QCOMPARE(transferMessage(), qtText(Text::UploadFailed));
        QVERIFY(!looksConnected());
        DeviceImage expected = old;
        std::copy_n(wanted.begin(), goneBefore - 1, expected.begin());
        QCOMPARE(light.memory(), expected);
        closeTransfer(true);
        QCOMPARE(h->window->modeSet(), presetSet(Preset::Factory));

        // Nothing is lost: plugged back in, the same set goes up whole.
        light.setUnplugAfterWrites(0);
        h->bus.plug(light);
        QTRY_VERIFY(looksConnected());
        h->click("uploadButton");
        QTRY_VERIFY(okOffered());
        QCOMPARE(transferMessage(), qtText(Text::UploadCompleted));
        QCOMPARE(light.memory(), wanted);
    }

    // ---- Download ----

    void answerJustInsideTheLimitCompletesJustOutsideFails_data() {
        QTest::addColumn<int>("answerMs");
        QTest::addColumn<bool>("completes");
        // Scaled from 4.9 s and 5.1 s of a 5 s limit, with room for a busy machine.
        QTest::addRow("answer 400 ms before the limit") << kAnswerLimitMs - 400 << true;
        QTest::addRow("answer 400 ms after the limit") << kAnswerLimitMs + 400 << false;
    }
    void answerJustInsideTheLimitCompletesJustOutsideFails() {
        QFETCH(int, answerMs);
        QFETCH(bool, completes);
        VirtualLight& light = h->bus.addLight(kFeatureLight);
        light.setMemory(imageOf(presetSet(Preset::Tactical)));
        light.setAnswerTiming(std::chrono::milliseconds(answerMs), 0ms);
        startWith({40, kAnswerLimitMs});
        QTRY_VERIFY(transferDialog());
        QTRY_VERIFY_WITH_TIMEOUT(okOffered(), 3 * kAnswerLimitMs);
        QCOMPARE(transferMessage(),
                 qtText(completes ? Text::DownloadCompleted : Text::DownloadFailed));
        QCOMPARE(transferProgress(), completes ? 4 : 2);
        if (!completes) {
            QTest::qWait(500); // the light answers after all: nothing changes
            QCOMPARE(transferMessage(), qtText(Text::DownloadFailed));
        }
        closeTransfer(true);
        QCOMPARE(h->window->modeSet(),
                 completes ? downloaded(light.memory()) : ModeSet{makeDefaultMode()});
    }

    void lightSendingTwentyOfThirtyTwoReportsFailsAndKeepsTheSet() {
        VirtualLight& light = h->bus.addLight(kFeatureLight);
        light.setMemory(imageOf(presetSet(Preset::Fishing)));
        light.setAnsweredReports(20);
        h->start();
        QTRY_VERIFY(transferDialog());
        QTRY_VERIFY(okOffered());
        QCOMPARE(transferMessage(), qtText(Text::DownloadFailed));
        QCOMPARE(transferProgress(), 2);
        closeTransfer(true);
        QCOMPARE(h->window->modeSet(), ModeSet{makeDefaultMode()});
    }

    void lightGoneAfterTheProbeFailsTheDownloadAndKeepsTheSet() {
        VirtualLight& light = h->bus.addLight(kFeatureLight);
        startWith({300, 400}); // room to unplug before the request goes out
        QTRY_VERIFY(transferDialog());
        h->bus.unplug(light);
        QTRY_VERIFY_WITH_TIMEOUT(okOffered(), 5000);
        QCOMPARE(transferMessage(), qtText(Text::DownloadFailed));
        QCOMPARE(readRequestsTo(light), 0);
        QVERIFY(!looksConnected());
        closeTransfer(true);
        QCOMPARE(h->window->modeSet(), ModeSet{makeDefaultMode()});
    }

    void erasedMemoryReadsAsTwentyModesOnlyWhenConfirmed_data() {
        QTest::addColumn<bool>("confirm");
        QTest::addRow("OK") << true;
        QTest::addRow("Escape") << false;
    }
    void erasedMemoryReadsAsTwentyModesOnlyWhenConfirmed() {
        QFETCH(bool, confirm);
        VirtualLight& light = h->bus.addLight(kFeatureLight);
        light.eraseMemory();
        h->start();
        QTRY_VERIFY(okOffered());
        QCOMPARE(transferMessage(), qtText(Text::DownloadCompleted));
        QCOMPARE(h->window->modeSet(), ModeSet{makeDefaultMode()});
        closeTransfer(confirm);
        if (!confirm) {
            QCOMPARE(h->window->modeSet(), ModeSet{makeDefaultMode()});
            return;
        }
        // What the light holds: 20 custom modes of nine 2820 ms Steps, and the panel scrolls.
        const ModeSet& modes = h->window->modeSet();
        QCOMPARE(modes.size(), std::size_t{20});
        for (const LightMode& mode : modes) {
            QCOMPARE(mode.kind, int{KindCustomize});
            QCOMPARE(mode.steps, std::vector<std::int32_t>(18, 2820));
        }
        QVERIFY(!h->child(QStringLiteral("modeScrollBar"))->isHidden());
    }

    void downloadCancelledWhileTheWorkerWaitsKeepsTheSetAndReadsAgainLater() {
        VirtualLight& light = h->bus.addLight(kFeatureLight);
        light.setMemory(imageOf(presetSet(Preset::Household)));
        light.setAnswerTiming(300ms, 0ms);
        h->start();
        QTRY_COMPARE(readRequestsTo(light), 1);
        QVERIFY(!okOffered());
        closeTransfer(false);
        QCOMPARE(light.openHandles(), 0); // the worker has let go of the light
        QTest::qWait(400);                // its answer comes and goes unread
        QVERIFY(!transferDialog());
        QCOMPARE(h->window->modeSet(), ModeSet{makeDefaultMode()});

        h->bus.unplug(light);
        h->bus.plug(light);
        QTRY_VERIFY(okOffered());
        QCOMPARE(transferMessage(), qtText(Text::DownloadCompleted));
        closeTransfer(true);
        QCOMPARE(h->window->modeSet(), downloaded(imageOf(presetSet(Preset::Household))));
    }

    // ---- The window closed while a transfer runs ----

    void windowClosedDuringATransferReturnsAtOnceAndWritesNothingAfter_data() {
        QTest::addColumn<bool>("upload");
        QTest::addRow("upload after two blocks") << true;
        QTest::addRow("download with the answer due") << false;
    }
    void windowClosedDuringATransferReturnsAtOnceAndWritesNothingAfter() {
        QFETCH(bool, upload);
        VirtualLight& light = h->bus.addLight(upload ? kOutputLight : kFeatureLight);
        const DeviceImage old = twentyModeImage();
        light.setMemory(old);
        light.setAnswerTiming(100ms, 1ms);
        startWith({300, 400}); // stages far enough apart to close between two of them
        if (upload) {
            h->click("uploadButton");
            QTRY_COMPARE(light.receivedReports().size(), std::size_t{2});
        } else {
            QTRY_COMPARE(readRequestsTo(light), 1);
        }
        h->click("closeButton");
        QElapsedTimer closing;
        closing.start();
        h->window.reset();
        QVERIFY2(closing.elapsed() < 1000, "closing waits for no light");
        const std::size_t written = light.receivedReports().size();
        QTest::qWait(300);
        QCOMPARE(light.receivedReports().size(), written);
        QCOMPARE(light.openHandles(), 0);
        if (upload) {
            DeviceImage expected = old;
            std::copy_n(imageOf({makeDefaultMode()}).begin(), 2, expected.begin());
            QCOMPARE(light.memory(), expected);
        } else {
            QCOMPARE(light.memory(), old);
        }
    }

    // ---- More than one light, or one that may not be opened ----

    void theFirstAcceptedLightIsUsedForEverything_data() {
        QTest::addColumn<bool>("featureLightFirst");
        QTest::addRow("feature light first") << true;
        QTest::addRow("output light first") << false;
    }
    void theFirstAcceptedLightIsUsedForEverything() {
        QFETCH(bool, featureLightFirst);
        VirtualLight& first = h->bus.addLight(featureLightFirst ? kFeatureLight : kOutputLight);
        VirtualLight& second = h->bus.addLight(featureLightFirst ? kOutputLight : kFeatureLight);
        first.setMemory(imageOf(presetSet(Preset::Military)));
        second.setMemory(imageOf(presetSet(Preset::Fishing)));
        h->start();
        if (featureLightFirst) {
            QTRY_VERIFY(okOffered());
            closeTransfer(true);
            QCOMPARE(h->window->modeSet(), downloaded(imageOf(presetSet(Preset::Military))));
        } else {
            QTest::qWait(200); // the first light takes output reports: nothing is read
            QVERIFY(!transferDialog());
        }
        choosePreset(Preset::Tactical);
        h->click("testButton");
        h->click("uploadButton");
        QTRY_VERIFY(okOffered());
        QCOMPARE(first.memory(), imageOf(presetSet(Preset::Tactical)));
        QVERIFY(first.lastPreview().has_value());
        QVERIFY(second.receivedReports().empty());
        QCOMPARE(second.memory(), imageOf(presetSet(Preset::Fishing)));
    }

    void lightThatMayNotBeOpenedIsNeverReadOrWritten() {
        VirtualLight& light = h->bus.addLight(kFeatureLight);
        light.setRefuseOpen(true);
        h->start();
        choosePreset(Preset::Household);
        QTest::qWait(200);
        QVERIFY(!transferDialog());
        QVERIFY(!looksConnected());
        h->click("uploadButton");
        QDialog* notice = h->dialog("noticeDialog");
        QVERIFY(notice);
        QVERIFY(notice->findChild<LinkLabel*>(QStringLiteral("hintLabel")));
        QVERIFY(light.receivedReports().empty());
        QCOMPARE(h->window->modeSet(), presetSet(Preset::Household));

        // Once the rule grants access, the next arrival reads the light as usual.
        QTest::keyClick(notice, Qt::Key_Escape);
        light.setRefuseOpen(false);
        h->bus.unplug(light);
        h->bus.plug(light);
        QTRY_VERIFY(okOffered());
        QVERIFY(looksConnected());
    }

    // ---- Hotplug storms ----

    void burstOfArrivalsAndRemovalsGivesOneStatusAndOneDownload() {
        VirtualLight& light = h->bus.addLight(kFeatureLight);
        light.setMemory(imageOf(presetSet(Preset::Outdoor)));
        h->bus.unplug(light);
        h->start();
        QVERIFY(!looksConnected());
        for (int i = 0; i < 100; ++i) {
            h->bus.plug(light);
            h->bus.unplug(light);
        }
        h->bus.plug(light);
        QTRY_VERIFY(okOffered());
        QTest::qWait(200); // every queued change has been handled
        QCOMPARE(h->window->findChildren<TransferDialog*>().size(), qsizetype{1});
        QCOMPARE(readRequestsTo(light), 1);
        QVERIFY(looksConnected());
        closeTransfer(true);
        QCOMPARE(h->window->modeSet(), downloaded(imageOf(presetSet(Preset::Outdoor))));
    }

    void stormFromAnotherThreadEndsInTheRightStatusWithAtMostOneDownload() {
        VirtualLight& light = h->bus.addLight(kFeatureLight);
        light.setMemory(imageOf(presetSet(Preset::Outdoor)));
        h->bus.unplug(light);
        h->start();
        choosePreset(Preset::Fishing);
        std::atomic<bool> over = false;
        std::thread storm([&] {
            for (int i = 0; i < 100; ++i) {
                h->bus.unplug(light);
                h->bus.plug(light);
            }
            h->bus.unplug(light);
            over = true;
        });
        qsizetype mostDialogs = 0;
        while (!over) {
            QCoreApplication::processEvents();
            mostDialogs = std::max(mostDialogs, h->window->findChildren<TransferDialog*>().size());
        }
        storm.join();
        QTRY_VERIFY(!looksConnected());
        QTest::qWait(200);
        mostDialogs = std::max(mostDialogs, h->window->findChildren<TransferDialog*>().size());
        QVERIFY(mostDialogs <= 1);
        QVERIFY(readRequestsTo(light) <= 1);
        if (transferDialog()) {
            closeTransfer(false);
        }
        QCOMPARE(h->window->modeSet(), presetSet(Preset::Fishing));
    }

    // ---- Saving where the disk refuses ----

    void refusedSaveSaysSoAndKeepsSetAndFile_data() {
        QTest::addColumn<QString>("target");
        QTest::addRow("read-only file") << QStringLiteral("read-only.ini");
        QTest::addRow("a folder") << QStringLiteral("folder.ini");
    }
    void refusedSaveSaysSoAndKeepsSetAndFile() {
        QFETCH(QString, target);
        QTemporaryDir folder;
        const QString path = folder.filePath(target);
        const QByteArray old = "[Setting]\r\nCount=0\r\n";
        if (target == QStringLiteral("folder.ini")) {
            QVERIFY(QDir(folder.path()).mkdir(target));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old);
            file.close();
            // The permission bits decide, even for a user (root) the system lets write anyway.
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup));
        }
        h->start();
        choosePreset(Preset::Military);
        h->prompts->savePath = path;
        h->click("saveButton");
        QCOMPARE(h->prompts->messages, QStringList{"Failed to write config file!"});
        QCOMPARE(h->window->modeSet(), presetSet(Preset::Military));
        if (QFileInfo(path).isDir()) {
            QVERIFY(QDir(path).isEmpty());
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), old);
        }
        QCOMPARE(
            QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
            QStringList{target}); // no temporary file is left
    }

  private:
    static constexpr int kAnswerLimitMs = 1500;
};

QTEST_MAIN(FaultMatrixTest)
#include "FaultMatrixTest.moc"
