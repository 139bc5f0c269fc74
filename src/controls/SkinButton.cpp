// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/SkinButton.h"

#include "controls/ColorRef.h"
#include "controls/SkinBitmap.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace lumavert {

QRect captionRect(const QRect& keyRect, int textAlignH, int textAlignV) {
    QRect rect = keyRect.adjusted(2, 2, -2, -2);
    const int dx = rect.width() / 5;
    const int dy = rect.height() / 5;
    if (textAlignH == AlignLeft) {
        rect.translate(-dx, 0);
    } else if (textAlignH == AlignRight) {
        rect.translate(dx, 0);
    }
    if (textAlignV == AlignTop) {
        rect.translate(0, -dy);
    } else if (textAlignV == AlignBottom) {
        rect.translate(0, dy);
    }
    return rect;
}

SkinButton::SkinButton(QWidget* parent)
    : QAbstractButton(parent) {
    setMouseTracking(true);
}

bool SkinButton::LoadBitmaps(int normalId, int hoverId, int pressedId, int disabledId) {
    normalBitmap = hoverBitmap = pressedBitmap = disabledBitmap = QPixmap();
    normalBitmap = loadSkinBitmap(normalId);
    if (normalBitmap.isNull()) {
        return false;
    }
    const std::pair<int, QPixmap*> optional[] = {
        {hoverId, &hoverBitmap}, {pressedId, &pressedBitmap}, {disabledId, &disabledBitmap}};
    for (const auto& [id, bitmap] : optional) {
        if (id == 0) {
            continue;
        }
        *bitmap = loadSkinBitmap(id);
        if (bitmap->isNull()) {
            return false;
        }
    }
    SizeToContent();
    update();
    return true;
}

void SkinButton::SizeToContent() {
    if (!normalBitmap.isNull()) {
        resize(normalBitmap.deviceIndependentSize().toSize());
    }
}

void SkinButton::SetTextColour(std::uint32_t colour) {
    textColour = colour;
}

void SkinButton::SetTextAlign(int horizontal, int vertical) {
    textAlignH = horizontal;
    textAlignV = vertical;
}

QSize SkinButton::sizeHint() const {
    return normalBitmap.isNull() ? QAbstractButton::sizeHint()
                                 : normalBitmap.deviceIndependentSize().toSize();
}

const QPixmap& SkinButton::currentPicture() const {
    const QPixmap* picture = &normalBitmap;
    if (hover && !hoverBitmap.isNull()) {
        picture = &hoverBitmap;
    }
    if (isDown() && !pressedBitmap.isNull()) {
        picture = &pressedBitmap;
    }
    if (!isEnabled() && !disabledBitmap.isNull()) {
        picture = &disabledBitmap;
    }
    return *picture;
}

TextPlace SkinButton::textPlace() const {
    return {captionRect(rect(), textAlignH, textAlignV), Qt::AlignCenter | Qt::TextSingleLine,
            font()};
}

void SkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& picture = currentPicture();
    if (picture.isNull()) {
        // Without its picture the key still shows where it is and what it says.
        painter.fillRect(rect(), fromColorRef(kAccentGreen));
    } else {
        painter.drawPixmap(QPoint(0, 0), picture);
    }
    if (text().isEmpty()) {
        return;
    }
    const TextPlace place = textPlace();
    painter.setFont(place.fittedFont(text()));
    painter.setPen(isEnabled() ? fromColorRef(textColour)
                               : palette().color(QPalette::Disabled, QPalette::WindowText));
    // Even the smallest fit may not be enough: an ellipsis then shows that text is missing.
    const QString caption =
        painter.fontMetrics().elidedText(text(), Qt::ElideRight, place.box.width());
    painter.drawText(place.box, place.flags, caption);
}

void SkinButton::trackHover(bool inside, Qt::MouseButtons buttons) {
    // No hover look begins while something is being dragged, nor on a key that cannot be
    // pressed (the pointer's enter still reaches a disabled key).
    if (((buttons & Qt::LeftButton) || !isEnabled()) && !hover) {
        return;
    }
    if (!inside) {
        leaveHover();
    } else if (!hover) {
        hover = true;
        update();
    }
}

void SkinButton::leaveHover() {
    if (hover) {
        hover = false;
        update();
    }
}

void SkinButton::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    trackHover(true, QGuiApplication::mouseButtons());
}

void SkinButton::changeEvent(QEvent* event) {
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        leaveHover();
    }
}

void SkinButton::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    leaveHover();
}

void SkinButton::mouseMoveEvent(QMouseEvent* event) {
    QAbstractButton::mouseMoveEvent(event);
    trackHover(rect().contains(event->position().toPoint()), event->buttons());
}

} // namespace lumavert
