// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/ValueSlider.h"

#include "controls/CellFont.h"
#include "controls/ColorRef.h"
#include "controls/SkinBitmap.h"
#include "model/ValueRounding.h"

#include <QBitmap>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace lumavert {

namespace {

// Where a bar's picture is opaque (not its faint glow): the marker is cut to it at the rounded
// ends. Rows change their pictures on every refresh, among a handful: each is measured once.
QRegion opaquePart(const QPixmap& picture) {
    static QHash<qint64, QRegion> measured;
    auto found = measured.constFind(picture.cacheKey());
    if (found == measured.constEnd()) {
        const QImage shape = picture.toImage().scaled(picture.deviceIndependentSize().toSize());
        found = measured.insert(
            picture.cacheKey(),
            QRegion(QBitmap::fromImage(shape.createAlphaMask(Qt::ThresholdAlphaDither))));
    }
    return *found;
}

int trackStart(const SliderTrack& track) {
    return track.markerWidth / 2 + track.trackOffset + track.margin;
}

bool hasRange(const SliderTrack& track) {
    return track.maximum > track.minimum;
}

} // namespace

int trackSpan(const SliderTrack& track) {
    return track.width - 2 * track.margin - track.markerWidth - track.trackOffset;
}

int positionOf(const SliderTrack& track, double value) {
    if (!hasRange(track)) {
        return trackStart(track);
    }
    const double fraction = (value - track.minimum) / (track.maximum - track.minimum);
    return truncateToInt(fraction * trackSpan(track) + trackStart(track));
}

double valueAt(const SliderTrack& track, int x) {
    const int span = trackSpan(track);
    if (span <= 0 || !hasRange(track)) {
        return track.minimum;
    }
    const double distance = x - trackStart(track);
    const double raw = distance / span * (track.maximum - track.minimum) + track.minimum;
    return roundToStep(raw, track.step);
}

ValueSlider::ValueSlider(QWidget* parent)
    : QWidget(parent)
    , font(cellFont(QStringLiteral("Arial"), 14)) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

bool ValueSlider::SetBitmaps(int backgroundId, int fillId, int markerId) {
    backgroundBitmap = fillBitmap = markerBitmap = QPixmap();
    backgroundBitmap = loadSkinBitmap(backgroundId);
    if (backgroundBitmap.isNull()) {
        return false;
    }
    fillBitmap = loadSkinBitmap(fillId);
    if (fillBitmap.isNull()) {
        return false;
    }
    markerWidth = 0;
    if (markerId != 0) {
        markerBitmap = loadSkinBitmap(markerId);
        if (markerBitmap.isNull()) {
            return false;
        }
        markerWidth = markerBitmap.deviceIndependentSize().toSize().width();
    }
    resize(backgroundBitmap.deviceIndependentSize().toSize());
    return true;
}

void ValueSlider::SetTextColour(std::uint32_t colour) {
    textColour = colour;
}

void ValueSlider::SetTextPlacement(int placement) {
    textPlacement = placement;
}

void ValueSlider::SetMargin(int pixels) {
    margin = pixels;
}

void ValueSlider::SetTrackOffset(int pixels) {
    trackOffset = pixels;
}

void ValueSlider::SetUnit(const QString& text) {
    unit = text;
}

void ValueSlider::SetDecimals(int count) {
    decimals = count;
}

void ValueSlider::SetStep(double v) {
    step = v;
}

void ValueSlider::SetFontFrom(const QFont* source) {
    if (source != nullptr) {
        font = *source;
    }
}

void ValueSlider::SetRange(double min, double max) {
    minimum = min;
    maximum = max;
}

void ValueSlider::SetValue(double v) {
    value = v;
    if (value > maximum) {
        value = maximum;
    }
    if (value < minimum) {
        value = minimum;
    }
}

SliderTrack ValueSlider::track() const {
    return {width(), margin, markerWidth, trackOffset, minimum, maximum, step};
}

int ValueSlider::PositionOf(double v) const {
    return positionOf(track(), v);
}

double ValueSlider::ValueAt(int x) const {
    return valueAt(track(), x);
}

QString ValueSlider::valueText() const {
    return QString::asprintf("%.*f", std::clamp(decimals, 0, 15), value) + unit;
}

QRect ValueSlider::markerRect() const {
    const int half = markerWidth / 2;
    const int position = PositionOf(value);
    return QRect(QPoint(position - half, 0), QPoint(position + half - 1, height() - 1));
}

TextPlace ValueSlider::textPlace() const {
    return {textRect(PositionOf(value)), Qt::AlignCenter | Qt::TextSingleLine, font};
}

QRect ValueSlider::textRect(int position) const {
    if (textPlacement == 0) {
        return QRect(QPoint(margin, 0), QPoint(position - 1, height() - 1));
    }
    if (textPlacement == 2) {
        return QRect(QPoint(position, 0), QPoint(width() - margin - 1, height() - 1));
    }
    return rect();
}

void ValueSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int position = PositionOf(value);
    const int edge = std::clamp(position, 0, width());
    const QRect unfilled(edge, 0, width() - edge, height());
    drawBitmapPart(painter, unfilled, backgroundBitmap);
    drawBitmapPart(painter, QRect(0, 0, edge, height()), fillBitmap);
    if (!markerBitmap.isNull()) {
        const QRect marker(position - markerWidth / 2, margin, markerWidth, height() - 2 * margin);
        painter.setClipRegion(opaquePart(backgroundBitmap));
        painter.drawPixmap(
            QRectF(marker), markerBitmap,
            QRectF(QPointF(0, 0), QSizeF(marker.size()) * markerBitmap.devicePixelRatio()));
        painter.setClipping(false);
    }
    const TextPlace place = textPlace();
    const QString text = valueText();
    painter.setFont(place.fittedFont(text));
    painter.setPen(fromColorRef(textColour));
    painter.drawText(place.box, place.flags, text);
}

void ValueSlider::send(SliderMessage message) {
    emit messageSent(message, truncateToInt(value));
}

void ValueSlider::dragTo(int x) {
    SetValue(ValueAt(x));
    update();
    send(SliderDrag);
}

void ValueSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    // Only the marker is taken; a press elsewhere on the bar does nothing.
    dragging = markerRect().contains(point);
    if (dragging) {
        setCursor(Qt::SizeHorCursor);
        dragTo(point.x());
    }
    setFocus(Qt::MouseFocusReason);
    send(SliderPress);
}

void ValueSlider::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (dragging) {
        dragTo(point.x());
    } else {
        setCursor(markerRect().contains(point) ? Qt::SizeHorCursor : Qt::ArrowCursor);
    }
}

void ValueSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && dragging) {
        dragging = false;
        setCursor(Qt::ArrowCursor);
        update();
    }
}

void ValueSlider::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        send(SliderDoubleClick);
    }
}

} // namespace lumavert
