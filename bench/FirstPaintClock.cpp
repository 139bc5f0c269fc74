// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FirstPaintClock.h"

#include <QCoreApplication>
#include <QWindow>

namespace lumavert {

FirstPaintClock::FirstPaintClock(QWidget& window)
    : window_(window) {
    window_.winId(); // makes the window handle, which show() would make anyway
    window_.installEventFilter(this);
    // The first frame is painted either while the window handles its exposure or when the
    // widget handles an update request, depending on the platform.
    windowEvents_ = std::make_unique<AfterEvent>(
        *window_.windowHandle(), std::vector{QEvent::Expose, QEvent::Paint, QEvent::UpdateRequest},
        [this] { checkPainted(); });
    widgetUpdates_ = std::make_unique<AfterEvent>(window_, std::vector{QEvent::UpdateRequest},
                                                  [this] { checkPainted(); });
}

bool FirstPaintClock::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Paint) {
        widgetPainted_ = true;
    }
    return false;
}

void FirstPaintClock::checkPainted() {
    if (widgetPainted_ && !paintedAt_) {
        paintedAt_ = Clock::now();
        QCoreApplication::exit(0);
    }
}

} // namespace lumavert
