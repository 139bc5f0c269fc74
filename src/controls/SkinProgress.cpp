// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/SkinProgress.h"

#include "controls/CellFont.h"
#include "controls/ColorRef.h"
#include "controls/SkinBitmap.h"

#include <QPainter>

#include <algorithm>

namespace lumavert {

int edgeX(const ProgressRange& range, int width, int leftMargin, int rightMargin) {
    if (range.max <= range.min) {
        return std::clamp(leftMargin, 0, std::max(width, 0));
    }
    const double fraction =
        (static_cast<double>(range.pos) - range.min) / (static_cast<double>(range.max) - range.min);
    const double edge = leftMargin + fraction * (width - rightMargin - leftMargin);
    return static_cast<int>(std::clamp(edge, 0.0, static_cast<double>(std::max(width, 0))));
}

int percentage(const ProgressRange& range) {
    if (range.max <= range.min) {
        return 0;
    }
    const long long done = static_cast<long long>(range.pos) - range.min;
    return static_cast<int>(done * 100 / (static_cast<long long>(range.max) - range.min));
}

SkinProgress::SkinProgress(QWidget* parent)
    : QWidget(parent)
    , font(cellFont(QStringLiteral("Arial"), 14)) {}

bool SkinProgress::LoadBitmaps(int emptyId, int fillId) {
    fillBitmap = QPixmap();
    emptyBitmap = loadSkinBitmap(emptyId);
    if (emptyBitmap.isNull()) {
        return false;
    }
    fillBitmap = loadSkinBitmap(fillId);
    if (fillBitmap.isNull()) {
        return false;
    }
    resize(emptyBitmap.deviceIndependentSize().toSize());
    return true;
}

void SkinProgress::SetMargins(int left, int right) {
    leftMargin = left;
    rightMargin = right;
}

void SkinProgress::SetFont(const QFont* source) {
    if (source != nullptr) {
        font = *source;
    }
}

void SkinProgress::SetTextColour(std::uint32_t colour) {
    textColour = colour;
}

void SkinProgress::SetRange(int min, int max) {
    range.min = min;
    range.max = max;
}

void SkinProgress::SetPos(int value) {
    range.pos = std::max(std::min(value, range.max), range.min);
}

QString SkinProgress::percentText() const {
    return QStringLiteral("%1%").arg(percentage(range));
}

void SkinProgress::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int edge = edgeX(range, width(), leftMargin, rightMargin);
    drawBitmapPart(painter, QRect(edge, 0, width() - edge, height()), emptyBitmap);
    drawBitmapPart(painter, QRect(0, 0, edge, height()), fillBitmap);
    painter.setFont(font);
    painter.setPen(fromColorRef(textColour));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, percentText());
}

} // namespace lumavert
