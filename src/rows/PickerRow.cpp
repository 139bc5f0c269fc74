// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/PickerRow.h"

#include "controls/CellFont.h"
#include "controls/ColorRef.h"
#include "controls/LinkLabel.h"
#include "controls/SkinCombo.h"
#include "controls/TextPlacement.h"
#include "controls/ValueSlider.h"
#include "i18n/TextCatalogue.h"
#include "model/PickerRules.h"
#include "model/ViewState.h"
#include "rows/BarSkin.h"
#include "rows/InPlaceEdit.h"
#include "rows/RowNoticeEvent.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace lumavert {
namespace {

constexpr int kFontCell = 14;

QFont arial() {
    return cellFont(QStringLiteral("Arial"), kFontCell);
}

} // namespace

PickerRow::PickerRow(int rowType, int itemMask, int controlId, QWidget* parent)
    : QWidget(parent)
    , itemTable_(makeItemTable())
    , rowType_(rowType)
    , itemMask_(itemMask)
    , controlId_(controlId) {
    resize(200, 60);
    QPalette background = palette();
    background.setColor(QPalette::Window, fromColorRef(kLightGrey));
    setPalette(background);
    setAutoFillBackground(true);

    const bool narrow = (itemMask & (ItemLighting | ItemDimming)) != 0;
    const QFont listFont =
        cellFont(QString::fromStdString(TextFontFace(CurrentLanguage())), kFontCell);
    createItemList(listFont, narrow);
    createValueBar(arial());
    createNumberLabel(arial(), narrow);
    createEditBox(arial());
}

void PickerRow::createItemList(const QFont& font, bool narrow) {
    itemList_ = new SkinCombo(this);
    itemList_->setObjectName(QStringLiteral("itemList"));
    // The step rows' list is 20 pixels wider than its table gives, so that the longest duration
    // names (Portuguese) fit without shrinking below three quarters.
    itemList_->setGeometry(narrow ? QRect(40, 0, 150, 20) : QRect(55, 0, 110, 20));
    itemList_->LoadArrowBitmap(212);
    itemList_->SetTextColours(kAccentGreen, kWhite);
    itemList_->SetBackColours(kLightGrey, kAccentGreen);
    itemList_->setFont(font);
    for (const auto& [key, item] : itemTable_) {
        if (key & itemMask_) {
            itemList_->addItem(item.name, key);
        }
    }
    connect(itemList_, &SkinCombo::activated, this, &PickerRow::onItemChosen);
}

void PickerRow::createValueBar(const QFont& font) {
    valueBar_ = new ValueSlider(this);
    valueBar_->setObjectName(QStringLiteral("valueBar"));
    valueBar_->setGeometry(0, 20, 183, 41);
    valueBar_->SetMargin(6);
    valueBar_->SetTrackOffset(30);
    valueBar_->SetTextPlacement(0);
    valueBar_->SetFontFrom(&font);
    valueBar_->SetTextColour(barTextColour(itemMask_));
    const BarBitmaps bitmaps = barBitmaps(itemMask_, false, false);
    valueBar_->SetBitmaps(bitmaps.background, bitmaps.fill, 0);
    connect(valueBar_, &ValueSlider::messageSent, this,
            [this](int message, int) { onValueBarMessage(message); });
}

void PickerRow::createNumberLabel(const QFont& font, bool narrow) {
    numberLabel_ = new LinkLabel(this);
    numberLabel_->setObjectName(QStringLiteral("numberLabel"));
    numberLabel_->setGeometry(0, 5, narrow ? 39 : 54, 15);
    numberLabel_->SetIndent(5);
    numberLabel_->SetAlignment(AlignRight, AlignBottom);
    numberLabel_->SetTextColour(kAccentGreen);
    numberLabel_->SetBackColour(kLightGrey);
    numberLabel_->SetFontFrom(&font);
}

void PickerRow::createEditBox(const QFont& font) {
    // A child of the value bar, so that it lies over the bar and hands the focus back to it.
    editBox_ = new InPlaceEdit(valueBar_);
    editBox_->setObjectName(QStringLiteral("editBox"));
    editBox_->setGeometry(50, 10, 83, 21);
    editBox_->setFont(font);
    editBox_->hide();
    connect(editBox_, &InPlaceEdit::commitRequested, this, &PickerRow::commitEditBox);
}

void PickerRow::mousePressEvent(QMouseEvent* event) {
    // A press on the row's own background or its number label ends here: it never moves the
    // window.
    event->accept();
}

void PickerRow::SetState(bool selected, bool marked) {
    const BarBitmaps bitmaps = barBitmaps(itemMask_, selected, marked);
    valueBar_->SetBitmaps(bitmaps.background, bitmaps.fill, bitmaps.marker);
    valueBar_->update();
}

void PickerRow::SetNumber(int n) {
    numberLabel_->SetText(QString::asprintf("%d.", n));
    numberLabel_->update();
}

void PickerRow::Bind(LightMode* record, int entryIndex) {
    // A value still being typed belongs to the record the row showed when it was opened.
    editBox_->finish();
    record_ = record;
    entryIndex_ = entryIndex;
    if (rowType_ == RowTypeMode && record_ != nullptr) {
        const int index = itemList_->findData(itemKeyForKind(record_->kind));
        if (index >= 0) {
            itemList_->setCurrentIndex(index);
        }
    } else if (rowType_ == RowTypeStep) {
        itemList_->setCurrentIndex(0);
    }
    itemList_->update();
    Refresh();
}

int PickerRow::currentKey() const {
    return itemList_->currentIndex() < 0 ? 0 : itemList_->currentData().toInt();
}

const PickerItem* PickerRow::currentItem() const {
    const auto found = itemTable_.find(currentKey());
    return found == itemTable_.end() ? nullptr : &found->second;
}

void PickerRow::Refresh() {
    if (const PickerItem* item = currentItem()) {
        const ItemRange& range = item->range;
        valueBar_->SetUnit(QString::fromLatin1(range.unit));
        valueBar_->SetDecimals(range.decimals);
        valueBar_->SetRange(range.minimum, range.maximum);
        valueBar_->SetStep(range.step);
        const std::optional<int> shown =
            record_ ? recordValue(*record_, currentKey(), entryIndex_) : std::nullopt;
        if (shown) {
            valueBar_->SetValue(*shown * range.scale);
        }
    }
    valueBar_->update();
}

void PickerRow::onItemChosen(int index) {
    const int notice = applyItemChoice(record_, itemList_->itemData(index).toInt());
    if (notice != 0) {
        post(notice);
    }
    Refresh();
}

void PickerRow::onValueBarMessage(int message) {
    switch (message) {
    case SliderDrag:
        writeValueBar();
        break;
    case SliderPress:
        post(NoticeValuePressed);
        break;
    case SliderDoubleClick:
        openEditBox();
        break;
    default:
        break;
    }
}

void PickerRow::writeValueBar() {
    const PickerItem* item = currentItem();
    if (record_ != nullptr && item != nullptr) {
        writeRecordValue(*record_, currentKey(), entryIndex_, valueBar_->GetValue(),
                         item->range.scale);
    }
}

void PickerRow::openEditBox() {
    const PickerItem* item = currentItem();
    const int decimals = item ? item->range.decimals : 0;
    editBox_->setText(QString::asprintf("%.*f", decimals, valueBar_->GetValue()));
    editBox_->selectAll();
    editBox_->show();
    editBox_->setFocus(Qt::OtherFocusReason);
}

void PickerRow::commitEditBox() {
    const PickerItem* item = currentItem();
    if (item == nullptr) {
        return;
    }
    const std::optional<double> value = committedValue(editBox_->text().toStdString(), item->range);
    if (!value) {
        return;
    }
    valueBar_->SetValue(*value);
    valueBar_->update();
    writeValueBar();
}

void PickerRow::post(int notice) {
    if (QWidget* owner = parentWidget()) {
        QCoreApplication::postEvent(owner, new RowNoticeEvent(notice, rowType_, controlId_));
    }
}

} // namespace lumavert
