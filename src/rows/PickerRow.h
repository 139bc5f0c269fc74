// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/LightMode.h"
#include "rows/PickerItem.h"

#include <QWidget>

namespace lumavert {

class InPlaceEdit;
class LinkLabel;
class SkinCombo;
class ValueSlider;

/// One row of a panel, 200 x 60 pixels: a number label, an item list, a value bar and a
/// hidden edit box. It shows one value of the Light mode it is bound to (not owned) and
/// writes drags and typed values straight into it. Choices that change the structure or the
/// kind of the mode, and presses on the value bar, are posted to the parent as RowNoticeEvents
/// after the row has written the record.
class PickerRow : public QWidget {
    Q_OBJECT

  public:
    /// rowType: 1 mode row, 2 step row. itemMask: the item keys the list offers.
    /// controlId: 1 to 5 on mode rows, 1 or 2 on step rows, sent with every notification.
    PickerRow(int rowType, int itemMask, int controlId, QWidget* parent);

    /// Chooses the value bar's pictures; marked counts only on a selected mode row.
    void SetState(bool selected, bool marked);
    /// Shows "n." in the number label.
    void SetNumber(int n);
    /// Binds the row to a record (null unbinds) and, on step rows, an entry of its steps;
    /// selects the list entry that shows the record, then refreshes.
    void Bind(LightMode* record, int entryIndex);
    /// Loads the value bar from the current item and the record.
    void Refresh();

    int rowType() const { return rowType_; }
    int controlId() const { return controlId_; }
    int itemMask() const { return itemMask_; }
    /// Key of the current list entry, 0 when there is none.
    int currentKey() const;

    SkinCombo* itemList() const { return itemList_; }
    ValueSlider* valueBar() const { return valueBar_; }
    LinkLabel* numberLabel() const { return numberLabel_; }
    InPlaceEdit* editBox() const { return editBox_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void createItemList(const QFont& font, bool narrow);
    void createValueBar(const QFont& font);
    void createNumberLabel(const QFont& font, bool narrow);
    void createEditBox(const QFont& font);

    const PickerItem* currentItem() const;
    void onItemChosen(int index);
    void onValueBarMessage(int message);
    void writeValueBar();
    void openEditBox();
    void commitEditBox();
    void post(int notice);

    ItemTable itemTable_;
    SkinCombo* itemList_ = nullptr;
    ValueSlider* valueBar_ = nullptr;
    LinkLabel* numberLabel_ = nullptr;
    InPlaceEdit* editBox_ = nullptr;
    int rowType_;
    int itemMask_;
    int controlId_;
    LightMode* record_ = nullptr;
    int entryIndex_ = -1;
};

} // namespace lumavert
