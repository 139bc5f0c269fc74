// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/ClosePrompt.h"

#include <QString>

class QWidget;

namespace lumavert {

/// The file choices and messages the main window asks of the user. Replaceable, so that
/// tests can answer them without a modal loop.
class UserPrompts {
  public:
    virtual ~UserPrompts() = default;

    /// The file to load, or an empty string when the user cancelled.
    virtual QString chooseFileToOpen(QWidget* owner) = 0;

    /// The file to save to (the user has agreed to replace an existing one), or empty.
    virtual QString chooseFileToSave(QWidget* owner) = 0;

    /// A message with an OK key. Does not block the caller.
    virtual void showMessage(QWidget* owner, const QString& text) = 0;

    /// Whether to save the unsaved modes before the window closes.
    virtual CloseChoice askSaveBeforeClosing(QWidget* owner) = 0;
};

/// The desktop's file dialogs and message boxes.
class DesktopPrompts : public UserPrompts {
  public:
    QString chooseFileToOpen(QWidget* owner) override;
    QString chooseFileToSave(QWidget* owner) override;
    void showMessage(QWidget* owner, const QString& text) override;
    CloseChoice askSaveBeforeClosing(QWidget* owner) override { return runClosePrompt(owner); }
};

} // namespace lumavert
