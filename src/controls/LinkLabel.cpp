// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/LinkLabel.h"

#include "controls/CellFont.h"
#include "controls/ColorRef.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <utility>

namespace lumavert {
namespace {

void openWithDesktop(const QString& link) {
    QDesktopServices::openUrl(QUrl::fromUserInput(link));
}

LinkLabel::Opener& currentOpener() {
    static LinkLabel::Opener opener = openWithDesktop;
    return opener;
}

} // namespace

LinkLabel::LinkLabel(QWidget* parent)
    : QWidget(parent)
    , font(cellFont(QStringLiteral("Arial"), 14)) {}

void LinkLabel::SetText(const QString& text) {
    labelText = text;
}

void LinkLabel::SetTextColour(std::uint32_t colour) {
    textColour = colour;
}

void LinkLabel::SetBackColour(std::uint32_t colour) {
    backColour = colour;
}

void LinkLabel::SetIndent(int pixels) {
    indent = pixels;
}

void LinkLabel::SetLink(const QString& link) {
    linkTarget = link;
}

void LinkLabel::SetAlignment(int h, int /*vertical*/) {
    horizontal = h;
}

void LinkLabel::SetFontFrom(const QFont* source) {
    if (source != nullptr) {
        font = *source;
    }
}

LinkLabel::Opener LinkLabel::SetOpener(Opener opener) {
    return std::exchange(currentOpener(), opener ? std::move(opener) : openWithDesktop);
}

QRect LinkLabel::textRect() const {
    if (horizontal == AlignLeft) {
        return rect().adjusted(indent, 0, 0, 0);
    }
    if (horizontal == AlignRight) {
        return rect().adjusted(0, 0, -indent, 0);
    }
    return rect();
}

TextPlace LinkLabel::textPlace() const {
    return {textRect(),
            static_cast<int>(toQtHorizontal(horizontal) | Qt::AlignTop | Qt::TextWordWrap), font};
}

void LinkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), fromColorRef(backColour));
    const TextPlace place = textPlace();
    painter.setFont(place.fittedFont(labelText));
    painter.setPen(fromColorRef(textColour));
    painter.drawText(place.box, place.flags, labelText);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    // Only a label with a link takes the press, so that the release comes back to it; other
    // labels let presses through to the window beneath.
    event->setAccepted(event->button() == Qt::LeftButton && !linkTarget.isEmpty());
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    // The release comes here wherever the pointer went: moving off first is a change of mind.
    if (event->button() == Qt::LeftButton && !linkTarget.isEmpty() &&
        rect().contains(event->position().toPoint())) {
        currentOpener()(linkTarget);
    }
}

} // namespace lumavert
