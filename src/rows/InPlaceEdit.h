// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>

namespace lumavert {

/// The edit box a row opens over its value bar to take a typed value. Losing the focus
/// commits (commitRequested) and hides the box, unless Esc was pressed and no character has
/// been typed since. Enter and Esc hand the focus back to the value bar. No more can be typed
/// than fits in the box.
class InPlaceEdit : public QLineEdit {
    Q_OBJECT

  public:
    explicit InPlaceEdit(QWidget* parent);

    bool isCancelPending() const { return cancelPending; }

    /// Ends an open edit as a focus loss does: commits unless cancelled, and hides the box.
    void finish();

  signals:
    /// Sent when the box loses the focus without a pending cancel, before it hides.
    void commitRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void returnFocus();

    bool cancelPending = false;
};

} // namespace lumavert
