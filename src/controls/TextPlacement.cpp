// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TextPlacement.h"

namespace lumavert {

Qt::Alignment toQtHorizontal(int horizontal) {
    if (horizontal == AlignLeft) {
        return Qt::AlignLeft;
    }
    if (horizontal == AlignRight) {
        return Qt::AlignRight;
    }
    return Qt::AlignHCenter;
}

} // namespace lumavert
