// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/UserPrompts.h"

#include "controls/QtText.h"
#include "program/Version.h"

#include <QFileDialog>
#include <QMessageBox>

namespace lumavert {

namespace {

const QString kFilter = QStringLiteral("Config Files (*.ini);;All Files (*)");
const QString kInitialName = QStringLiteral("config");

/// Runs a modal file dialog; the chosen file, or empty when the user cancelled.
QString chooseFile(QWidget* owner, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, QString(), kInitialName, kFilter);
    dialog.setAcceptMode(mode);
    dialog.setDefaultSuffix(QStringLiteral("ini"));
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

QString DesktopPrompts::chooseFileToOpen(QWidget* owner) {
    return chooseFile(owner, QFileDialog::AcceptOpen);
}

QString DesktopPrompts::chooseFileToSave(QWidget* owner) {
    // The save dialog asks before it replaces an existing file.
    return chooseFile(owner, QFileDialog::AcceptSave);
}

void DesktopPrompts::showMessage(QWidget* owner, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Warning, qtString(kProductTitle), text,
                                QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace lumavert
