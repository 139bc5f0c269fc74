// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <Qt>

namespace lumavert {

/// Text placements as the layout tables give them: the values of the text-drawing flags.
enum TextAlignH : int { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };
enum TextAlignV : int { AlignTop = 0, AlignVCentre = 4, AlignBottom = 8 };

/// The Qt alignment of a horizontal placement; unknown values centre.
Qt::Alignment toQtHorizontal(int horizontal);

/// The smallest a text is drawn to fit its place, as a share of its font's pixel size.
inline constexpr double kSmallestFit = 0.75;

/// Where a control draws a text: the box, the text-drawing flags and the font it was given.
/// Paint and checks take it from the control, so they can never disagree.
struct TextPlace {
    QRect box;
    int flags = 0;
    QFont font;

    /// `font`, a pixel smaller at a time (down to kSmallestFit of its size) until the text fits:
    /// a long translation shrinks a little instead of being cut.
    QFont fittedFont(const QString& text) const;
    /// Whether the text, drawn in the fitted font, fits the box whole.
    bool showsWhole(const QString& text) const;
};

} // namespace lumavert
