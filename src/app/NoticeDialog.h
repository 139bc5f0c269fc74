// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/SkinnedDialog.h"

namespace lumavert {

/// Says that no light was found, and how to fix a missing permission when that is the cause.
class NoticeDialog : public SkinnedDialog {
    Q_OBJECT

  public:
    /// `hint`, when not empty, is shown above the message in a smaller font.
    NoticeDialog(QWidget* parent, const QString& hint = {});
};

} // namespace lumavert
