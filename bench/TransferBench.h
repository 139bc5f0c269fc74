// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ResultTable.h"

namespace lumavert {

/// Runs the real transfer dialog against a virtual light with the program's own delays:
/// `runs` uploads (when each block reached the light, from the dialog's start) and `runs`
/// downloads (when "Download completed" was painted, after the light's last report).
/// Needs a QApplication.
void benchTransfers(ResultTable& table, int runs);

} // namespace lumavert
