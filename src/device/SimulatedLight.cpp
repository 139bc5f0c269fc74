// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device/SimulatedLight.h"

#include "device/DeviceImageCodec.h"
#include "device/ImageFile.h"
#include "model/Presets.h"

namespace lumavert {

VirtualLight* addSimulatedLight(VirtualBus& bus,
                                const std::optional<std::filesystem::path>& memoryFile,
                                std::string& error) {
    DeviceImage image;
    std::error_code status;
    if (memoryFile && std::filesystem::exists(*memoryFile, status)) {
        if (!readImageFile(*memoryFile, image, error)) {
            return nullptr;
        }
    } else if (status) {
        error = memoryFile->string() + ": " + status.message();
        return nullptr;
    } else {
        ModeSet factory;
        applyPreset(Preset::Factory, factory);
        encodeDeviceImage(factory, image);
    }
    VirtualLight& light = bus.addLight();
    light.setMemory(image);
    if (memoryFile) {
        light.saveMemoryTo(*memoryFile);
    }
    return &light;
}

} // namespace lumavert
