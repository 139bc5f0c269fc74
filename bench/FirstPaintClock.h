// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AfterEvent.h"

#include <QWidget>

#include <chrono>
#include <memory>
#include <optional>

namespace lumavert {

/// Notes when a top-level widget's first frame is done: the widget has painted and the window
/// system has been handed the result. Then it ends the event loop. Make it before showing.
class FirstPaintClock : public QObject {
  public:
    using Clock = std::chrono::steady_clock;

    explicit FirstPaintClock(QWidget& window);

    std::optional<Clock::time_point> paintedAt() const { return paintedAt_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void checkPainted();

    QWidget& window_;
    bool widgetPainted_ = false;
    std::optional<Clock::time_point> paintedAt_;
    std::unique_ptr<AfterEvent> windowEvents_;
    std::unique_ptr<AfterEvent> widgetUpdates_;
};

} // namespace lumavert
