// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/PermissionHint.h"

namespace lumavert {

std::string permissionAdvice() {
    return "install the udev rule packaging/70-lumavert.rules as " + std::string(kUdevRulePath) +
           ", then run 'sudo udevadm control --reload-rules && sudo udevadm trigger' and plug "
           "the light in again";
}

std::string permissionHint(const HidDeviceInfo& device) {
    return "No permission to open the light at " + device.path + ". To allow it, " +
           permissionAdvice() + ".";
}

} // namespace lumavert
