// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QString>

namespace lumavert {

/// A font of the face whose line height (ascent + descent) is at most `cellHeight` pixels,
/// as a font description with a positive height asks for. Style it further as needed.
QFont cellFont(const QString& face, int cellHeight);

} // namespace lumavert
