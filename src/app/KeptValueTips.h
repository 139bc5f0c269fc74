// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/LightMode.h"
#include "model/ViewState.h"

#include <QObject>
#include <QString>

namespace lumavert {

class PickerRow;

/// Says in a value bar's tip what the light keeps of the value shown, where its image changes
/// it: a duration becomes a multiple of 188 ms, minutes and the S.O.S mark do not come back.
/// The tip is worked out when it is asked for, so it always fits the value being shown.
class KeptValueTips : public QObject {
  public:
    /// The window's set and view, which must outlive the tips.
    KeptValueTips(const ModeSet& modes, const ViewState& view, QObject* parent);

    void watchRow(PickerRow* row);

    /// The tip of the row's value bar; empty when the light keeps what the row shows.
    QString tipFor(const PickerRow& row) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const ModeSet& modes_;
    const ViewState& view_;
};

} // namespace lumavert
