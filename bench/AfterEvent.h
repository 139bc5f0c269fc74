// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QEvent>
#include <QObject>

#include <functional>
#include <vector>

namespace lumavert {

/// Calls `handled` each time `target` has finished handling an event of one of `types`. A plain
/// event filter runs before the handler; this one delivers those events to the target itself
/// so that it can look afterwards. The target must outlive it.
class AfterEvent : public QObject {
  public:
    using Handled = std::function<void()>;

    AfterEvent(QObject& target, std::vector<QEvent::Type> types, Handled handled);
    ~AfterEvent() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QObject& target_;
    const std::vector<QEvent::Type> types_;
    const Handled handled_;
};

} // namespace lumavert
