// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/NoticeDialog.h"

#include "controls/CellFont.h"
#include "controls/ColorRef.h"
#include "controls/LinkLabel.h"
#include "controls/QtText.h"
#include "i18n/TextCatalogue.h"

namespace lumavert {

NoticeDialog::NoticeDialog(QWidget* parent, const QString& hint)
    : SkinnedDialog(parent) {
    setObjectName(QStringLiteral("noticeDialog"));
    placeMessage(QRect(24, 104, 366, 54), qtText(Text::DeviceNotDetected));
    if (!hint.isEmpty()) {
        const QFont hintFont = cellFont(QStringLiteral("Arial"), 14);
        auto* hintLabel = new LinkLabel(this);
        hintLabel->setObjectName(QStringLiteral("hintLabel"));
        hintLabel->SetText(hint);
        hintLabel->SetAlignment(AlignCentre, AlignTop);
        hintLabel->SetTextColour(kBlack);
        hintLabel->SetBackColour(kLightGrey);
        hintLabel->SetFontFrom(&hintFont);
        hintLabel->setGeometry(24, 38, 352, 64); // below the title band, above the message
    }
    setOkVisible(true);
}

} // namespace lumavert
