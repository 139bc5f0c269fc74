#include "config/IniFile.h"

#include "i18n/AsciiCase.h"

namespace lumavert {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A plain loop: the library's search for a set of characters costs a call per character.
std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The platform drops one pair of matching quotes around a value.
std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Calls `take` with each line of the text, without its line end.
template <typename Take>
void forEachLine(std::string_view text, Take take) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        take(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        take(text.substr(start));
    }
}

} // namespace

IniFile::IniFile(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) {
        byteOrderMark_ = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    std::size_t count = 0;
    forEachLine(text, [&](std::string_view) { ++count; });
    lines_.reserve(count);
    forEachLine(text, [&](std::string_view line) {
        lines_.push_back(parseLine(line));
        noteHeader(lines_.size() - 1);
    });
}

IniFile::Line IniFile::parseLine(std::string_view text) {
    Line line;
    line.text = text;
    const std::string_view whole = line.text;
    // Where a part of the line's text starts; an empty part may have no place in it.
    const auto offset = [&](std::string_view part) {
        return part.empty() ? 0 : static_cast<std::uint32_t>(part.data() - whole.data());
    };
    const std::string_view content = trimmed(whole);
    std::string_view name;
    std::string_view value;
    if (content.starts_with('[')) {
        const auto close = content.rfind(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            name = trimmed(content.substr(1, close - 1));
        }
    } else if (!content.starts_with(';')) {
        const auto equals = content.find('=');
        if (equals != std::string_view::npos) {
            line.kind = LineKind::Key;
            name = trimmed(content.substr(0, equals));
            value = unquoted(trimmed(content.substr(equals + 1)));
        }
    }
    line.nameStart = offset(name);
    line.nameSize = static_cast<std::uint32_t>(name.size());
    line.valueStart = offset(value);
    line.valueSize = static_cast<std::uint32_t>(value.size());
    return line;
}

std::size_t IniFile::NameHash::operator()(std::string_view name) const {
    std::uint64_t hash = 14695981039346656037u; // FNV-1a
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(asciiLower(c))) * 1099511628211u;
    }
    return static_cast<std::size_t>(hash);
}

bool IniFile::NameEqual::operator()(std::string_view a, std::string_view b) const {
    return equalsIgnoringAsciiCase(a, b);
}

void IniFile::noteHeader(LineIndex index) {
    const Line& line = lines_[index];
    if (line.kind == LineKind::Section && !firstHeaders_.contains(line.name())) {
        firstHeaders_.emplace(line.name(), index);
    }
}

void IniFile::insertLine(LineIndex at, std::string_view text) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), parseLine(text));
    for (auto& [name, header] : firstHeaders_) {
        if (header >= at) {
            ++header;
        }
    }
}

IniFile::LineIndex IniFile::findSection(std::string_view section) const {
    const auto found = firstHeaders_.find(section);
    return found == firstHeaders_.end() ? lines_.size() : found->second;
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
        if (lines_[i].kind == LineKind::Key && equalsIgnoringAsciiCase(lines_[i].name(), key)) {
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
    return std::string(lines_[found].value().substr(0, kMaxValueLength));
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const LineIndex header = findSection(section);
    if (header == lines_.size()) {
        lines_.push_back(parseLine("[" + std::string(section) + "]"));
        noteHeader(header);
        lines_.push_back(parseLine(std::string(key) + "=" + std::string(value)));
        return;
    }
    const LineIndex found = findKey(header, key);
    if (found != sectionEnd(header)) {
        // Keep the name as the file spells it.
        lines_[found] = parseLine(std::string(lines_[found].name()) + "=" + std::string(value));
        return;
    }
    // Append after the section's last non-blank line, so a blank separator stays in place.
    LineIndex insertAt = found;
    while (insertAt > header + 1 && trimmed(lines_[insertAt - 1].text).empty()) {
        --insertAt;
    }
    insertLine(insertAt, std::string(key) + "=" + std::string(value));
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
