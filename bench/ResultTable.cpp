// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ResultTable.h"

#include <algorithm>
#include <iomanip>
#include <sstream>

namespace lumavert {

namespace {

std::string verdict(const std::optional<bool>& met) {
    if (!met) {
        return "";
    }
    return *met ? "yes" : "**no**";
}

} // namespace

std::string ResultTable::markdown() const {
    std::ostringstream text;
    text << "| Measurement | Result | Target | Met |\n|---|---|---|---|\n";
    for (const ResultRow& row : rows_) {
        text << "| " << row.measurement << " | " << row.result << " | " << row.target << " | "
             << verdict(row.met) << " |\n";
    }
    for (const std::string& note : notes_) {
        text << '\n' << note << '\n';
    }
    return text.str();
}

std::string formatMebibytes(double kb) {
    return formatNumber(kb / 1024.0, 1) + " MiB";
}

bool ResultTable::allTargetsMet() const {
    return std::none_of(rows_.begin(), rows_.end(),
                        [](const ResultRow& row) { return row.met == false; });
}

std::string formatNumber(double value, int decimals) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}

} // namespace lumavert
