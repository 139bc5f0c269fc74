// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace lumavert {

/// Which modes and Steps the two panels show and which are selected. -1 means none.
struct ViewState {
    std::int32_t modeTop = -1;       ///< position shown in the first of the five mode rows
    std::int32_t selectedMode = -1;  ///< position whose Steps fill the step panel
    std::int32_t testedMode = -1;    ///< position last sent to the light by Test
    std::int32_t entryTop = -1;      ///< entry shown in the lighting row; always even
    std::int32_t selectedEntry = -1; ///< entry position of the selected step row

    bool operator==(const ViewState&) const = default;
};

inline constexpr int kModeRows = 5;
inline constexpr int kStepRows = 2;

/// Row types, sent with every row notification.
enum RowType : int { RowTypeMode = 1, RowTypeStep = 2 };

/// Notifications a row posts to the main window, with their message numbers.
enum RowNotice : int {
    NoticeInsert = 0x464,       ///< "(Insert)" chosen
    NoticeDelete = 0x465,       ///< "(Delete)" chosen
    NoticeKindChanged = 0x466,  ///< an item of the row chosen; the record is already changed
    NoticeSos = 0x467,          ///< "(S.O.S)" chosen; kind 3 and sos 1 are already set
    NoticeValuePressed = 0x468, ///< the value bar pressed
};

/// Scroll codes of a vertical scroll bar.
enum ScrollCode : int {
    ScrollLineUp = 0,
    ScrollLineDown = 1,
    ScrollPageUp = 2,
    ScrollPageDown = 3,
    ScrollThumbTrack = 5,
};

/// Panels an operation asks to redraw.
enum class Refresh : unsigned {
    None = 0,
    ModePanel = 1,
    StepPanel = 2,
    Both = 3,
};

constexpr Refresh operator|(Refresh a, Refresh b) {
    return static_cast<Refresh>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool includes(Refresh set, Refresh panel) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(panel)) != 0;
}

} // namespace lumavert
