// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TestSupport.h"
#include "app/MainWindow.h"
#include "app/TransferDialog.h"
#include "controls/LinkLabel.h"
#include "controls/QtText.h"
#include "controls/SkinButton.h"
#include "controls/SkinCombo.h"
#include "controls/ValueSlider.h"
#include "device/VirtualBus.h"
#include "i18n/TextCatalogue.h"
#include "rows/InPlaceEdit.h"
#include "rows/PickerRow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

namespace lumavert {

inline DeviceImage imageOf(Preset preset) {
    return imageOf(presetModes(preset));
}

/// What the window holds after reading `image` back.
inline ModeSet downloaded(const DeviceImage& image) {
    ModeSet modes;
    decodeDeviceImage(image, modes);
    return modes;
}

/// Answers the window's file choices and records its messages.
class ScriptedPrompts : public UserPrompts {
  public:
    QString openPath;
    QString savePath;
    QStringList messages;
    CloseChoice closeChoice = CloseChoice::Cancel;
    int closeQuestions = 0;

    QString chooseFileToOpen(QWidget*) override { return openPath; }
    QString chooseFileToSave(QWidget*) override { return savePath; }
    void showMessage(QWidget*, const QString& text) override { messages << text; }
    CloseChoice askSaveBeforeClosing(QWidget*) override {
        ++closeQuestions;
        return closeChoice;
    }
};

/// A main window on a virtual bus, with short transfer delays and scripted file choices.
/// The bus is declared first so that it outlives the window.
/// A light answering feature reports (read back on arrival), and one taking output reports.
inline const VirtualLightConfig kFeatureLight{0x13EC, 0x0056, "", 0};
inline const VirtualLightConfig kOutputLight{0x04D8, 0x003F, "", 0};

struct WindowHarness {
    static constexpr TransferDelays kDelays{40, 400};

    VirtualBus bus;
    ScriptedPrompts* prompts = nullptr;
    std::unique_ptr<MainWindow> window;

    void start(const TransferDelays& delays = kDelays) {
        auto scripted = std::make_unique<ScriptedPrompts>();
        prompts = scripted.get();
        window = std::make_unique<MainWindow>(DeviceAccess{bus, &bus.monitor()},
                                              std::move(scripted), delays);
    }

    void showActive() const {
        window->show();
        // On the offscreen platform a closed item list stays the active window.
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    template <class T = QWidget>
    T* child(const QString& name) const {
        return window->findChild<T*>(name);
    }

    SkinButton* key(const char* name) const { return child<SkinButton>(QLatin1String(name)); }
    PickerRow* modeRow(int id) const {
        return child<PickerRow>(QStringLiteral("modeRow%1").arg(id));
    }
    PickerRow* stepRow(int id) const {
        return child<PickerRow>(QStringLiteral("stepRow%1").arg(id));
    }

    void click(const char* keyName) const { QTest::mouseClick(key(keyName), Qt::LeftButton); }

    /// Picks an entry of a row's item list with the keyboard, as a user does, and lets the
    /// window handle the row's notification.
    static void choose(PickerRow* row, int index) {
        SkinCombo* list = row->itemList();
        list->showPopup();
        QAbstractItemView* view = list->view();
        const int steps = index - list->currentIndex();
        for (int i = 0; i < std::abs(steps); ++i) {
            QTest::keyClick(view, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
        }
        QTest::keyClick(view, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    /// Picks a preset from the "Default Modes" menu, as a user does.
    void choosePreset(Preset preset) const {
        click("defaultModesButton");
        auto* menu = window->findChild<QMenu*>(QStringLiteral("presetMenu"));
        for (QAction* action : menu->actions()) {
            if (action->data().toInt() == static_cast<int>(preset)) {
                action->trigger();
            }
        }
        menu->close();
        QCoreApplication::processEvents();
    }

    TransferDialog* transferDialog() const {
        return window->findChild<TransferDialog*>(QStringLiteral("transferDialog"));
    }

    /// The transfer dialog's message; empty without a dialog.
    QString transferMessage() const {
        TransferDialog* dialog = transferDialog();
        return dialog ? dialog->findChild<LinkLabel*>(QStringLiteral("messageLabel"))->text()
                      : QString();
    }

    static void pressOk(QDialog* dialog) {
        QTest::mouseClick(dialog->findChild<SkinButton*>(QStringLiteral("okButton")),
                          Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    /// The open dialog of the given object name, if any.
    QDialog* dialog(const char* name) const { return child<QDialog>(QLatin1String(name)); }

    bool okOffered() const {
        TransferDialog* shown = transferDialog();
        return shown && shown->findChild<SkinButton*>(QStringLiteral("okButton"))->isVisible();
    }

    /// Closes the transfer dialog with OK, or with Escape.
    void closeTransfer(bool confirm) const {
        if (confirm) {
            pressOk(transferDialog());
        } else {
            QTest::keyClick(transferDialog(), Qt::Key_Escape);
        }
        QTRY_VERIFY(!transferDialog());
    }

    bool looksConnected() const { return key("deviceIndicator")->isEnabled(); }

    static int readRequestsTo(const VirtualLight& light) {
        int requests = 0;
        for (const ReceivedReport& report : light.receivedReports()) {
            requests += report.bytes.size() > 1 && report.bytes[1] == MarkerReadRequest ? 1 : 0;
        }
        return requests;
    }
};

/// The window tests' base: each case gets a fresh harness in German, its window started at
/// once or, where the case first sets up the bus, by the case itself.
class WindowTest : public QObject {
    Q_OBJECT

  public:
    explicit WindowTest(bool startAtInit = false)
        : startAtInit_(startAtInit) {}

  protected:
    std::unique_ptr<WindowHarness> h;

  private slots:
    void init() {
        setCurrentLanguage("de");
        h = std::make_unique<WindowHarness>();
        if (startAtInit_) {
            h->start();
        }
    }
    void cleanup() { h.reset(); }

  private:
    bool startAtInit_;
};

} // namespace lumavert
