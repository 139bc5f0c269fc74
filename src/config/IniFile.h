#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumavert {

/// An INI text read and written with the platform's private profile rules: section and key
/// names compare without regard to case, the first of duplicate sections or keys wins, values
/// are read without surrounding blanks, and a write touches only its own key's line.
class IniFile {
  public:
    /// Longest value a read returns; the platform reads through a 1024-byte buffer.
    static constexpr std::size_t kMaxValueLength = 1023;

    IniFile() = default;
    /// Accepts LF, CRLF and CR line ends, a UTF-8 byte order mark, blank and `;` comment lines.
    explicit IniFile(std::string_view text);

    /// The key's value, or "" when the section or the key is missing.
    std::string value(std::string_view section, std::string_view key) const;

    /// Replaces the key's value in place, or appends the key at the end of its section, and the
    /// section at the end of the text when it is missing.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    /// The whole text with CRLF line ends; lines never written keep their text.
    std::string text() const;

  private:
    enum class LineKind { Other, Section, Key };
    struct Line {
        std::string text;
        LineKind kind = LineKind::Other;
        std::string name; ///< section or key name, trimmed
        std::string value;
    };
    using LineIndex = std::vector<Line>::size_type;

    static Line parseLine(std::string_view text);
    /// Index of the first header named `section`, or the line count when there is none.
    LineIndex findSection(std::string_view section) const;
    /// Index one past the section's last line.
    LineIndex sectionEnd(LineIndex header) const;
    /// Index of the first key line named `key` in the section, or `sectionEnd` when missing.
    LineIndex findKey(LineIndex header, std::string_view key) const;

    std::vector<Line> lines_;
    bool byteOrderMark_ = false;
};

} // namespace lumavert
