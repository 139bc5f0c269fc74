#include "controls/TextPlacement.h"

namespace lumavert {

Qt::Alignment toQtHorizontal(int horizontal) {
    if (horizontal == AlignLeft) {
        return Qt::AlignLeft;
    }
    if (horizontal == AlignRight) {
        return Qt::AlignRight;
    }
    return Qt::AlignHCenter;
}

} // namespace lumavert
