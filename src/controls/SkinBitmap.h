// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>

class QPainter;

namespace lumavert {

/// Loads bitmap resource `id` (only its low 16 bits count) from ":/bitmaps/<id>.png".
/// Returns a null pixmap when there is no such picture.
/// On a screen of device pixel ratio 2 it is "<id>@2x.png", drawn twice as fine.
QPixmap loadSkinBitmap(int id);

/// Draws the part of `bitmap` that lies at `part` (in the widget's pixels, as the bitmap is
/// drawn at 0,0) at the same place, whatever the bitmap's device pixel ratio.
void drawBitmapPart(QPainter& painter, const QRect& part, const QPixmap& bitmap);

} // namespace lumavert
