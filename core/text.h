// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zuvo {

// Removes leading and trailing blanks and control characters (every byte up to 0x20).
std::string trim(std::string_view s);

// The whole number a text spells: leading blanks, an optional sign and decimal digits, within 32 bits.
// Anything else throws the conversion error "'<text>' is not a valid integer value".
std::int32_t toInteger(const std::string& text);

// Characters, not bytes, of a UTF-8 text.
size_t characterCount(std::string_view utf8);

// The longest start of a UTF-8 text that takes at most 255 bytes in GBK, cut between characters: the limit of the
// short strings that name the exam type and the run.
std::string shortString(std::string_view utf8);

}  // namespace zuvo
