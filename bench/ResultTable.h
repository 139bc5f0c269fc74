// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumavert {

/// One line of the benchmark table.
struct ResultRow {
    std::string measurement;
    std::string result;
    std::string target;      ///< empty when the line only informs
    std::optional<bool> met; ///< nothing when there is no target
};

/// The table bench/run.sh prints and the README shows.
class ResultTable {
  public:
    void add(ResultRow row) { rows_.push_back(std::move(row)); }
    /// A line under the table, e.g. the machine it was measured on.
    void addNote(std::string note) { notes_.push_back(std::move(note)); }

    /// A markdown table with a column saying whether each target was met, then the notes.
    std::string markdown() const;
    /// True when no row missed its target.
    bool allTargetsMet() const;

  private:
    std::vector<ResultRow> rows_;
    std::vector<std::string> notes_;
};

/// `value` with `decimals` digits after the point, e.g. formatNumber(3.14159, 1) == "3.1".
std::string formatNumber(double value, int decimals);
/// Kilobytes as mebibytes with one decimal, e.g. "34.8 MiB".
std::string formatMebibytes(double kb);

} // namespace lumavert
