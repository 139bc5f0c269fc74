// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/BackgroundDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace lumavert {

void BackgroundDrag::press(const QMouseEvent& event) {
    release();
    if (event.button() == Qt::LeftButton) {
        pressedAt_ = event.globalPosition().toPoint();
    }
}

void BackgroundDrag::move(const QMouseEvent& event) {
    if (!pressedAt_ || !(event.buttons() & Qt::LeftButton)) {
        release();
        return;
    }
    const QPoint pointer = event.globalPosition().toPoint();
    if (!grip_) {
        if ((pointer - *pressedAt_).manhattanLength() < QApplication::startDragDistance()) {
            return;
        }
        QWindow* handle = window_.windowHandle();
        if (handle != nullptr && handle->startSystemMove()) {
            release(); // the window manager moves it from here until the button goes up
            return;
        }
        grip_ = *pressedAt_ - window_.frameGeometry().topLeft();
    }
    window_.move(pointer - *grip_);
}

void BackgroundDrag::release() {
    pressedAt_.reset();
    grip_.reset();
}

} // namespace lumavert
