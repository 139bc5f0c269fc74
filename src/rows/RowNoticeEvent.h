// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QEvent>

namespace lumavert {

/// A row's notification to its owner (RowNotice 0x464 ... 0x468 of model/ViewState.h), posted
/// after the row has written the record, so the owner always finds the record changed.
class RowNoticeEvent : public QEvent {
  public:
    /// The one event type of every row notification.
    static constexpr QEvent::Type EventType = static_cast<QEvent::Type>(QEvent::User + 100);

    RowNoticeEvent(int notice, int rowType, int controlId)
        : QEvent(EventType)
        , notice_(notice)
        , rowType_(rowType)
        , controlId_(controlId) {}

    /// The event as a row notification, or null when it is something else.
    static const RowNoticeEvent* from(const QEvent* event) {
        return event != nullptr && event->type() == EventType
                   ? static_cast<const RowNoticeEvent*>(event)
                   : nullptr;
    }

    int notice() const { return notice_; }
    /// 1 mode row, 2 step row.
    int rowType() const { return rowType_; }
    /// 1 to 5 on mode rows, 1 or 2 on step rows.
    int controlId() const { return controlId_; }

  private:
    int notice_;
    int rowType_;
    int controlId_;
};

} // namespace lumavert
