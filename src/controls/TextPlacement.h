// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <Qt>

namespace lumavert {

/// Text placements as the layout tables give them: the values of the text-drawing flags.
enum TextAlignH : int { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };
enum TextAlignV : int { AlignTop = 0, AlignVCentre = 4, AlignBottom = 8 };

/// The Qt alignment of a horizontal placement; unknown values centre.
Qt::Alignment toQtHorizontal(int horizontal);

} // namespace lumavert
