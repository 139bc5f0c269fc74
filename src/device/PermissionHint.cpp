#include "device/PermissionHint.h"

namespace lumavert {

std::string permissionHint(const HidDeviceInfo& device) {
    return "No permission to open the light at " + device.path +
           ". Install the udev rule 70-lumavert.rules as " + kUdevRulePath +
           " (a package does this), then run 'sudo udevadm control --reload-rules && sudo "
           "udevadm trigger' or plug the light in again.";
}

} // namespace lumavert
