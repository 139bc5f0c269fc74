// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/SkinBitmap.h"

#include <QString>

namespace lumavert {

QPixmap loadSkinBitmap(int id) {
    return QPixmap(QStringLiteral(":/bitmaps/%1.png").arg(id & 0xFFFF));
}

} // namespace lumavert
