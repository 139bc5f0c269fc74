#include "rows/PickerItem.h"

#include "controls/QtText.h"

namespace lumavert {
namespace {} // namespace

ItemTable makeItemTable() {
    const QString percent = QStringLiteral("%");
    const QString hertz = QStringLiteral("HZ");
    const QString minutes = QStringLiteral("min");
    const QString ms = QStringLiteral("ms");
    return {
        {ItemBrightness, {qtText(Text::Brightness), percent, 0, 1, 100, 1, 1}},
        {ItemFrequency, {qtText(Text::Frequency), hertz, 0, 1, 40, 1, 1}},
        {ItemCustomize, {qtText(Text::Customize), minutes, 0, 0, 10, 1, 1}},
        {ItemSos, {qtText(Text::SosItem), minutes, 0, 0, 10, 1, 1}},
        {ItemLighting, {qtText(Text::LightingDuration), ms, 0, 50, 3000, 50, 1}},
        {ItemDimming, {qtText(Text::DimmingDuration), ms, 0, 50, 3000, 50, 1}},
        {ItemInsert, {qtText(Text::Insert), {}, 0, 0, 0, 0, 0}},
        {ItemDelete, {qtText(Text::Delete), {}, 0, 0, 0, 0, 0}},
    };
}

} // namespace lumavert
