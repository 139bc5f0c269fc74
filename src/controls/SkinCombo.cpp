// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/SkinCombo.h"

#include "controls/ColorRef.h"
#include "controls/SharedStyle.h"
#include "controls/SkinBitmap.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QPainter>
#include <QProxyStyle>
#include <QWheelEvent>

namespace lumavert {
namespace {

constexpr int kTextIndent = 4;

TextPlace itemTextPlace(const QRect& area, const QFont& font) {
    return {area.adjusted(kTextIndent, 0, 0, 0),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, font};
}

void drawItemText(QPainter& painter, const TextPlace& place, const QString& text) {
    painter.setFont(place.fittedFont(text));
    painter.drawText(place.box, place.flags, text);
}

// Paints the entries of the dropped list in the combo's two colour pairs.
class ItemDelegate : public QAbstractItemDelegate {
  public:
    ItemDelegate(const ComboColours& comboColours, QObject* parent)
        : QAbstractItemDelegate(parent)
        , colours(comboColours) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (!index.isValid()) {
            return;
        }
        const bool highlighted = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(option.rect,
                          fromColorRef(highlighted ? colours.selectedBack : colours.back));
        painter->setPen(fromColorRef(highlighted ? colours.selectedText : colours.text));
        drawItemText(*painter, itemTextPlace(option.rect, option.font),
                     index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), option.fontMetrics.height() + 6};
    }

  private:
    const ComboColours& colours;
};

// The desktop's style with one change: the list drops below the face. Some styles open it over
// the face with the current entry under the pointer, so where each entry lands would depend on
// the entry shown, and a click aimed at one could pick another.
class ListBelowStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

SkinCombo::SkinCombo(QWidget* parent)
    : QComboBox(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void SkinCombo::showPopup() {
    prepareList();
    QComboBox::showPopup();
}

// The list, its style and delegate are made when it first drops: Qt builds the list's window
// as soon as either is set or the font changes, and seven rows' lists would delay the first
// frame.
void SkinCombo::prepareList() {
    if (listPrepared) {
        return;
    }
    listPrepared = true;
    setStyle(sharedStyle<ListBelowStyle>()); // makes the list, which takes the face's font
    setItemDelegate(new ItemDelegate(colours, this));
    applyListBackground();
}

void SkinCombo::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && !listPrepared) {
        QWidget::changeEvent(event); // the list, once made, takes the font from the face
        return;
    }
    QComboBox::changeEvent(event);
}

bool SkinCombo::LoadArrowBitmap(int id) {
    arrowBitmap = loadSkinBitmap(id);
    update();
    return !arrowBitmap.isNull();
}

void SkinCombo::SetTextColours(std::uint32_t normal, std::uint32_t selected) {
    colours.text = normal;
    colours.selectedText = selected;
}

void SkinCombo::SetBackColours(std::uint32_t normal, std::uint32_t selected) {
    colours.back = normal;
    colours.selectedBack = selected;
    if (listPrepared) {
        applyListBackground();
    }
}

void SkinCombo::applyListBackground() {
    QPalette listPalette = view()->palette();
    listPalette.setColor(QPalette::Base, fromColorRef(colours.back));
    listPalette.setColor(QPalette::Window, fromColorRef(colours.back));
    view()->setPalette(listPalette);
}

QRect SkinCombo::buttonRect() const {
    const int buttonWidth =
        arrowBitmap.isNull() ? height() : arrowBitmap.deviceIndependentSize().toSize().width();
    return {width() - buttonWidth, 0, buttonWidth, height()};
}

QRect SkinCombo::itemRect() const {
    return {0, 0, buttonRect().left(), height()};
}

TextPlace SkinCombo::textPlace() const {
    return itemTextPlace(itemRect(), font());
}

void SkinCombo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), fromColorRef(colours.back));
    if (currentIndex() >= 0) {
        painter.setPen(fromColorRef(colours.text));
        drawItemText(painter, textPlace(), currentText());
    }
    if (!arrowBitmap.isNull()) {
        const QRect button = buttonRect();
        const int arrowHeight = arrowBitmap.deviceIndependentSize().toSize().height();
        painter.drawPixmap(button.left(), button.top() + (button.height() - arrowHeight) / 2,
                           arrowBitmap);
    }
}

void SkinCombo::wheelEvent(QWheelEvent* event) {
    event->accept(); // rolling the wheel over a row must never change its item
}

} // namespace lumavert
