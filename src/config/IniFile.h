#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
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
    // The name and the value are kept as parts of the line's text, so that a file of many short
    // lines costs one string per line.
    struct Line {
        std::string text;
        LineKind kind = LineKind::Other;
        std::uint32_t nameStart = 0; ///< section or key name, trimmed
        std::uint32_t nameSize = 0;
        std::uint32_t valueStart = 0;
        std::uint32_t valueSize = 0;

        std::string_view name() const { return std::string_view(text).substr(nameStart, nameSize); }
        std::string_view value() const {
            return std::string_view(text).substr(valueStart, valueSize);
        }
    };
    using LineIndex = std::vector<Line>::size_type;

    static Line parseLine(std::string_view text);
    /// Index of the first header named `section`, or the line count when there is none.
    LineIndex findSection(std::string_view section) const;
    /// Index one past the section's last line.
    LineIndex sectionEnd(LineIndex header) const;
    /// Index of the first key line named `key` in the section, or `sectionEnd` when missing.
    LineIndex findKey(LineIndex header, std::string_view key) const;
    /// Records the line as its section's header unless an earlier header has the same name.
    void noteHeader(LineIndex index);
    /// Inserts a line; headers after it move down by one.
    void insertLine(LineIndex at, std::string_view text);

    /// Hashes and compares section names without regard to ASCII case, also as plain views.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const;
    };
    struct NameEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    std::vector<Line> lines_;
    /// The first header of each section by its name: big files are read with a few hundred
    /// lookups.
    std::unordered_map<std::string, LineIndex, NameHash, NameEqual> firstHeaders_;
    bool byteOrderMark_ = false;
};

} // namespace lumavert
