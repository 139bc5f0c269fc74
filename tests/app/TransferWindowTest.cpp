// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowHarness.h"

#include "app/NoticeDialog.h"

#include <QPointer>

using namespace lumavert;

class TransferWindowTest : public WindowTest {
    Q_OBJECT

    void arriveAnother() { h->bus.addLight({0x1017, 0x1000, "", 0}); }

  private slots:

    void lightThatMayNotBeOpenedExplainsTheRule() {
        h->bus.addLight(kOutputLight).setRefuseOpen(true);
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

    void dialogsAreCentredOnTheWindowWhereItStandsWhenTheyShow() {
        h->start();
        h->window->show();
        auto* notice = new NoticeDialog(h->window.get());
        h->window->move(260, 140); // as a window manager places a window after start-up
        notice->open();
        QCOMPARE(notice->frameGeometry().center(), h->window->frameGeometry().center());
    }

    // Without a light, Test and Upload show the notice; its OK takes the keys (the transfer
    // dialogs' Return is the desktop test's, with real keys).
    void okIsTheDefaultKeyOnceShown_data() {
        QTest::addColumn<int>("key");
        QTest::addRow("notice after Upload, Enter") << int(Qt::Key_Enter);
        QTest::addRow("notice after Test, Space") << int(Qt::Key_Space);
    }
    void okIsTheDefaultKeyOnceShown() {
        QFETCH(int, key);
        h->start();
        h->click(key == Qt::Key_Enter ? "uploadButton" : "testButton");
        QPointer<QDialog> dialog = h->dialog("noticeDialog");
        QCOMPARE(dialog->findChild<LinkLabel*>("messageLabel")->text(),
                 qtText(Text::DeviceNotDetected));
        auto* ok = dialog->findChild<SkinButton*>(QStringLiteral("okButton"));
        QCOMPARE(dialog->focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key(key));
        QTRY_VERIFY(!dialog);
    }

    // Test

    // The cycle is the model's table; the window previews the mode it names on the first light.
    void testPreviewsTheSelectedModeOnTheFirstLight() {
        VirtualLight& light = h->bus.addLight(kOutputLight);
        const VirtualLight& second = h->bus.addLight(kFeatureLight);
        h->start();
        QCOMPARE(h->child<LinkLabel>(QStringLiteral("statusLabel"))->text(),
                 QStringLiteral("Verbunden"));
        h->choosePreset(Preset::Factory);
        h->choose(h->modeRow(3), 0);
        h->click("testButton");
        Block preview{};
        encodePreviewBlock(h->window->modeSet()[2], preview);
        QCOMPARE(light.lastPreview().value(), preview);
        QVERIFY(second.receivedReports().empty());
    }

    // Upload

    // Block order and contents are the sequence's table; the window's timer keeps the stages apart.
    // The uploaded set counts as kept: closing asks nothing.
    void uploadWritesFourBlocksOneStageApartAndKeepsTheModes() {
        VirtualLight& light = h->bus.addLight(kOutputLight);
        h->start();
        h->window->show();
        h->choosePreset(Preset::Tactical);
        const auto clicked = std::chrono::steady_clock::now();
        h->click("uploadButton");
        QCOMPARE(h->transferMessage(), qtText(Text::Uploading));
        QTRY_VERIFY(h->okOffered());
        QCOMPARE(h->transferMessage(), qtText(Text::UploadCompleted));
        QCOMPARE(light.memory(), imageOf(h->window->modeSet()));
        const std::vector<ReceivedReport> reports = light.receivedReports();
        QCOMPARE(reports.size(), std::size_t{4});
        for (std::size_t i = 0; i < reports.size(); ++i) {
            const auto previous = i == 0 ? clicked : reports[i - 1].time;
            QVERIFY(reports[i].time - previous >=
                    std::chrono::milliseconds(WindowHarness::kDelays.stageMs));
        }
        h->pressOk(h->transferDialog());
        h->window->close();
        QCOMPARE(h->prompts->closeQuestions, 0);
        QVERIFY(!h->window->isVisible());
    }

    // Download: a light found at start-up or plugged in later, or one that never answers.
    void arrivalIsReadBackAndReplacesTheSetOnlyAfterOk_data() {
        QTest::addColumn<bool>("atStart");
        QTest::addColumn<bool>("silent");
        QTest::addRow("plugged in") << false << false;
        QTest::addRow("found at start") << true << false;
        QTest::addRow("silent light fails") << true << true;
    }
    void arrivalIsReadBackAndReplacesTheSetOnlyAfterOk() {
        QFETCH(bool, atStart);
        QFETCH(bool, silent);
        if (!atStart) {
            h->start();
        }
        VirtualLight& light = h->bus.addLight(); // 13EC:0056, read back on arrival
        light.setMemory(imageOf(Preset::Military));
        light.setSilent(silent);
        if (atStart) {
            h->start();
            QVERIFY(!h->transferDialog()); // posted: starts after start-up
        }
        QTRY_VERIFY(h->transferDialog());
        if (!silent) {
            arriveAnother(); // further changes while the dialog is open start no read
        }
        QTRY_COMPARE(h->transferMessage(),
                     qtText(silent ? Text::DownloadFailed : Text::DownloadCompleted));
        QCOMPARE(h->window->findChildren<TransferDialog*>().size(), qsizetype{1});
        QCOMPARE(h->window->modeSet(), ModeSet{makeDefaultMode()});
        h->pressOk(h->transferDialog());
        if (!silent) {
            QCOMPARE(h->window->modeSet(), downloaded(imageOf(Preset::Military)));
            QCOMPARE(h->window->viewState(), (ViewState{0, -1, -1, 0, -1}));
            return;
        }
        QCOMPARE(h->window->modeSet(), ModeSet{makeDefaultMode()});
        light.setSilent(false); // once closed, the next arrival reads again
        h->bus.unplug(light);
        h->bus.plug(light);
        QTRY_VERIFY(h->transferDialog());
    }
};

QTEST_MAIN(TransferWindowTest)
#include "TransferWindowTest.moc"
