// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace lumavert {

/// Length of the longest output report a HID report descriptor declares, with the report id
/// byte counted as the HID capabilities count it (also for unnumbered reports); 0 when the
/// descriptor declares no output report. A malformed tail is ignored.
int outputReportLength(std::span<const std::uint8_t> descriptor);

/// The same for a hidraw node such as "/dev/hidraw3", from its descriptor in sysfs (readable
/// without opening the node); 0 when it cannot be read.
int outputReportLengthOfNode(const std::string& devnode);

} // namespace lumavert
