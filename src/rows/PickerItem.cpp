#include "rows/PickerItem.h"

#include "i18n/TextCatalogue.h"

namespace lumavert {
namespace {

QString name(Text entry) {
    return QString::fromStdString(lookupText(entry));
}

} // namespace

ItemTable makeItemTable() {
    const QString percent = QStringLiteral("%");
    const QString hertz = QStringLiteral("HZ");
    const QString minutes = QStringLiteral("min");
    const QString ms = QStringLiteral("ms");
    return {
        {ItemBrightness, {name(Text::Brightness), percent, 0, 1, 100, 1, 1}},
        {ItemFrequency, {name(Text::Frequency), hertz, 0, 1, 40, 1, 1}},
        {ItemCustomize, {name(Text::Customize), minutes, 0, 0, 10, 1, 1}},
        {ItemSos, {name(Text::SosItem), minutes, 0, 0, 10, 1, 1}},
        {ItemLighting, {name(Text::LightingDuration), ms, 0, 50, 3000, 50, 1}},
        {ItemDimming, {name(Text::DimmingDuration), ms, 0, 50, 3000, 50, 1}},
        {ItemInsert, {name(Text::Insert), {}, 0, 0, 0, 0, 0}},
        {ItemDelete, {name(Text::Delete), {}, 0, 0, 0, 0, 0}},
    };
}

} // namespace lumavert
