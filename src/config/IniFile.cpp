#include "config/IniFile.h"

#include "i18n/AsciiCase.h"

#include <algorithm>

namespace lumavert {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The platform drops one pair of matching quotes around a value.
std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

} // namespace

IniFile::IniFile(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) {
        byteOrderMark_ = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    for (std::string_view line : splitLines(text)) {
        lines_.push_back(parseLine(line));
    }
}

IniFile::Line IniFile::parseLine(std::string_view text) {
    Line line;
    line.text = text;
    const std::string_view content = trimmed(text);
    if (content.starts_with('[')) {
        const auto close = content.rfind(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            line.name = trimmed(content.substr(1, close - 1));
        }
    } else if (!content.starts_with(';')) {
        const auto equals = content.find('=');
        if (equals != std::string_view::npos) {
            line.kind = LineKind::Key;
            line.name = trimmed(content.substr(0, equals));
            line.value = unquoted(trimmed(content.substr(equals + 1)));
        }
    }
    return line;
}

IniFile::LineIndex IniFile::findSection(std::string_view section) const {
    const auto found = std::ranges::find_if(lines_, [&](const Line& line) {
        return line.kind == LineKind::Section && equalsIgnoringAsciiCase(line.name, section);
    });
    return static_cast<LineIndex>(found - lines_.begin());
}

IniFile::LineIndex IniFile::sectionEnd(LineIndex header) const {
    LineIndex end = header + 1;
    while (end < lines_.size() && lines_[end].kind != LineKind::Section) {
        ++end;
    }
    return end;
}

IniFile::LineIndex IniFile::findKey(LineIndex header, std::string_view key) const {
    const LineIndex end = sectionEnd(header);
    for (LineIndex i = header + 1; i < end; ++i) {
        if (lines_[i].kind == LineKind::Key && equalsIgnoringAsciiCase(lines_[i].name, key)) {
            return i;
        }
    }
    return end;
}

std::string IniFile::value(std::string_view section, std::string_view key) const {
    const LineIndex header = findSection(section);
    if (header == lines_.size()) {
        return {};
    }
    const LineIndex found = findKey(header, key);
    if (found == sectionEnd(header)) {
        return {};
    }
    return lines_[found].value.substr(0, kMaxValueLength);
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const LineIndex header = findSection(section);
    if (header == lines_.size()) {
        lines_.push_back(parseLine("[" + std::string(section) + "]"));
        lines_.push_back(parseLine(std::string(key) + "=" + std::string(value)));
        return;
    }
    const LineIndex found = findKey(header, key);
    if (found != sectionEnd(header)) {
        // Keep the name as the file spells it.
        lines_[found] = parseLine(lines_[found].name + "=" + std::string(value));
        return;
    }
    // Append after the section's last non-blank line, so a blank separator stays in place.
    LineIndex insertAt = found;
    while (insertAt > header + 1 && trimmed(lines_[insertAt - 1].text).empty()) {
        --insertAt;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  parseLine(std::string(key) + "=" + std::string(value)));
}

std::string IniFile::text() const {
    std::string text(byteOrderMark_ ? kByteOrderMark : std::string_view{});
    for (const Line& line : lines_) {
        text += line.text;
        text += "\r\n";
    }
    return text;
}

} // namespace lumavert
