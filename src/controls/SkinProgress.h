// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QPixmap>
#include <QWidget>

#include <cstdint>

namespace lumavert {

/// Range and position of a progress bar.
struct ProgressRange {
    int min = 0;
    int max = 0;
    int pos = 0;
};

/// Where the fill ends on a bar `width` pixels wide: leftMargin at min, width - rightMargin at
/// max, truncated; kept within 0..width. An empty range (min >= max) leaves the bar empty.
int edgeX(const ProgressRange& range, int width, int leftMargin, int rightMargin);

/// (pos - min) * 100 / (max - min), truncated; 0 for an empty range.
int percentage(const ProgressRange& range);

/// A progress bar painted from an empty-track picture and a fill picture, with the progress
/// written over it as a whole percentage such as "75%".
class SkinProgress : public QWidget {
    Q_OBJECT

  public:
    explicit SkinProgress(QWidget* parent = nullptr);

    /// Loads both pictures and sizes the bar to the empty one; false at the first missing one.
    bool LoadBitmaps(int emptyId, int fillId);
    void SetMargins(int left, int right);
    /// Takes a copy of the font; null changes nothing.
    void SetFont(const QFont* source);
    void SetTextColour(std::uint32_t colour);
    /// Sets both ends; the position is not clamped again.
    void SetRange(int min, int max);
    /// Sets the position, clamped to at most max, then to at least min.
    void SetPos(int value);

    int pos() const { return range.pos; }
    /// The text the bar shows, e.g. "75%".
    QString percentText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::uint32_t textColour = 0x000000;
    QFont font;
    QPixmap emptyBitmap;
    QPixmap fillBitmap;
    int leftMargin = 0;
    int rightMargin = 0;
    ProgressRange range;
};

} // namespace lumavert
