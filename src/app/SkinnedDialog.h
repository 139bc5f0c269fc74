// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QFont>
#include <QPixmap>

namespace lumavert {

class LinkLabel;
class SkinButton;

/// The frameless 400 x 240 dialog both transfer and notice dialogs are: background picture 247,
/// a message label and an OK key, centred on the parent window where it stands when the dialog
/// shows. Once OK is shown it has the focus: Return, Enter and Space press it.
class SkinnedDialog : public QDialog {
    Q_OBJECT

  public:
    explicit SkinnedDialog(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    /// Places the message label; `text` is shown centred in `messageFont`.
    void placeMessage(const QRect& geometry, const QString& text);
    /// Shows or hides OK; shown, it takes the focus.
    void setOkVisible(bool visible);

    LinkLabel* messageLabel = nullptr;
    SkinButton* okButton = nullptr;
    QFont buttonFont;
    QFont messageFont;

  private:
    QPixmap background;
};

} // namespace lumavert
