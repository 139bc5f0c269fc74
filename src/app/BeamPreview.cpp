// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/BeamPreview.h"

#include <QImage>
#include <QPainter>

namespace lumavert {

namespace {

// Where the background draws the beam: above the flashlight's head, inside the green card.
constexpr QRect kBeamRect(27, 271, 105, 62);
// A column of the card left of the beam: its colour in each row is the card's without the beam.
constexpr int kCardColumn = 18;
constexpr int kFull = 100;

QPixmap cardWithoutBeam(const QPixmap& background) {
    const QImage window = background.toImage();
    const qreal ratio = background.devicePixelRatio();
    if (!QRect(QPoint(0, 0), background.deviceIndependentSize().toSize()).contains(kBeamRect)) {
        return {};
    }
    // Each row is one colour, so the card needs no more pixels than the window has.
    QImage card(kBeamRect.size(), QImage::Format_RGB32);
    for (int y = 0; y < card.height(); ++y) {
        const QRgb colour = window.pixel(static_cast<int>(kCardColumn * ratio),
                                         static_cast<int>((kBeamRect.top() + y) * ratio));
        for (int x = 0; x < card.width(); ++x) {
            card.setPixel(x, y, colour);
        }
    }
    return QPixmap::fromImage(card);
}

} // namespace

BeamPreview::BeamPreview(const QPixmap& background, QWidget* parent)
    : QWidget(parent)
    , dark_(cardWithoutBeam(background)) {
    setObjectName(QStringLiteral("beamPreview"));
    setGeometry(kBeamRect);
    setAttribute(Qt::WA_TransparentForMouseEvents); // the card below is where the window is dragged
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { enterPhase((phase_ + 1) % phases_.size()); });
}

void BeamPreview::showMode(const LightMode* mode) {
    std::vector<PreviewPhase> phases = previewPattern(mode);
    if (phases == phases_) {
        return; // an unrelated change keeps a running pattern in step
    }
    phases_ = std::move(phases);
    timer_.stop();
    if (phases_.empty()) {
        update();
        return;
    }
    enterPhase(0);
}

int BeamPreview::level() const {
    return phases_.empty() ? kFull : phases_[phase_].level;
}

void BeamPreview::enterPhase(std::size_t index) {
    phase_ = index;
    update();
    const int duration = phases_[phase_].durationMs;
    if (duration > 0 && isVisible()) {
        timer_.start(duration);
    }
}

void BeamPreview::paintEvent(QPaintEvent*) {
    if (dark_.isNull() || level() >= kFull) {
        return;
    }
    QPainter painter(this);
    painter.setOpacity(1.0 - level() / double(kFull));
    painter.drawPixmap(0, 0, dark_);
}

// Shown again (or the window restored): the pattern starts over from its first phase.
void BeamPreview::showEvent(QShowEvent*) {
    if (!phases_.empty()) {
        enterPhase(0);
    }
}

void BeamPreview::hideEvent(QHideEvent*) {
    timer_.stop();
}

} // namespace lumavert
