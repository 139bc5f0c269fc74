// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ResultTable.h"

#include <string>
#include <string_view>

namespace lumavert {

/// The window a start-up run builds.
enum class StartupWindow { Main, Bare };

/// Child side: builds the window, shows it and prints the steady clock's reading in nanoseconds
/// once its first frame is painted. Needs a QApplication. Returns the exit code.
int printFirstPaint(StartupWindow window);

/// Parent side: runs `self --first-paint main|bare` in fresh processes, alternately, and adds
/// the medians of the time from starting the process to the first paint, and their ratio.
void benchStartup(ResultTable& table, const std::string& self, int runs);

} // namespace lumavert
