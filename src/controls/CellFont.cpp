#include "controls/CellFont.h"

#include <QFontMetrics>

namespace lumavert {

QFont cellFont(const QString& face, int cellHeight) {
    QFont font(face);
    int pixels = cellHeight > 1 ? cellHeight : 1;
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > cellHeight) {
        font.setPixelSize(--pixels);
    }
    return font;
}

} // namespace lumavert
