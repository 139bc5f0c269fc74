// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SkinnedDialog.h"

#include "controls/CellFont.h"
#include "controls/ColorRef.h"
#include "controls/LinkLabel.h"
#include "controls/QtText.h"
#include "controls/SkinBitmap.h"
#include "controls/SkinButton.h"
#include "i18n/TextCatalogue.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace lumavert {

namespace {

constexpr int kMessageGap = 4; // between a message that grew and the OK key

} // namespace

SkinnedDialog::SkinnedDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , buttonFont(cellFont(QStringLiteral("Arial"), 14))
    , messageFont(cellFont(QStringLiteral("Arial"), 22)) {
    setAttribute(Qt::WA_DeleteOnClose);
    buttonFont.setBold(true);
    messageFont.setItalic(true);
    background = loadSkinBitmap(247);
    setFixedSize(background.isNull() ? QSize(400, 240)
                                     : background.deviceIndependentSize().toSize());

    okButton = new SkinButton(this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->LoadBitmaps(248, 249, 250, 0);
    okButton->SetTextColour(kWhite);
    okButton->setText(qtText(Text::Ok));
    okButton->setFont(buttonFont);
    okButton->setGeometry(165, 184, 68, 32);
    connect(okButton, &SkinButton::clicked, this, &QDialog::accept);

    messageLabel = new LinkLabel(this);
    messageLabel->setObjectName(QStringLiteral("messageLabel"));
}

void SkinnedDialog::placeMessage(const QRect& geometry, const QString& text) {
    messageLabel->SetText(text);
    messageLabel->SetAlignment(AlignCentre, AlignVCentre);
    messageLabel->SetTextColour(kBlack);
    messageLabel->SetBackColour(kLightGrey);
    messageLabel->SetFontFrom(&messageFont);
    messageLabel->setGeometry(geometry);
    // A long translation takes the lines it needs, down to just above OK.
    const TextPlace place = messageLabel->textPlace();
    const int needed =
        QFontMetrics(place.font)
            .boundingRect(QRect(place.box.topLeft(), QSize(place.box.width(), height())),
                          place.flags, text)
            .height();
    const int room = okButton->y() - kMessageGap - geometry.top();
    messageLabel->resize(geometry.width(),
                         std::clamp(needed, geometry.height(), std::max(room, geometry.height())));
}

void SkinnedDialog::setOkVisible(bool visible) {
    okButton->setVisible(visible);
    if (visible) {
        okButton->setFocus(Qt::OtherFocusReason);
    }
}

void SkinnedDialog::showEvent(QShowEvent* event) {
    // Only now: the window manager may have placed the parent anywhere since this was made.
    if (const QWidget* owner = parentWidget()) {
        move(owner->frameGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}

void SkinnedDialog::keyPressEvent(QKeyEvent* event) {
    const bool confirms = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (confirms && okButton->isVisible()) {
        okButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SkinnedDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (background.isNull()) {
        painter.fillRect(rect(), fromColorRef(kLightGrey));
        return;
    }
    painter.drawPixmap(0, 0, background);
}

} // namespace lumavert
