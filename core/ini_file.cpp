// SPDX-License-Identifier: MIT
#include "core/ini_file.h"

#include <cctype>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "bank/error.h"
#include "bank/gbk.h"
#include "core/files.h"
#include "core/text.h"

namespace zuvo {
namespace {

struct Line {
    std::string text;  // without its line break
    std::string eol;   // "\r\n", "\n" or "" for a last line without one
};

std::optional<std::string> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<Line> splitLines(const std::string& bytes) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t newline = bytes.find('\n', start);
        if (newline == std::string::npos) {
            lines.push_back({bytes.substr(start), ""});
            break;
        }
        const bool crlf = newline > start && bytes[newline - 1] == '\r';
        lines.push_back({bytes.substr(start, newline - start - (crlf ? 1 : 0)), crlf ? "\r\n" : "\n"});
        start = newline + 1;
    }
    return lines;
}

bool isAscii(const std::string& s) {
    for (unsigned char c : s) {
        if (c >= 0x80) return false;
    }
    return true;
}

// Names compare without regard to case as far as they are ASCII; in GBK a trail byte may look like a letter,
// so other names compare byte for byte.
bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    if (!isAscii(a) || !isAscii(b)) return a == b;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// The first "]" after the opening one that is a character of its own: in GBK, "]" is also the second byte of
// some characters (胅 is C3 5D), which would cut their section's name short.
size_t closingBracket(const std::string& text) {
    for (size_t i = 1; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == ']') return i;
        if (c >= 0x81 && c <= 0xFE) ++i;
    }
    return std::string::npos;
}

// "[name]" gives the name; anything else gives nothing.
std::optional<std::string> sectionOf(const std::string& line) {
    const std::string text = trim(line);
    if (text.size() < 2 || text.front() != '[') return std::nullopt;
    const size_t close = closingBracket(text);
    if (close == std::string::npos) return std::nullopt;
    return trim(std::string_view(text).substr(1, close - 1));
}

bool isComment(const std::string& line) {
    const std::string text = trim(line);
    return !text.empty() && (text.front() == ';' || text.front() == '#');
}

// "key=value" gives the key; a comment or a line without "=" gives nothing.
std::optional<std::string> keyOf(const std::string& line) {
    if (isComment(line)) return std::nullopt;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return std::nullopt;
    return trim(std::string_view(line).substr(0, equals));
}

// The lines of the section, as [first, end): first is the header's index, or npos when it is missing.
struct SectionRange {
    size_t header = std::string::npos;
    size_t end = 0;
};

SectionRange findSection(const std::vector<Line>& lines, const std::string& section) {
    SectionRange range;
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionOf(lines[i].text);
        if (!name) continue;
        if (range.header != std::string::npos) {
            range.end = i;
            return range;
        }
        if (sameName(*name, section)) range.header = i;
    }
    range.end = lines.size();
    return range;
}

}  // namespace

std::string IniFile::ReadString(const std::string& section, const std::string& key, const std::string& fallback) const {
    const auto bytes = readBytes(path_);
    if (!bytes) return fallback;
    const std::vector<Line> lines = splitLines(*bytes);
    const SectionRange range = findSection(lines, utf8ToGbk(section));
    if (range.header == std::string::npos) return fallback;
    const std::string wanted = utf8ToGbk(key);
    for (size_t i = range.header + 1; i < range.end; ++i) {
        const auto name = keyOf(lines[i].text);
        if (name && sameName(*name, wanted)) {
            return gbkToUtf8Lenient(trim(std::string_view(lines[i].text).substr(lines[i].text.find('=') + 1)));
        }
    }
    return fallback;
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    const std::string sectionBytes = utf8ToGbk(section);
    const std::string keyBytes = utf8ToGbk(key);
    const std::string entry = keyBytes + "=" + utf8ToGbk(value);

    const std::string old = readBytes(path_).value_or("");
    std::vector<Line> lines = splitLines(old);
    // New lines end as the file's first line does; a new file gets the Windows line break.
    std::string eol = "\r\n";
    if (!lines.empty() && !lines.front().eol.empty()) eol = lines.front().eol;

    const SectionRange range = findSection(lines, sectionBytes);
    if (range.header == std::string::npos) {
        if (!lines.empty() && lines.back().eol.empty()) lines.back().eol = eol;
        lines.push_back({"[" + sectionBytes + "]", eol});
        lines.push_back({entry, eol});
    } else {
        std::optional<size_t> existing;
        size_t lastFilled = range.header;
        for (size_t i = range.header + 1; i < range.end; ++i) {
            const auto name = keyOf(lines[i].text);
            if (name && sameName(*name, keyBytes)) {
                existing = i;
                break;
            }
            if (!trim(lines[i].text).empty()) lastFilled = i;
        }
        if (existing) {
            lines[*existing].text = entry;
        } else {
            if (lines[lastFilled].eol.empty()) lines[lastFilled].eol = eol;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastFilled) + 1, Line{entry, eol});
        }
    }

    std::string bytes;
    for (const Line& line : lines) bytes += line.text + line.eol;
    if (!replaceFile(path_, bytes)) throw Error("Unable to write to " + path_);
}

}  // namespace zuvo
