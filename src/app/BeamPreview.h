// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/PreviewPattern.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace lumavert {

/// The beam of the flashlight pictured at the window's left, showing the selected mode as the
/// light would: a glow at its brightness, a strobe, or its Steps with the durations the light
/// keeps. The background holds the beam fully lit; this widget covers it with the card's own
/// colours, the more the darker the light. Its one timer fires only at the pattern's edges and
/// only while the window is on the screen, so a steady mode or no mode costs no wake-up.
class BeamPreview : public QWidget {
    Q_OBJECT

  public:
    /// `background` is the window's, which this covers where it shows the beam.
    BeamPreview(const QPixmap& background, QWidget* parent);

    /// The mode to show; nullptr leaves the picture as drawn.
    void showMode(const LightMode* mode);

    /// How bright the beam shows now, 0 to 100; 100 also when no mode is shown.
    int level() const;
    bool animating() const { return timer_.isActive(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void enterPhase(std::size_t index);

    QPixmap dark_;
    std::vector<PreviewPhase> phases_;
    std::size_t phase_ = 0;
    QTimer timer_;
};

} // namespace lumavert
