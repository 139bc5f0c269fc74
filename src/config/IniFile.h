// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumavert {

/// An INI text read and written with the platform's private profile rules: section and key
/// names compare without regard to case, the first of duplicate sections or keys wins, a line
/// in a section without '=' is a key with an empty value, names and values are read without
/// the blanks around them (space, TAB, CR, LF, VT, FF and ^Z), a value ends at a NUL byte, and a
/// write touches only its own key's line: every other byte stays as it was.
class IniFile {
  public:
    /// Longest value a read returns; the platform reads through a 1024-byte buffer.
    static constexpr std::size_t kMaxValueLength = 1023;
    /// Longest text read; what follows is ignored. Files read are far smaller.
    static constexpr std::size_t kMaxTextSize = (std::size_t{1} << 30) - 1;

    IniFile() = default;
    /// Accepts LF, CRLF and CR line ends, a UTF-8 byte order mark, blank and `;` comment lines.
    /// Keeps the text and 8 bytes per line (one record for a run of blank or other lines).
    explicit IniFile(std::string text);

    /// The key's value, or "" when the section or the key is missing.
    std::string value(std::string_view section, std::string_view key) const;

    /// Replaces the key's value in place, or appends the key at the end of its section, and the
    /// section at the end of the text when it is missing.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    /// The whole text. Written lines keep their line end; new ones end as the text's first line
    /// does, with CRLF in a text without line ends.
    std::string text() const;

  private:
    enum class LineKind : std::uint32_t { Blank, Other, Section, Key };
    /// A line of text_ with its line end, or a run of blank lines or of other lines. Changed and
    /// new lines are appended to text_.
    struct Line {
        std::uint32_t start = 0;
        std::uint32_t size : 30 = 0;
        std::uint32_t kindBits : 2 = 0;

        LineKind kind() const { return static_cast<LineKind>(kindBits); }
    };
    using LineIndex = std::vector<Line>::size_type;

    std::string_view textOf(const Line& line) const;
    /// Appends a line's text, with `lineEnd`, to text_.
    Line append(std::string_view text, LineKind kind, std::string_view lineEnd);
    /// Inserts a new key or section line; the line before it gets a line end if it has none.
    void insert(LineIndex at, std::string_view text, LineKind kind);
    /// Index of the first header named `section`, or the line count when there is none.
    LineIndex findSection(std::string_view section) const;
    /// Index one past the section's last line.
    LineIndex sectionEnd(LineIndex header) const;
    /// Index of the first key line named `key` in the section, or `sectionEnd` when missing.
    LineIndex findKey(LineIndex header, std::string_view key) const;

    std::string text_;
    std::vector<Line> lines_;
    std::string lineEnd_ = "\r\n";
    bool byteOrderMark_ = false;
};

} // namespace lumavert
