// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/InPlaceEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

namespace lumavert {
namespace {

// Refuses any edit after which the text would no longer fit in the box: the box does not
// scroll sideways.
class FitValidator : public QValidator {
  public:
    explicit FitValidator(QLineEdit* box)
        : QValidator(box)
        , edit(box) {}

    State validate(QString& input, int&) const override {
        constexpr int kFrameAndPadding = 10;
        const int room = edit->width() - kFrameAndPadding;
        return edit->fontMetrics().horizontalAdvance(input) <= room ? Acceptable : Invalid;
    }

  private:
    const QLineEdit* edit;
};

} // namespace

InPlaceEdit::InPlaceEdit(QWidget* parent)
    : QLineEdit(parent) {
    setAlignment(Qt::AlignCenter);
    setValidator(new FitValidator(this));
}

void InPlaceEdit::returnFocus() {
    if (QWidget* bar = parentWidget()) {
        bar->setFocus(Qt::OtherFocusReason);
    }
}

void InPlaceEdit::keyPressEvent(QKeyEvent* event) {
    if (!event->text().isEmpty()) {
        cancelPending = false;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        returnFocus(); // commits through the focus loss
        event->accept();
        return;
    case Qt::Key_Escape:
        cancelPending = true;
        returnFocus();
        event->accept();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void InPlaceEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason) {
        return; // the box's own context menu, e.g. to paste: still editing
    }
    finish();
}

void InPlaceEdit::finish() {
    if (isHidden()) {
        return;
    }
    const bool commit = !cancelPending;
    hide(); // the focus loss this causes finds the box closed already
    if (commit) {
        emit commitRequested();
    }
}

} // namespace lumavert
