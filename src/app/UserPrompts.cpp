#include "app/UserPrompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace lumavert {

namespace {

const QString kFilter = QStringLiteral("Config Files (*.ini);;All Files (*)");
const QString kInitialName = QStringLiteral("config");

QFileDialog* makeDialog(QWidget* owner, QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(owner, QString(), kInitialName, kFilter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(mode);
    dialog->setDefaultSuffix(QStringLiteral("ini"));
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    return dialog;
}

QString runDialog(QFileDialog* dialog) {
    return dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()
               ? dialog->selectedFiles().constFirst()
               : QString();
}

} // namespace

QString DesktopPrompts::chooseFileToOpen(QWidget* owner) {
    return runDialog(makeDialog(owner, QFileDialog::AcceptOpen));
}

QString DesktopPrompts::chooseFileToSave(QWidget* owner) {
    // The save dialog asks before it replaces an existing file.
    return runDialog(makeDialog(owner, QFileDialog::AcceptSave));
}

void DesktopPrompts::showMessage(QWidget* owner, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("LUMAVERT 3.0"), text,
                                QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace lumavert
