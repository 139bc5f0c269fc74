// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/PermissionHint.h"

#include "i18n/TextCatalogue.h"

namespace lumavert {

std::string permissionAdvice() {
    return "install the udev rule packaging/70-lumavert.rules as " + std::string(kUdevRulePath) +
           ", then run 'sudo udevadm control --reload-rules && sudo udevadm trigger' and plug "
           "the light in again";
}

std::string permissionHint(const HidDeviceInfo& device) {
    std::string hint = lookupText(Text::PermissionHint);
    hint.replace(hint.find("%2"), 2, kUdevRulePath);
    return hint.replace(hint.find("%1"), 2, device.path);
}

} // namespace lumavert
