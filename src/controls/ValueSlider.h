// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/TextPlacement.h"

#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <cstdint>

namespace lumavert {

/// What a value bar reports to its row, with the numbers the row dispatches on.
enum SliderMessage : int {
    SliderDrag = 0x46E,        ///< the value changed while dragging
    SliderPress = 0x46F,       ///< left button pressed, after a drag start was handled
    SliderDoubleClick = 0x470, ///< left button double-clicked
};

/// Geometry and range of a value bar: enough to place a value or to read one back.
struct SliderTrack {
    int width = 0;       ///< client width
    int margin = 0;      ///< free pixels at both ends, and above and below the marker
    int markerWidth = 0; ///< 0 without a marker
    int trackOffset = 0; ///< extra pixels before the track at the left
    double minimum = 0.0;
    double maximum = 0.0;
    double step = 0.0;
};

/// Track length: width - 2 * margin - marker width - track offset.
int trackSpan(const SliderTrack& track);

/// x of a value: minimum at margin + track offset + marker width / 2, maximum a span further,
/// truncated. An empty range (maximum <= minimum) puts every value at the start.
int positionOf(const SliderTrack& track, double value);

/// The value under x, rounded to the step as roundToStep does; not clamped. A track without
/// length or an empty range gives the minimum.
double valueAt(const SliderTrack& track, int x);

/// A horizontal value bar drawn from a background, a fill and an optional marker picture,
/// with the value and its unit written over it. Dragging the marker changes the value; drags,
/// presses and double-clicks are reported through messageSent as they happen.
class ValueSlider : public QWidget {
    Q_OBJECT

  public:
    explicit ValueSlider(QWidget* parent = nullptr);

    /// Loads the pictures (marker 0 = none) and sizes the bar to the background picture.
    /// Returns false at the first missing picture; later ones then stay released.
    bool SetBitmaps(int backgroundId, int fillId, int markerId);
    void SetTextColour(std::uint32_t colour);
    /// 0 = text centred in the filled part, 1 = in the whole bar, 2 = in the unfilled part.
    void SetTextPlacement(int placement);
    void SetMargin(int pixels);
    void SetTrackOffset(int pixels);
    void SetUnit(const QString& text);
    void SetDecimals(int count);
    void SetStep(double value);
    /// Takes a copy of the font; null changes nothing.
    void SetFontFrom(const QFont* source);
    /// Sets both ends; the value is not clamped again.
    void SetRange(double min, double max);
    /// Sets the value, clamped to at most the maximum, then to at least the minimum.
    void SetValue(double v);
    double GetValue() const { return value; }

    int PositionOf(double v) const;
    double ValueAt(int x) const;

    /// The text written over the bar, e.g. "75%" or "1500ms", and where it is written.
    QString valueText() const;
    TextPlace textPlace() const;
    /// Where a press starts a drag: the marker's columns over the full height.
    QRect markerRect() const;
    bool isDragging() const { return dragging; }

  signals:
    /// A SliderMessage with the current value truncated to an integer.
    void messageSent(int message, int value);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    SliderTrack track() const;
    QRect textRect(int position) const;
    void dragTo(int x);
    void send(SliderMessage message);

    bool dragging = false;
    std::uint32_t textColour = 0x000000;
    int textPlacement = 1;
    QFont font;
    QPixmap backgroundBitmap;
    QPixmap fillBitmap;
    QPixmap markerBitmap;
    int markerWidth = 0;
    int margin = 0;
    int trackOffset = 0;
    QString unit = QStringLiteral("%");
    int decimals = 0;
    double maximum = 0.0;
    double minimum = 0.0;
    double value = 0.0;
    double step = 0.0;
};

} // namespace lumavert
