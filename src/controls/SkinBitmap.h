// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>

namespace lumavert {

/// Loads bitmap resource `id` (only its low 16 bits count) from ":/bitmaps/<id>.png".
/// Returns a null pixmap when there is no such picture.
QPixmap loadSkinBitmap(int id);

} // namespace lumavert
