// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QScrollBar;

namespace lumavert {

/// Draws the scroll bar's thumb in the skin's green on its light track, so that it shows on the
/// window's light panels; the arrows stay as the desktop's style draws them.
void applySkinScrollBarStyle(QScrollBar& bar);

} // namespace lumavert
