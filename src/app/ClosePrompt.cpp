// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ClosePrompt.h"

#include "controls/QtText.h"
#include "program/Version.h"

#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace lumavert {

QMessageBox* createClosePrompt(QWidget* owner) {
    auto* box = new QMessageBox(QMessageBox::Question, qtString(kProductTitle),
                                qtText(Text::UnsavedChanges), QMessageBox::NoButton, owner);
    box->setObjectName(QStringLiteral("closePrompt"));
    box->setDefaultButton(box->addButton(qtText(Text::Save), QMessageBox::AcceptRole));
    box->addButton(qtText(Text::Discard), QMessageBox::DestructiveRole);
    box->setEscapeButton(box->addButton(qtText(Text::Cancel), QMessageBox::RejectRole));
    return box;
}

CloseChoice runClosePrompt(QWidget* owner) {
    const std::unique_ptr<QMessageBox> box(createClosePrompt(owner));
    box->exec();
    QAbstractButton* clicked = box->clickedButton();
    switch (clicked != nullptr ? box->buttonRole(clicked) : QMessageBox::RejectRole) {
    case QMessageBox::AcceptRole:
        return CloseChoice::Save;
    case QMessageBox::DestructiveRole:
        return CloseChoice::Discard;
    default:
        return CloseChoice::Cancel;
    }
}

} // namespace lumavert
