// SPDX-License-Identifier: MIT
#include "core/text.h"

#include <algorithm>

#include "bank/error.h"
#include "bank/gbk.h"

namespace zuvo {

std::string trim(std::string_view s) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return std::string(s);
}

std::int32_t toInteger(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) throw invalidInteger(text);
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') throw invalidInteger(text);
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t{INT32_MAX} + 1) throw invalidInteger(text);
    }
    if (negative) value = -value;
    if (value > INT32_MAX) throw invalidInteger(text);
    return static_cast<std::int32_t>(value);
}

size_t characterCount(std::string_view utf8) {
    size_t count = 0;
    for (unsigned char c : utf8) count += (c & 0xC0) != 0x80;
    return count;
}

std::string shortString(std::string_view utf8) {
    constexpr size_t kLimit = 255;
    size_t gbkBytes = 0;
    size_t end = 0;
    while (end < utf8.size()) {
        // A byte that starts no character counts as one; GBK spends one byte on ASCII and two on any other character.
        const size_t length = std::max<size_t>(1, utf8CharacterLength(utf8.substr(end)));
        gbkBytes += static_cast<unsigned char>(utf8[end]) < 0x80 ? 1 : 2;
        if (gbkBytes > kLimit) break;
        end += length;
    }
    return std::string(utf8.substr(0, end));
}

}  // namespace zuvo
