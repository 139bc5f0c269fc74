#include "WindowHarness.h"

#include "app/TransferDialog.h"
#include "controls/QtText.h"
#include "device/DeviceImageCodec.h"
#include "i18n/TextCatalogue.h"
#include "model/Presets.h"

#include <QMenu>

using namespace lumavert;

namespace {} // namespace

class TransferWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;

    VirtualLight& lightOf(std::uint16_t vendorId, std::uint16_t productId) {
        VirtualLightConfig config;
        config.vendorId = vendorId;
        config.productId = productId;
        return h->bus.addLight(config);
    }
    VirtualLight& outputReportLight() { return lightOf(0x04D8, 0x003F); }

    TransferDialog* transferDialog() const { return h->transferDialog(); }
    QString transferMessage() const { return h->transferMessage(); }
    static void pressOk(QDialog* dialog) { WindowHarness::pressOk(dialog); }

  private slots:
    void init() {
        setCurrentLanguage("de");
        h = std::make_unique<WindowHarness>();
    }
    void cleanup() { h.reset(); }

    // Without a light

    void commandsWithoutALightShowTheNotice() {
        h->start();
        for (const char* key : {"testButton", "uploadButton"}) {
            h->click(key);
            QDialog* notice = h->dialog("noticeDialog");
            QVERIFY(notice);
            QCOMPARE(notice->findChild<LinkLabel*>(QStringLiteral("messageLabel"))->text(),
                     qtText(Text::DeviceNotDetected));
            pressOk(notice);
            QTRY_VERIFY(!h->dialog("noticeDialog"));
        }
        QCOMPARE(h->window->modeSet(), ModeSet{makeDefaultMode()});
    }

    void lightThatMayNotBeOpenedExplainsTheRule() {
        outputReportLight().setRefuseOpen(true);
        h->start();
        QVERIFY(!h->key("deviceIndicator")->isEnabled());
        QVERIFY(h->key("deviceIndicator")->toolTip().contains(QStringLiteral("70-lumavert.rules")));
        h->click("testButton");
        QDialog* notice = h->dialog("noticeDialog");
        QVERIFY(notice);
        QVERIFY(notice->findChild<LinkLabel*>(QStringLiteral("hintLabel"))
                    ->text()
                    .contains(QStringLiteral("udevadm")));
    }

    // Test

    void testCyclesThroughTheModesStartingAtTheSelection() {
        VirtualLight& light = outputReportLight();
        h->start();
        QVERIFY(h->key("deviceIndicator")->isEnabled());
        QCOMPARE(h->child<LinkLabel>(QStringLiteral("statusLabel"))->text(),
                 QStringLiteral("Verbunden"));
        QMenu* menu = (h->click("defaultModesButton"),
                       h->window->findChild<QMenu*>(QStringLiteral("presetMenu")));
        menu->actions().at(0)->trigger(); // Factory: 4 modes
        menu->close();
        h->choose(h->modeRow(3), 0);

        const ModeSet& modes = h->window->modeSet();
        for (const int expected : {2, 3, 0, 1}) {
            h->click("testButton");
            Block preview{};
            encodePreviewBlock(modes[static_cast<std::size_t>(expected)], preview);
            QCOMPARE(light.lastPreview().value(), preview);
            QCOMPARE(h->window->viewState().testedMode, expected);
            QCOMPARE(h->window->viewState().selectedMode, expected);
        }
    }

    // Upload

    void uploadWritesFourBlocksOneStageApart() {
        VirtualLight& light = outputReportLight();
        h->start();
        const auto clicked = std::chrono::steady_clock::now();
        h->click("uploadButton");
        QVERIFY(transferDialog());
        QCOMPARE(transferMessage(), qtText(Text::Uploading));
        QTRY_VERIFY(
            transferDialog()->findChild<SkinButton*>(QStringLiteral("okButton"))->isVisible());
        QCOMPARE(transferMessage(), qtText(Text::UploadCompleted));

        DeviceImage expected{};
        encodeDeviceImage(h->window->modeSet(), expected);
        QCOMPARE(light.memory(), expected);
        const std::vector<ReceivedReport> reports = light.receivedReports();
        QCOMPARE(reports.size(), std::size_t{4});
        for (std::size_t i = 0; i < reports.size(); ++i) {
            QCOMPARE(reports[i].bytes.size(), std::size_t{65}); // report id, then the block
            QCOMPARE(int{reports[i].bytes[1]}, 0x81 + static_cast<int>(i));
            // Block i is due i + 1 stages after the start; a late stage makes the next gap
            // shorter, never a block early.
            const auto due = std::chrono::milliseconds(
                WindowHarness::kDelays.stageMs * static_cast<int>(i + 1) - 5);
            QVERIFY(reports[i].time - clicked >= due);
        }
        pressOk(transferDialog());
        QTRY_VERIFY(!transferDialog());
    }

    void escapeCannotStopAnUploadButCancelsADownload() {
        VirtualLight& light = outputReportLight();
        h->start();
        h->click("uploadButton");
        QTest::keyClick(transferDialog(), Qt::Key_Escape);
        QVERIFY(transferDialog());
        QTRY_COMPARE(light.receivedReports().size(), std::size_t{4});
        pressOk(transferDialog());

        h->bus.unplug(light); // the first light listed is the one used
        VirtualLight& reader = h->bus.addLight();
        reader.setMemory(imageOf(Preset::Fishing));
        reader.setSilent(true);
        QTRY_VERIFY(transferDialog());
        QTest::keyClick(transferDialog(), Qt::Key_Escape);
        QTRY_VERIFY(!transferDialog());
        QCOMPARE(h->window->modeSet(), ModeSet{makeDefaultMode()});
    }

    void aCloseRequestOrAnArrivalCannotBreakIntoAnUpload() {
        VirtualLight& light = h->bus.addLight(); // feature reports: read back on every arrival
        h->start();
        QTRY_VERIFY(transferDialog());
        pressOk(transferDialog());
        QTRY_VERIFY(!transferDialog());

        const std::size_t before = light.receivedReports().size(); // the read request
        h->click("uploadButton");
        transferDialog()->close();
        lightOf(0x1017, 0x1000); // an arrival while the upload runs
        QTRY_COMPARE(light.receivedReports().size(), before + 4);
        QCOMPARE(h->window->findChildren<TransferDialog*>().size(), qsizetype{1});
        QCOMPARE(transferMessage(), qtText(Text::UploadCompleted));
    }

    void windowClosedDuringUploadStopsWriting() {
        VirtualLight& light = outputReportLight();
        h->start();
        h->click("uploadButton");
        QTest::qWait(WindowHarness::kDelays.stageMs * 2 - 10);
        h->window.reset();
        const std::size_t written = light.receivedReports().size();
        QTest::qWait(WindowHarness::kDelays.stageMs * 4);
        QCOMPARE(light.receivedReports().size(), written);
    }

    // Download

    void pluggedInFeatureLightIsReadBackAndReplacesTheSetOnlyAfterOk() {
        h->start();
        VirtualLight& light = h->bus.addLight(); // 13EC:0056, read back on arrival
        light.setMemory(imageOf(Preset::Household));
        QTRY_VERIFY(transferDialog());
        QTRY_COMPARE(transferMessage(), qtText(Text::DownloadCompleted));
        QCOMPARE(h->window->modeSet(), ModeSet{makeDefaultMode()});
        pressOk(transferDialog());
        QCOMPARE(h->window->modeSet(), downloaded(imageOf(Preset::Household)));
        QCOMPARE(h->window->viewState(), (ViewState{0, -1, -1, 0, -1}));
    }

    void lightFoundAtStartIsReadBackOnce() {
        VirtualLight& light = h->bus.addLight();
        light.setMemory(imageOf(Preset::Military));
        h->start();
        QVERIFY(!transferDialog()); // posted: starts after start-up
        QTRY_VERIFY(transferDialog());
        // Further changes while the dialog is open start no second read.
        lightOf(0x1017, 0x1000);
        QTest::qWait(50);
        QCOMPARE(h->window->findChildren<TransferDialog*>().size(), qsizetype{1});
        QTRY_COMPARE(transferMessage(), qtText(Text::DownloadCompleted));
        pressOk(transferDialog());
        QCOMPARE(h->window->modeSet(), downloaded(imageOf(Preset::Military)));
    }

    void silentLightFailsAndKeepsTheSet() {
        VirtualLight& light = h->bus.addLight();
        light.setSilent(true);
        h->start();
        QTRY_VERIFY(transferDialog());
        QTRY_COMPARE(transferMessage(), qtText(Text::DownloadFailed));
        pressOk(transferDialog());
        QCOMPARE(h->window->modeSet(), ModeSet{makeDefaultMode()});
        // Once closed, the next arrival reads again.
        light.setSilent(false);
        h->bus.unplug(light);
        h->bus.plug(light);
        QTRY_VERIFY(transferDialog());
    }

    void windowClosedWhileTheWorkerWaitsReturnsAtOnce() {
        VirtualLight& light = h->bus.addLight();
        light.setSilent(true);
        h->start();
        QTRY_VERIFY(transferDialog());
        QTest::qWait(WindowHarness::kDelays.stageMs * 3); // the request is out
        QElapsedTimer closing;
        closing.start();
        h->window.reset();
        QVERIFY(closing.elapsed() < 1000);
    }

    void unplugShowsTheDisconnectedLook() {
        VirtualLight& light = outputReportLight();
        h->start();
        QVERIFY(h->key("deviceIndicator")->isEnabled());
        h->bus.unplug(light);
        QTRY_VERIFY(!h->key("deviceIndicator")->isEnabled());
        QCOMPARE(h->child<LinkLabel>(QStringLiteral("statusLabel"))->text(),
                 QStringLiteral("Nicht verbunden"));
    }
};

QTEST_MAIN(TransferWindowTest)
#include "TransferWindowTest.moc"
