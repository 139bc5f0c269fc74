// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>

#include <optional>

class QMouseEvent;
class QWidget;

namespace lumavert {

/// Moves a frameless window by presses on its background. A press alone never moves it: only
/// once the pointer has travelled the platform's drag distance with the left button held is the
/// move handed to the window manager (or done here where there is none), so a click can never
/// leave the window following the pointer.
class BackgroundDrag {
  public:
    explicit BackgroundDrag(QWidget& window)
        : window_(window) {}

    void press(const QMouseEvent& event);
    void move(const QMouseEvent& event);
    void release();

  private:
    QWidget& window_;
    std::optional<QPoint> pressedAt_; ///< the pointer on the screen at the press
    std::optional<QPoint> grip_;      ///< the pointer in the window while moving it here
};

} // namespace lumavert
