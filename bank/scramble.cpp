// SPDX-License-Identifier: MIT
#include "bank/scramble.h"

#include <algorithm>
#include <array>

#include "bank/error.h"
#include "bank/gbk.h"
#include "bank/store.h"

namespace zuvo {
namespace {

// Stored bytes are shifted down twice before they read as hex digits.
constexpr std::uint8_t kFirstShift = 51;
constexpr std::uint8_t kSecondShift = 56;

constexpr int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// One or two characters read as a hexadecimal number, as the conversion of "$" + digits does.
std::uint8_t readHex(std::string_view digits) {
    int value = 0;
    for (char c : digits) {
        int d = hexDigit(c);
        if (d < 0) throw invalidInteger("$" + gbkToUtf8Lenient(digits));
        value = value * 16 + d;
    }
    if (digits.empty()) throw invalidInteger("$");
    return static_cast<std::uint8_t>(value);
}

// The digit a stored byte reads as after both shifts, or -1.
constexpr std::array<std::int8_t, 256> kStoredDigit = [] {
    std::array<std::int8_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
        table[static_cast<size_t>(b)] = static_cast<std::int8_t>(
            hexDigit(static_cast<char>(static_cast<std::uint8_t>(b - kFirstShift - kSecondShift))));
    }
    return table;
}();

// Both shifts and the key in one pass, for what every stored text is: the seed and whole pairs of digits. Anything
// else is left to the step-by-step road, which also names a bad digit as the conversion does.
bool decodeWholePairs(std::string_view stored, std::string& out) {
    if (stored.size() < 4 || stored.size() % 2 != 0) return false;
    auto pair = [&](size_t at) {
        const int high = kStoredDigit[static_cast<std::uint8_t>(stored[at])];
        const int low = kStoredDigit[static_cast<std::uint8_t>(stored[at + 1])];
        return high < 0 || low < 0 ? -1 : high * 16 + low;
    };
    int prev = pair(0);
    if (prev < 0) return false;
    out.resize(stored.size() / 2 - 1);
    const size_t keyLength = kScrambleKey.size();
    size_t k = 0;
    for (size_t at = 2, i = 0; at < stored.size(); at += 2, ++i) {
        const int b = pair(at);
        if (b < 0) return false;
        const unsigned c = static_cast<unsigned>(b) ^ static_cast<std::uint8_t>(kScrambleKey[k]);
        k = k + 1 < keyLength ? k + 1 : 0;
        const unsigned p = static_cast<unsigned>(prev);
        out[i] = static_cast<char>(c <= p ? c + 255 - p : c - p);
        prev = b;
    }
    return true;
}

}  // namespace

std::string mdtoeditstr(std::string_view s, std::uint8_t n) {
    std::string result(s);
    for (char& c : result) c = static_cast<char>(static_cast<std::uint8_t>(c) - n);
    return result;
}

std::string UncrypKey(std::string_view s, std::string_view key) {
    const size_t keyLength = key.size();
    unsigned prev = readHex(s.substr(0, 2));
    size_t k = 0;
    size_t pos = 2;  // 0-based: the first pair after the seed
    std::string result;
    result.reserve(s.size() / 2);
    do {
        unsigned b = readHex(s.substr(std::min(pos, s.size()), 2));
        k = k < keyLength ? k + 1 : 1;
        // An empty key leaves the pairs as they are rather than reading past its end.
        unsigned c = keyLength ? b ^ static_cast<std::uint8_t>(key[k - 1]) : b;
        unsigned out = c <= prev ? c + 255 - prev : c - prev;
        result += static_cast<char>(out);
        prev = b;
        pos += 2;
    } while (pos + 1 < s.size());
    return result;
}

std::string mdtoTm(std::string_view stored) {
    if (stored.empty()) return {};
    if (std::string decoded; decodeWholePairs(stored, decoded)) return decoded;
    std::string t = mdtoeditstr(stored, kFirstShift);
    t = mdtoeditstr(t, kSecondShift);
    return UncrypKey(t, kScrambleKey);
}

std::string scrambleText(std::string_view plainGbk, std::uint8_t seed) {
    // Empty is stored as empty: a seed alone would not decode.
    if (plainGbk.empty()) return {};
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(2 * plainGbk.size() + 2);
    auto put = [&](unsigned v) {
        hex += kHex[v >> 4];
        hex += kHex[v & 15];
    };
    unsigned prev = seed;
    put(prev);
    size_t k = 0;
    for (char ch : plainGbk) {
        unsigned out = static_cast<std::uint8_t>(ch);
        // Decoding gives c - prev when c > prev, else c + 255 - prev: pick the c that yields this byte.
        unsigned c;
        if (out >= 1 && prev + out <= 255) {
            c = prev + out;
        } else if (prev + out >= 255) {
            c = prev + out - 255;
        } else {
            throw Error("A text to scramble may not hold a NUL byte");
        }
        k = k < kScrambleKey.size() ? k + 1 : 1;
        unsigned b = c ^ static_cast<std::uint8_t>(kScrambleKey[k - 1]);
        put(b);
        prev = b;
    }
    return mdtoeditstr(hex, static_cast<std::uint8_t>(256 - kFirstShift - kSecondShift));
}

std::string decodedField(Query& query, std::string_view column) { return gbkToUtf8(mdtoTm(query.fieldBytes(column))); }

}  // namespace zuvo
