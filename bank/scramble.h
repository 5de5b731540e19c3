// SPDX-License-Identifier: MIT
// The scrambled form of the question and option texts in the bank. All functions work on bytes: the plain side
// is GBK text, the stored side is what the bank holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zuvo {

// 36 bytes, each in 0x9B..0xB1. A compile-time constant, so other constants may be made from it.
inline constexpr std::string_view kScrambleKey{
    "\xA3\x9D\xB0\xA7\x9B\xAE\xB1\xA0\x9F\xAA\xA5\x9C\xAD\xA1\xB1\x9E\xA9\xA4"
    "\xAF\xA2\x9B\xAB\xA6\xB0\x9D\xA8\xAC\xA3\x9F\xB1\xA1\x9C\xAE\xA5\xA0\x9B",
    36};

// Every byte of s minus n, modulo 256, regardless of character boundaries.
std::string mdtoeditstr(std::string_view s, std::uint8_t n);

// The hex-pair descrambler. Throws invalidInteger("$" + the offending characters) where a pair is not hexadecimal
// or where no pair follows the seed.
std::string UncrypKey(std::string_view s, std::string_view key);

// Stored bytes to the GBK bytes of the display text; empty stays empty.
std::string mdtoTm(std::string_view stored);

// The exact inverse of mdtoTm: plain GBK bytes to stored bytes. The seed only varies the stored form; any seed
// decodes to the same text. Throws Error for a NUL byte, which the scrambled form cannot carry after most seeds.
std::string scrambleText(std::string_view plainGbk, std::uint8_t seed);

// The display text of a scrambled column of the query's current row, as UTF-8.
class Query;
std::string decodedField(Query& query, std::string_view column);

}  // namespace zuvo
