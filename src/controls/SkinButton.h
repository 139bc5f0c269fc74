// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/TextPlacement.h"

#include <QAbstractButton>
#include <QPixmap>

#include <cstdint>

namespace lumavert {

/// Where a key's caption is centred: the key shrunk by 2 pixels on every side, then moved
/// a fifth of its width left (0) or right (2) and a fifth of its height up (0) or down (8).
QRect captionRect(const QRect& keyRect, int textAlignH, int textAlignV);

/// A key painted from up to four pictures (normal, hover, pressed, disabled) with its caption
/// drawn over the picture. Emits clicked() like any button.
class SkinButton : public QAbstractButton {
    Q_OBJECT

  public:
    explicit SkinButton(QWidget* parent = nullptr);

    /// Loads the pictures (0 = none for the last three) and sizes the key to the normal one.
    /// Returns false when the normal picture or a named optional one is missing.
    bool LoadBitmaps(int normalId, int hoverId, int pressedId, int disabledId);
    /// Resizes the key to its normal picture; keeps the size while there is none.
    void SizeToContent();
    void SetTextColour(std::uint32_t colour);
    /// horizontal 0 left, 1 centred, 2 right; vertical 0 top, 4 centred, 8 bottom.
    void SetTextAlign(int horizontal, int vertical);

    bool isHover() const { return hover; }
    /// Where the caption is written.
    TextPlace textPlace() const;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    const QPixmap& currentPicture() const;
    void trackHover(bool inside, Qt::MouseButtons buttons);
    void leaveHover();

    bool hover = false;
    std::uint32_t textColour = 0x000000;
    int textAlignH = AlignCentre;
    int textAlignV = AlignVCentre;
    QPixmap normalBitmap;
    QPixmap hoverBitmap;
    QPixmap pressedBitmap;
    QPixmap disabledBitmap;
};

} // namespace lumavert
