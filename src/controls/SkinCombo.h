// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/TextPlacement.h"

#include <QComboBox>
#include <QPixmap>

#include <cstdint>

namespace lumavert {

/// Colours of a SkinCombo as 0x00BBGGRR references.
struct ComboColours {
    std::uint32_t text = 0x000000;         ///< closed face and normal list items
    std::uint32_t selectedText = 0xFFFFFF; ///< highlighted list item
    std::uint32_t back = 0xFFFFFF;         ///< closed face, normal list items, list background
    std::uint32_t selectedBack = 0xFF0000; ///< highlighted list item
};

/// A drop-down list that paints its closed face flat with a picture in place of the arrow
/// button, paints its list items in two colour pairs and ignores the mouse wheel, so rolling
/// the wheel over a row never changes its item.
class SkinCombo : public QComboBox {
    Q_OBJECT

  public:
    explicit SkinCombo(QWidget* parent = nullptr);

    /// Loads the picture drawn in the arrow button area; false when it is missing.
    bool LoadArrowBitmap(int id);
    void SetTextColours(std::uint32_t normal, std::uint32_t selected);
    void SetBackColours(std::uint32_t normal, std::uint32_t selected);

    /// The face's text area and arrow button area.
    QRect itemRect() const;
    QRect buttonRect() const;
    /// Where the face writes its item; the dropped list's entries are as wide.
    TextPlace textPlace() const;

    void showPopup() override;

  protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void prepareList();
    void applyListBackground();

    QPixmap arrowBitmap;
    ComboColours colours;
    bool listPrepared = false;
};

} // namespace lumavert
