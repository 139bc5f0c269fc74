// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Saves what a person sees in the main window's typical states, for review and for the README:
//   lumavert-screenshots OUTPUT_FOLDER [LANGUAGE]
#include "WindowHarness.h"

#include "app/TransferDialog.h"
#include "i18n/TextCatalogue.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>

using namespace lumavert;

namespace {

/// The window with its open dialog drawn where it stands.
QPixmap grabWithDialog(QWidget* window, QDialog* dialog) {
    QPixmap picture = window->grab();
    if (dialog != nullptr) {
        QPainter painter(&picture);
        painter.drawPixmap(dialog->pos() - window->pos(), dialog->grab());
    }
    return picture;
}

void waitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 200 && !condition(); ++i) {
        QTest::qWait(10);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    setCurrentLanguage(argc > 2 ? argv[2] : "de");

    WindowHarness h;
    VirtualLightConfig outputReports;
    outputReports.vendorId = 0x04D8;
    outputReports.productId = 0x003F;
    VirtualLight& light = h.bus.addLight(outputReports);
    h.start();
    h.window->move(0, 0);
    h.window->show();
    bool saved = h.window->grab().save(out.filePath(QStringLiteral("main-window.png")));

    h.click("defaultModesButton");
    h.window->findChild<QMenu*>(QStringLiteral("presetMenu"))->actions().at(2)->trigger();
    QCoreApplication::processEvents();
    WindowHarness::choose(h.modeRow(4), 3); // (S.O.S) again: selects the mode
    saved &= h.window->grab().save(out.filePath(QStringLiteral("sos-selected.png")));

    h.click("uploadButton");
    auto* transfer = h.window->findChild<TransferDialog*>(QStringLiteral("transferDialog"));
    waitFor([transfer] { return transfer->sequence().display().progress >= 2; });
    saved &=
        grabWithDialog(h.window.get(), transfer).save(out.filePath(QStringLiteral("upload.png")));
    transfer->close();

    h.bus.unplug(light);
    waitFor([&h] { return !h.key("deviceIndicator")->isEnabled(); });
    h.click("testButton");
    saved &= grabWithDialog(h.window.get(), h.dialog("noticeDialog"))
                 .save(out.filePath(QStringLiteral("notice.png")));
    return saved ? 0 : 1;
}
