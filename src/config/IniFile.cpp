// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "config/IniFile.h"

#include "i18n/AsciiCase.h"

#include <algorithm>

namespace lumavert {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// What the platform trims around names and values; ^Z is a DOS end-of-file mark.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
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

bool isSectionHeader(std::string_view content) {
    return content.starts_with('[') && content.find(']') != std::string_view::npos;
}

std::string_view sectionName(std::string_view line) {
    const std::string_view content = trimmed(line);
    return trimmed(content.substr(1, content.rfind(']') - 1));
}

std::string_view keyName(std::string_view line) {
    const std::string_view content = trimmed(line);
    return trimmed(content.substr(0, content.find('=')));
}

std::string_view keyValue(std::string_view line) {
    const std::string_view content = trimmed(line);
    const auto equals = content.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    const std::string_view value = content.substr(equals + 1);
    return unquoted(trimmed(value.substr(0, value.find('\0'))));
}

bool hasLineEnd(std::string_view line) {
    return line.ends_with('\n') || line.ends_with('\r');
}

// Calls `take` with each line of the text and its line end (LF, CRLF or CR).
template <typename Take>
void forEachLine(std::string_view text, Take take) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        take(text.substr(start, i + 1 - start));
        start = i + 1;
    }
    if (start < text.size()) {
        take(text.substr(start));
    }
}

} // namespace

IniFile::IniFile(std::string text)
    : text_(std::move(text)) {
    text_.resize(std::min(text_.size(), kMaxTextSize));
    std::string_view body = text_;
    if (body.starts_with(kByteOrderMark)) {
        byteOrderMark_ = true;
        body.remove_prefix(kByteOrderMark.size());
    }
    // Two passes: the first counts the records, so that the list is allocated once.
    const auto eachRecord = [&](auto take) {
        bool inSection = false;
        bool previousJoins = false;
        LineKind previous = LineKind::Blank;
        forEachLine(body, [&](std::string_view line) {
            const std::string_view content = trimmed(line);
            LineKind kind = LineKind::Key;
            if (content.empty()) {
                kind = LineKind::Blank;
            } else if (isSectionHeader(content)) {
                kind = LineKind::Section;
                inSection = true;
            } else if (!inSection || content.starts_with(';')) {
                kind = LineKind::Other;
            }
            // Runs of blank lines and runs of other lines are one record each.
            const bool joins = kind == LineKind::Blank || kind == LineKind::Other;
            take(line, kind, joins && previousJoins && kind == previous);
            previousJoins = joins;
            previous = kind;
        });
    };
    std::size_t records = 0;
    eachRecord([&](std::string_view, LineKind, bool joined) { records += joined ? 0 : 1; });
    lines_.reserve(records);
    eachRecord([&](std::string_view line, LineKind kind, bool joined) {
        const auto start = static_cast<std::uint32_t>(line.data() - text_.data());
        if (joined) {
            lines_.back().size = start + line.size() - lines_.back().start;
        } else {
            lines_.push_back(
                {start, static_cast<std::uint32_t>(line.size()), static_cast<std::uint32_t>(kind)});
        }
    });
    // New lines end as the file's lines do.
    const std::size_t end = body.find_first_of("\r\n");
    if (end != std::string_view::npos) {
        lineEnd_ = body.substr(end, body.substr(end, 2) == "\r\n" ? 2 : 1);
    }
}

std::string_view IniFile::textOf(const Line& line) const {
    return std::string_view(text_).substr(line.start, line.size);
}

IniFile::Line IniFile::append(std::string_view text, LineKind kind, std::string_view lineEnd) {
    const Line line{static_cast<std::uint32_t>(text_.size()),
                    static_cast<std::uint32_t>(text.size() + lineEnd.size()),
                    static_cast<std::uint32_t>(kind)};
    text_ += text;
    text_ += lineEnd;
    return line;
}

void IniFile::insert(LineIndex at, std::string_view text, LineKind kind) {
    if (at > 0 && !hasLineEnd(textOf(lines_[at - 1]))) {
        const Line before = lines_[at - 1];
        const std::string copy(textOf(before));
        lines_[at - 1] = append(copy, before.kind(), lineEnd_);
    }
    const Line line = append(text, kind, lineEnd_);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
}

IniFile::LineIndex IniFile::findSection(std::string_view section) const {
    for (LineIndex i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind() == LineKind::Section &&
            equalsIgnoringAsciiCase(sectionName(textOf(lines_[i])), section)) {
            return i;
        }
    }
    return lines_.size();
}

IniFile::LineIndex IniFile::sectionEnd(LineIndex header) const {
    LineIndex end = header + 1;
    while (end < lines_.size() && lines_[end].kind() != LineKind::Section) {
        ++end;
    }
    return end;
}

IniFile::LineIndex IniFile::findKey(LineIndex header, std::string_view key) const {
    const LineIndex end = sectionEnd(header);
    for (LineIndex i = header + 1; i < end; ++i) {
        if (lines_[i].kind() == LineKind::Key &&
            equalsIgnoringAsciiCase(keyName(textOf(lines_[i])), key)) {
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
    return std::string(keyValue(textOf(lines_[found])).substr(0, kMaxValueLength));
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string keyLine = std::string(key) + "=" + std::string(value);
    const LineIndex header = findSection(section);
    if (header == lines_.size()) {
        insert(lines_.size(), "[" + std::string(section) + "]", LineKind::Section);
        insert(lines_.size(), keyLine, LineKind::Key);
        return;
    }
    const LineIndex found = findKey(header, key);
    if (found != sectionEnd(header)) {
        // Keep the name as the file spells it, and the line's own line end.
        // Copies: appending may move the text.
        const std::string_view old = textOf(lines_[found]);
        const std::string lineEnd(old.substr(old.find_last_not_of("\r\n") + 1));
        const std::string name(keyName(old));
        lines_[found] = append(name + "=" + std::string(value), LineKind::Key, lineEnd);
        return;
    }
    // Append after the section's last non-blank line, so a blank separator stays in place.
    LineIndex insertAt = found;
    while (insertAt > header + 1 && lines_[insertAt - 1].kind() == LineKind::Blank) {
        --insertAt;
    }
    insert(insertAt, keyLine, LineKind::Key);
}

std::string IniFile::text() const {
    std::string text(byteOrderMark_ ? kByteOrderMark : std::string_view{});
    text.reserve(text.size() + text_.size());
    for (const Line& line : lines_) {
        text += textOf(line);
    }
    return text;
}

} // namespace lumavert
