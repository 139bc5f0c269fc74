#include "WindowHarness.h"

#include "config/ModeSetFile.h"
#include "i18n/TextCatalogue.h"
#include "model/Presets.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

using namespace lumavert;

/// Records the addresses the program asks the desktop to open.
class UrlRecorder : public QObject {
    Q_OBJECT

  public:
    QList<QUrl> opened;

  public slots:
    void open(const QUrl& url) { opened << url; }
};

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;

    QMenu* openPresetMenu() {
        h->click("defaultModesButton");
        return h->window->findChild<QMenu*>(QStringLiteral("presetMenu"));
    }

    void applyPresetFromMenu(const QString& label) {
        QMenu* menu = openPresetMenu();
        QVERIFY(menu);
        for (QAction* action : menu->actions()) {
            if (action->text() == label) {
                action->trigger();
            }
        }
        menu->close();
        QCoreApplication::processEvents();
    }

  private slots:
    void init() {
        setCurrentLanguage("de");
        h = std::make_unique<WindowHarness>();
        h->start();
    }
    void cleanup() { h.reset(); }

    // Start-up

    void startsWithOneDefaultModeInGerman() {
        QCOMPARE(h->window->windowTitle(), QStringLiteral("LUMAVERT 3.0"));
        QCOMPARE(h->window->size(), QSize(800, 600));
        QCOMPARE(h->window->modeSet(), ModeSet{makeDefaultMode()});
        QVERIFY(!h->modeRow(1)->isHidden());
        for (int id = 2; id <= 5; ++id) {
            QVERIFY(h->modeRow(id)->isHidden());
        }
        QVERIFY(h->child(QStringLiteral("modeScrollBar"))->isHidden());
        QVERIFY(h->key("addStepButton")->isHidden());
        QCOMPARE(h->key("addModeButton")->pos(), QPoint(235, 220));
        QCOMPARE(h->key("addModeButton")->text(), QStringLiteral("Weiter"));
        QCOMPARE(h->key("uploadButton")->text(), QStringLiteral("übertragen"));
        QCOMPARE(h->child<LinkLabel>(QStringLiteral("statusLabel"))->text(),
                 QStringLiteral("Nicht verbunden"));
        QVERIFY(!h->key("deviceIndicator")->isEnabled());
        for (const char* hidden :
             {"modeUpButton", "modeDownButton", "stepUpButton", "stepDownButton"}) {
            QVERIFY(h->key(hidden)->isHidden());
        }
    }

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
        h->window->show();
        h->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h->window.get()));
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

    void backgroundDragsTheWindowAndKeysCloseIt() {
        h->window->move(100, 100);
        h->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h->window.get()));
        const QPoint start = h->window->pos();
        QTest::mousePress(h->window.get(), Qt::LeftButton, {}, QPoint(300, 100));
        QTest::mouseMove(h->window.get(), QPoint(340, 130));
        QTest::mouseRelease(h->window.get(), Qt::LeftButton, {}, QPoint(340, 130));
        QCOMPARE(h->window->pos(), start + QPoint(40, 30));
        QCOMPARE(h->child(QStringLiteral("webAddressLabel"))->cursor().shape(),
                 Qt::PointingHandCursor);
        h->click("closeButton");
        QVERIFY(!h->window->isVisible());
    }

    void helpOpensTheChmInTheWorkingDirectoryOrOurOwnGuide() {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
        QTemporaryDir folder;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        h->child<QPushButton>(QStringLiteral("helpButton"))->click();
        QFile chm(folder.filePath(QStringLiteral("GlowdialHelp.chm")));
        QVERIFY(chm.open(QIODevice::WriteOnly));
        chm.close();
        h->child<QPushButton>(QStringLiteral("helpButton"))->click();
        QDir::setCurrent(previous);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

        QCOMPARE(recorder.opened.size(), qsizetype{2});
        QVERIFY(recorder.opened[0].toLocalFile().endsWith(QStringLiteral("help/index.html")));
        QVERIFY(QFileInfo::exists(recorder.opened[0].toLocalFile()));
        QCOMPARE(QFileInfo(recorder.opened[1].toLocalFile()).canonicalFilePath(),
                 QFileInfo(chm).canonicalFilePath());
    }

    // Presets

    void presetMenuListsTheSixPresetsInOrder() {
        QMenu* menu = openPresetMenu();
        QVERIFY(menu);
        QStringList labels;
        for (const QAction* action : menu->actions()) {
            labels << action->text();
        }
        QCOMPARE(labels, (QStringList{"Auf Werkseinstellungen zurücksetzen", "Haushalts-Modus",
                                      "Outdoor-Modus", "Einsatz-Modus", "Taktischer Modus",
                                      "Angel-Modus"}));
        // Its bottom edge rests on the key's top edge.
        const QPoint keyTop = h->key("defaultModesButton")->mapToGlobal(QPoint(0, 0));
        QCOMPARE(menu->pos().x(), keyTop.x());
        QCOMPARE(menu->pos().y() + menu->sizeHint().height(), keyTop.y());
        menu->close();
    }

    void presetReplacesTheSetAndResetsTheView() {
        h->choose(h->modeRow(1), 3); // S.O.S: selects mode 1
        applyPresetFromMenu(QStringLiteral("Outdoor-Modus"));
        ModeSet outdoor;
        applyOutdoorPreset(outdoor);
        QCOMPARE(h->window->modeSet(), outdoor);
        QCOMPARE(h->window->viewState(), (ViewState{0, -1, -1, 0, -1}));
        QVERIFY(!h->modeRow(4)->isHidden());
        QVERIFY(h->modeRow(5)->isHidden());
        QVERIFY(h->stepRow(1)->isHidden());
    }

    // Editing through the rows

    void insertOnRowThreeAddsADefaultModeThere() {
        applyPresetFromMenu(QStringLiteral("Haushalts-Modus"));
        h->choose(h->modeRow(3), 4); // (Einfügen)
        const ModeSet& modes = h->window->modeSet();
        QCOMPARE(modes.size(), std::size_t{4});
        QCOMPARE(modes[2], makeDefaultMode());
        QCOMPARE(modes[3].brightness, 100);
        QCOMPARE(h->window->viewState().selectedMode, 2);
        QCOMPARE(h->modeRow(3)->itemList()->currentIndex(), 0); // back on the mode's kind
        QCOMPARE(h->key("addModeButton")->pos(), QPoint(235, 400));
    }

    void deleteRemovesTheRowsMode() {
        applyPresetFromMenu(QStringLiteral("Haushalts-Modus"));
        h->choose(h->modeRow(1), 5); // (Löschen)
        QCOMPARE(h->window->modeSet().size(), std::size_t{2});
        QCOMPARE(h->window->modeSet()[0].brightness, 50);
        QVERIFY(h->modeRow(3)->isHidden());
    }

    void sosShowsItsNineStepsOneAtATime() {
        h->choose(h->modeRow(1), 3);
        const LightMode& mode = h->window->modeSet()[0];
        QCOMPARE(mode.sos, 1);
        QCOMPARE(mode.steps, sosPattern());
        QCOMPARE(h->key("customizeButton")->text(), QStringLiteral("S.O.S"));
        QVERIFY(!h->stepRow(1)->isHidden());
        QVERIFY(!h->stepRow(2)->isHidden());
        auto* stepBar = h->child<QScrollBar>(QStringLiteral("stepScrollBar"));
        QVERIFY(!stepBar->isHidden());
        QCOMPARE(stepBar->maximum(), 8);

        stepBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(h->window->viewState().entryTop, 2);
        QCOMPARE(h->stepRow(1)->numberLabel()->text(), QStringLiteral("2."));

        h->choose(h->modeRow(1), 2); // Customize clears the S.O.S mark
        QCOMPARE(h->key("customizeButton")->text(), QStringLiteral("Customize"));
    }

    void dragAndTypeWriteIntoTheMode() {
        ValueSlider* bar = h->modeRow(1)->valueBar();
        const int marker = bar->PositionOf(bar->GetValue());
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(marker, 20));
        QTest::mouseMove(bar, QPoint(106, 20));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(106, 20));
        QCoreApplication::processEvents();
        QCOMPARE(h->window->modeSet()[0].brightness, 50);
        QCOMPARE(h->window->viewState().selectedMode, 0); // the press selected the mode

        h->window->show();
        h->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h->window.get()));
        QTest::mouseDClick(bar, Qt::LeftButton, {}, QPoint(150, 20));
        QTRY_VERIFY(h->modeRow(1)->editBox()->isVisible());
        QTest::keyClicks(h->modeRow(1)->editBox(), QStringLiteral("75"));
        QTest::keyClick(h->modeRow(1)->editBox(), Qt::Key_Return);
        QCOMPARE(h->window->modeSet()[0].brightness, 75);
    }

    void modeScrollBarFollowsTheSet() {
        for (int i = 0; i < 6; ++i) {
            h->click("addModeButton");
        }
        auto* modeBar = h->child<QScrollBar>(QStringLiteral("modeScrollBar"));
        QCOMPARE(h->window->modeSet().size(), std::size_t{7});
        QVERIFY(!modeBar->isHidden());
        QCOMPARE(h->window->viewState().modeTop, 2); // the last mode in view
        QCOMPARE(modeBar->value(), 2);
        QCOMPARE(h->modeRow(1)->numberLabel()->text(), QStringLiteral("3."));
        modeBar->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(h->window->viewState().modeTop, 0);
        QCOMPARE(modeBar->value(), 0);
        QCOMPARE(h->modeRow(1)->numberLabel()->text(), QStringLiteral("1."));
    }

    // Files

    void saveThenOpenGivesTheSameSet() {
        QTemporaryDir folder;
        applyPresetFromMenu(QStringLiteral("Outdoor-Modus"));
        const ModeSet saved = h->window->modeSet();
        h->prompts->savePath = folder.filePath(QStringLiteral("config.ini"));
        h->click("saveButton");
        applyPresetFromMenu(QStringLiteral("Angel-Modus"));
        h->prompts->openPath = h->prompts->savePath;
        h->click("openButton");
        ModeSet expected = saved;
        expected[3].sos = 0; // the file does not keep the S.O.S mark
        QCOMPARE(h->window->modeSet(), expected);
        QVERIFY(h->prompts->messages.isEmpty());
    }

    void refusedFileKeepsTheSetAndSaysSo() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("bad.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Setting]\r\nCount=2\r\n[Item1]\r\nMode=1\r\nBrightness=0\r\n");
        file.close();
        applyPresetFromMenu(QStringLiteral("Haushalts-Modus"));
        const ModeSet before = h->window->modeSet();
        h->choose(h->modeRow(2), 0); // select a mode: the view is reset all the same
        h->prompts->openPath = path;
        h->click("openButton");
        QCOMPARE(h->window->modeSet(), before);
        QCOMPARE(h->prompts->messages, QStringList{"Failed to read config file!"});
        QCOMPARE(h->window->viewState().selectedMode, -1);
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

    void unwritableFileSaysSo() {
        QTemporaryDir folder;
        h->prompts->savePath = folder.filePath(QStringLiteral("missing/config.ini"));
        h->click("saveButton");
        QCOMPARE(h->prompts->messages, QStringList{"Failed to write config file!"});
    }

    void cancelledFileChoiceDoesNothing() {
        applyPresetFromMenu(QStringLiteral("Haushalts-Modus"));
        h->choose(h->modeRow(2), 0);
        h->click("openButton"); // openPath empty: cancelled
        QCOMPARE(h->window->viewState().selectedMode, 1);
        QVERIFY(h->prompts->messages.isEmpty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
