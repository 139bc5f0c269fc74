// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/KeptValueTips.h"

#include "controls/QtText.h"
#include "controls/ValueSlider.h"
#include "device/KeptValues.h"
#include "model/PanelContents.h"
#include "model/PickerRules.h"
#include "rows/PickerRow.h"

#include <QEvent>
#include <QStringList>

namespace lumavert {

namespace {

RowContent contentOf(const PickerRow& row, const ModeSet& modes, const ViewState& view) {
    const auto k = static_cast<std::size_t>(row.controlId() - 1);
    if (row.rowType() == RowTypeMode) {
        const ModePanelContent panel = modePanelContent(modes, view);
        return k < panel.rows.size() ? panel.rows[k] : RowContent{};
    }
    const StepPanelContent panel = stepPanelContent(modes, view);
    return k < panel.rows.size() ? panel.rows[k] : RowContent{};
}

QString unitOf(const PickerRow& row) {
    return QString::fromLatin1(itemRange(row.currentKey()).unit);
}

} // namespace

KeptValueTips::KeptValueTips(const ModeSet& modes, const ViewState& view, QObject* parent)
    : QObject(parent)
    , modes_(modes)
    , view_(view) {}

void KeptValueTips::watchRow(PickerRow* row) {
    row->valueBar()->installEventFilter(this);
}

QString KeptValueTips::tipFor(const PickerRow& row) const {
    const RowContent content = contentOf(row, modes_, view_);
    if (!content.visible || content.modePosition >= modeCount(modes_)) {
        return {};
    }
    const KeptChange change =
        keptChange(modes_[static_cast<std::size_t>(content.modePosition)], content.entryIndex);
    QStringList lines;
    if (change.value) {
        lines << qtText(Text::KeptValue).arg(QString::number(*change.value) + unitOf(row));
    }
    if (change.entryDropped) {
        lines << qtText(Text::KeptEntryDropped);
    }
    if (change.sosMarkDropped) {
        lines << qtText(Text::SosMarkDropped);
    }
    return lines.join(QLatin1Char('\n'));
}

bool KeptValueTips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* bar = static_cast<QWidget*>(watched);
        if (const auto* row = qobject_cast<const PickerRow*>(bar->parentWidget())) {
            bar->setToolTip(tipFor(*row));
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lumavert
