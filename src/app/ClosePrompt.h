// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QMessageBox;
class QWidget;

namespace lumavert {

/// The user's answer when the window is closed with unsaved modes.
enum class CloseChoice { Save, Discard, Cancel };

/// The question asked before closing with unsaved modes, in the window's language: Save,
/// Discard and Cancel, Save the default and Escape cancelling. Owned by `owner`.
QMessageBox* createClosePrompt(QWidget* owner);

/// Asks the question modally and returns the answer; closing the box cancels.
CloseChoice runClosePrompt(QWidget* owner);

} // namespace lumavert
