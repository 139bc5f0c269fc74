#pragma once

#include "i18n/TextCatalogue.h"

#include <QString>

namespace lumavert {

/// A catalogue entry in the current language, as the widgets take it.
inline QString qtText(Text entry) {
    return QString::fromStdString(lookupText(entry));
}

} // namespace lumavert
