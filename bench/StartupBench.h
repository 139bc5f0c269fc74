// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ResultTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace lumavert {

/// The window a start-up run builds: the program's, the floor it is measured against (a
/// frameless 800 x 600 window that fills its background and draws one line of bold Arial), and
/// a bare QWidget that draws nothing.
enum class StartupWindow { Main, Text, Bare };

/// The window named on the command line ("main", "text", "bare"), if any.
std::optional<StartupWindow> startupWindowNamed(std::string_view name);

/// Child side: builds the window, shows it and, once its first frame is painted, prints the
/// steady clock's reading in nanoseconds and its peak resident memory in kB. Needs a
/// QApplication. Returns the exit code.
int printFirstPaint(StartupWindow window);

/// Parent side: runs `self --first-paint main|text|bare` in fresh processes, in turn, and adds
/// the medians of the time from starting the process to the first paint and of the peak memory
/// then, and the main window's ratios to the text window.
void benchStartup(ResultTable& table, const std::string& self, int runs);

} // namespace lumavert
