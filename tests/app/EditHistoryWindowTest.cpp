// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowHarness.h"

#include "app/ClosePrompt.h"
#include "config/ModeSetFile.h"
#include "model/EditHistory.h"

#include <QMessageBox>
#include <QPushButton>

using namespace lumavert;

class EditHistoryWindowTest : public WindowTest {
    Q_OBJECT

  public:
    EditHistoryWindowTest()
        : WindowTest(true) {}

    std::vector<EditSnapshot> seen;

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(h->window.get(), key, modifiers);
        QCoreApplication::processEvents();
    }

    void noteState() { seen.push_back({h->window->modeSet(), h->window->viewState()}); }

    EditSnapshot state() const { return {h->window->modeSet(), h->window->viewState()}; }

    void drag(ValueSlider* bar, int toX) {
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->PositionOf(bar->GetValue()), 20));
        for (int x = 60; x <= toX; x += 15) {
            QTest::mouseMove(bar, QPoint(x, 20));
        }
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(toX, 20));
        QCoreApplication::processEvents();
    }

  private slots:

    void everyKindOfChangeIsUndoneAndRedoneWithItsView() {
        h->showActive();
        noteState();
        QTest::mouseDClick(h->modeRow(1)->valueBar(), Qt::LeftButton, {}, QPoint(150, 20));
        QTRY_VERIFY(h->modeRow(1)->editBox()->isVisible());
        QTest::keyClicks(h->modeRow(1)->editBox(), QStringLiteral("7"));
        QTest::keyClick(h->modeRow(1)->editBox(), Qt::Key_Return);
        QCOMPARE(h->window->modeSet()[0].brightness, 7);
        noteState();
        h->choosePreset(Preset::Household);
        noteState();
        h->choose(h->modeRow(2), 3); // (S.O.S)
        noteState();
        drag(h->modeRow(1)->valueBar(), 150); // many values, one step
        noteState();
        h->click("addModeButton");
        noteState();

        h->showActive();
        for (std::size_t k = seen.size() - 1; k-- > 0;) {
            press(Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(state(), seen[k]);
        }
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(state(), seen.front()); // nothing older
        for (std::size_t k = 1; k < seen.size(); ++k) {
            press(k % 2 ? Qt::Key_Z : Qt::Key_Y,
                  k % 2 ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
            QCOMPARE(state(), seen[k]);
        }
        QVERIFY(!h->modeRow(3)->isHidden()); // the panels show the restored set
    }

    void closeAsksOnlyWhenTheModesWereNotKept_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("fileChosen");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closed");
        const int save = int(CloseChoice::Save);
        const int discard = int(CloseChoice::Discard);
        const int cancel = int(CloseChoice::Cancel);
        // What undo does to the kept mark is the history's table; here each way the window marks
        // it.
        QTest::newRow("untouched") << "" << cancel << false << false << true;
        QTest::newRow("edited, cancel") << "edit" << cancel << false << true << false;
        QTest::newRow("edited, discard") << "edit" << discard << false << true << true;
        QTest::newRow("edited, save") << "edit" << save << true << true << true;
        QTest::newRow("edited, save cancelled") << "edit" << save << false << true << false;
        QTest::newRow("saved") << "edit save" << cancel << false << false << true;
        QTest::newRow("opened") << "edit save edit open" << cancel << false << false << true;
    }

    void closeAsksOnlyWhenTheModesWereNotKept() {
        QFETCH(QString, before);
        QFETCH(int, choice);
        QFETCH(bool, fileChosen);
        QFETCH(bool, asked);
        QFETCH(bool, closed);
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("modes.ini"));
        h->showActive();
        for (const QString& step : before.split(' ', Qt::SkipEmptyParts)) {
            if (step == "edit") {
                h->click("addModeButton");
            } else if (step == "save") {
                h->prompts->savePath = file;
                h->click("saveButton");
            } else if (step == "open") {
                h->prompts->openPath = file;
                h->click("openButton");
            }
        }
        const ModeSet edited = h->window->modeSet();
        h->prompts->closeChoice = CloseChoice(choice);
        h->prompts->savePath = fileChosen ? folder.filePath(QStringLiteral("kept.ini")) : "";
        h->click("closeButton");
        QCOMPARE(h->prompts->closeQuestions, asked ? 1 : 0);
        QCOMPARE(h->window->isVisible(), !closed);
        if (fileChosen) {
            ModeSet saved;
            QVERIFY(loadModeSet(saved, h->prompts->savePath.toStdString()));
            QCOMPARE(saved, edited);
        }
    }

    // English everywhere would pass the fixture's German check alone.
    void theCloseQuestionSpeaksTheWindowsLanguage() {
        const std::unique_ptr<QMessageBox> box(createClosePrompt(nullptr));
        QStringList keys;
        for (QAbstractButton* button : box->buttons()) {
            keys << button->text();
        }
        keys.sort();
        QCOMPARE(keys, (QStringList{"Abbrechen", "Speichern", "Verwerfen"}));
        QCOMPARE(box->text(), QString::fromStdString(lookupText(Text::UnsavedChanges)));
        QCOMPARE(box->defaultButton()->text(), QStringLiteral("Speichern"));
    }
};

QTEST_MAIN(EditHistoryWindowTest)
#include "EditHistoryWindowTest.moc"
