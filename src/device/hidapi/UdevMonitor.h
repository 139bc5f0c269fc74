// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "device/DeviceMonitor.h"

#include <string_view>

struct udev;
struct udev_monitor;

namespace lumavert {

/// The device-change code of a udev action on a hidraw node: "add" arrival, "remove" removal,
/// "change" nodes changed (e.g. after `udevadm trigger`); 0 for anything else.
int deviceEventForAction(std::string_view action);

/// Arrival and removal of hidraw nodes from udev. It listens to udev's own events, which come
/// after the rules (and the access rights they grant) have been applied. Without a running
/// udev daemon it is created fine and never reports anything.
///
/// The owner watches fd() (a QSocketNotifier, for one) and calls drain() whenever it is
/// readable; drain() calls the callback on the calling thread. Events that came before start()
/// or after stop() are read and dropped.
class UdevMonitor final : public DeviceMonitor {
  public:
    UdevMonitor();
    ~UdevMonitor() override;

    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    /// False when udev cannot be watched here.
    bool start(Callback onChange) override;
    void stop() override;

    /// The non-blocking socket to watch for reading; -1 when udev cannot be watched.
    int fd() const;
    /// Reads every pending event and passes those of hidraw nodes to the callback.
    void drain();

  private:
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    Callback onChange_;
};

} // namespace lumavert
