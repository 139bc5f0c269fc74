// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/HidBus.h"

namespace lumavert {

/// The system's HID interfaces through hidapi's hidraw backend. hidapi's calls that share its
/// global state (init, enumerate, open, close) are serialised behind one lock, so buses and
/// handles may be used from several threads.
class HidapiBus final : public HidBus {
  public:
    HidapiBus();
    ~HidapiBus() override;

    HidapiBus(const HidapiBus&) = delete;
    HidapiBus& operator=(const HidapiBus&) = delete;

    std::vector<HidDeviceInfo> enumerate() override;
    /// Tells a node this user may not open (EACCES, EPERM) from one that is gone (ENOENT).
    OpenResult open(const std::string& path) override;
};

} // namespace lumavert
