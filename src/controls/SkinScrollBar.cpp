// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/SkinScrollBar.h"

#include "controls/ColorRef.h"
#include "controls/SharedStyle.h"

#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionSlider>

namespace lumavert {

namespace {

class SkinScrollBarStyle : public QProxyStyle {
  public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (control != CC_ScrollBar) {
            return;
        }
        const QRect groove = subControlRect(control, option, SC_ScrollBarGroove, widget);
        const QRect thumb = subControlRect(control, option, SC_ScrollBarSlider, widget);
        painter->save();
        painter->fillRect(groove, fromColorRef(kLightGrey));
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(fromColorRef(kAccentGreen));
        painter->drawRoundedRect(QRectF(thumb).adjusted(3, 1, -3, -1), 3, 3);
        painter->restore();
    }
};

} // namespace

void applySkinScrollBarStyle(QScrollBar& bar) {
    bar.setStyle(sharedStyle<SkinScrollBarStyle>());
}

} // namespace lumavert
