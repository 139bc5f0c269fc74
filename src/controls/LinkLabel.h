// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/TextPlacement.h"

#include <QFont>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

namespace lumavert {

/// A text label on its own solid background that, when it has a link, opens it on a click.
/// The text is word-wrapped and laid out from the top of the label in its horizontal
/// placement. Setters do not repaint: call update().
class LinkLabel : public QWidget {
    Q_OBJECT

  public:
    /// Opens a link (a web address or a file). The default hands it to the desktop.
    using Opener = std::function<void(const QString& link)>;

    explicit LinkLabel(QWidget* parent = nullptr);

    void SetText(const QString& text);
    void SetTextColour(std::uint32_t colour);
    void SetBackColour(std::uint32_t colour);
    /// Pixels kept free on the side the text is aligned to (left or right placement only).
    void SetIndent(int pixels);
    /// The address or file opened on a click; empty = clicks are ignored.
    void SetLink(const QString& link);
    /// horizontal 0 left, 1 centred, 2 right. The vertical placement (0 top, 4 centred,
    /// 8 bottom) is taken as the layout tables give it but, the text being word-wrapped,
    /// lines always start at the top.
    void SetAlignment(int horizontal, int vertical);
    /// Takes a copy of the font; null changes nothing.
    void SetFontFrom(const QFont* source);

    QString text() const { return labelText; }
    QString link() const { return linkTarget; }
    /// The rectangle the text is laid out in, and how it is written there.
    QRect textRect() const;
    TextPlace textPlace() const;

    /// Replaces the opener of every label (tests use this); returns the one it replaces.
    static Opener SetOpener(Opener opener);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    std::uint32_t backColour = 0xFFFFFF;
    std::uint32_t textColour = 0x000000;
    int horizontal = AlignCentre;
    QFont font;
    QString labelText;
    int indent = 0;
    QString linkTarget;
};

} // namespace lumavert
