// SPDX-License-Identifier: MIT
#include "bank/scramble.h"

#include <gtest/gtest.h>

#include <random>

#include "bank/error.h"
#include "bank/gbk.h"
#include "tests/support/expect_error.h"

namespace zuvo {
namespace {

std::string hexPair(unsigned v) {
    static const char* digits = "0123456789ABCDEF";
    return {digits[v >> 4], digits[v & 15]};
}

const unsigned kKey0 = static_cast<unsigned char>(kScrambleKey[0]);

TEST(ScrambleKey, Has36BytesInItsRange) {
    ASSERT_EQ(kScrambleKey.size(), 36u);
    for (char c : kScrambleKey) {
        EXPECT_GE(static_cast<unsigned char>(c), 0x9B);
        EXPECT_LE(static_cast<unsigned char>(c), 0xB1);
    }
}

struct DecodeCase {
    const char* name;
    std::string input;
    std::string expected;
};

class UncrypKeyCases : public testing::TestWithParam<DecodeCase> {};

TEST_P(UncrypKeyCases, Decodes) { EXPECT_EQ(UncrypKey(GetParam().input, kScrambleKey), GetParam().expected); }

std::string keyTwiceAround() {
    // Seed 00 and pairs 00: every output byte is its key byte, so byte 37 shows which key byte it used.
    return std::string(kScrambleKey) + kScrambleKey[0];
}

INSTANTIATE_TEST_SUITE_P(
    Edges, UncrypKeyCases,
    testing::Values(DecodeCase{"seed_pair_and_one_pair", "00" + hexPair(0x41 ^ kKey0), "A"},
                    DecodeCase{"xor_equals_previous_gives_255", "10" + hexPair(0x10 ^ kKey0), "\xFF"},
                    DecodeCase{"xor_below_previous_wraps_by_255", "20" + hexPair(0x10 ^ kKey0),
                               std::string(1, char(0x10 + 255 - 0x20))},
                    DecodeCase{"previous_is_the_pair_not_the_xor",
                               "00" + hexPair(0x41 ^ kKey0) +
                                   hexPair(((0x41 ^ kKey0) + 1) ^ static_cast<unsigned char>(kScrambleKey[1])),
                               std::string("A") + '\x01'},
                    DecodeCase{"lower_case_hex", "00" + std::string("e2"), std::string(1, char(0xE2 ^ kKey0))},
                    DecodeCase{"odd_length_ignores_last_character", "00" + hexPair(0x41 ^ kKey0) + "F", "A"},
                    DecodeCase{"three_characters_read_one_digit", "005", std::string(1, char(5 ^ kKey0))},
                    DecodeCase{"byte_37_uses_the_first_key_byte_again", "00" + std::string(74, '0'), keyTwiceAround()}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailCase {
    const char* name;
    std::string input;
    const char* message;
};

class UncrypKeyFailures : public testing::TestWithParam<FailCase> {};

TEST_P(UncrypKeyFailures, NameTheOffendingCharacters) {
    EXPECT_THROW_MSG(UncrypKey(GetParam().input, kScrambleKey), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Edges, UncrypKeyFailures,
                         testing::Values(FailCase{"empty", "", "'$' is not a valid integer value"},
                                         FailCase{"one_character", "0", "'$' is not a valid integer value"},
                                         FailCase{"seed_only", "A0", "'$' is not a valid integer value"},
                                         FailCase{"bad_seed", "G0E2", "'$G0' is not a valid integer value"},
                                         FailCase{"bad_pair", "00E2x1", "'$x1' is not a valid integer value"},
                                         FailCase{"blank_in_pair", "00 1", "'$ 1' is not a valid integer value"},
                                         FailCase{"sign_is_no_digit", "00-1", "'$-1' is not a valid integer value"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Mdtoeditstr, SubtractsModulo256ByteByByte) {
    EXPECT_EQ(mdtoeditstr(std::string("\x00\x05\xFF", 3), 6), "\xFA\xFF\xF9");
    EXPECT_EQ(mdtoeditstr("", 51), "");
}

TEST(MdtoTm, EmptyStaysEmpty) { EXPECT_EQ(mdtoTm(""), ""); }

TEST(MdtoTm, ShiftsBy107BeforeReadingPairs) {
    // "00" + pair shifted up by 51 + 56 is what the bank holds.
    std::string stored = mdtoeditstr("00" + hexPair(0x41 ^ kKey0), static_cast<std::uint8_t>(256 - 107));
    EXPECT_EQ(mdtoTm(stored), "A");
}

TEST(MdtoTm, ReportsShiftedCharactersOfABrokenField) {
    // 0xE5 shifted down by 107 reads "z"; "j" reads 0xFF, which is no GBK character and shows as an escape.
    EXPECT_THROW_MSG(mdtoTm("\xE5\xE5\x9B\x9B"), "'$zz' is not a valid integer value");
    EXPECT_THROW_MSG(mdtoTm("jj"), "'$\\xFF\\xFF' is not a valid integer value");
}

TEST(ScrambleText, IsTheExactInverseForEverySeed) {
    const std::string chinese = utf8ToGbk("驾驶机动车在道路上行驶，应当遵守右侧通行的原则。ABC abc 123");
    std::string everyByte;
    for (int b = 1; b < 256; ++b) everyByte += static_cast<char>(b);
    for (const std::string& plain : {chinese, everyByte, std::string("x"), std::string()}) {
        for (int seed = 0; seed < 256; ++seed) {
            const std::string stored = scrambleText(plain, static_cast<std::uint8_t>(seed));
            ASSERT_EQ(mdtoTm(stored), plain) << "seed " << seed;
            for (char c : stored) {
                ASSERT_TRUE(static_cast<unsigned char>(c) >= 0x9B && static_cast<unsigned char>(c) <= 0xB1);
            }
        }
    }
}

TEST(Gbk, NamesACharacterItCannotHoldAndRefusesBrokenText) {
    EXPECT_THROW_MSG(utf8ToGbk("题目😀"), "'😀' cannot be written in GBK at byte 7");
    EXPECT_THROW_MSG(utf8ToGbk("ab\xE9x"), "Text is not valid UTF-8 at byte 3");
    EXPECT_THROW_MSG(gbkToUtf8("a\xFF"), "Text is not valid GBK at byte 2");
}

TEST(UncrypKey, AnEmptyKeyLeavesThePairsUnmixed) { EXPECT_EQ(UncrypKey("0041", ""), "A"); }

TEST(ScrambleText, RefusesNulBytes) { EXPECT_THROW(scrambleText(std::string("a\0b", 3), 7), Error); }

// The one-pass decoding of whole pairs must give what the two shifts and the key give step by step, for every
// length and every kind of byte, the messages of broken fields included.
TEST(MdtoTm, AgreesWithTheStepsOnAnyBytes) {
    std::mt19937 random(5);
    // Bytes that read as digits after the shifts, and some that do not.
    const std::string digits = mdtoeditstr("0123456789ABCDEFabcdef", static_cast<std::uint8_t>(256 - 107));
    const std::string bytes = digits + "\x01Zz\xff";
    auto outcome = [](auto decode) {
        try {
            return decode();
        } catch (const Error& e) {
            return std::string("error: ") + e.what();
        }
    };
    for (int round = 0; round < 20000; ++round) {
        std::string stored(random() % 12, '\0');
        for (char& c : stored) c = bytes[random() % (round % 2 ? digits.size() : bytes.size())];
        const std::string steps = outcome(
            [&] { return stored.empty() ? "" : UncrypKey(mdtoeditstr(mdtoeditstr(stored, 51), 56), kScrambleKey); });
        ASSERT_EQ(outcome([&] { return mdtoTm(stored); }), steps) << "round " << round;
    }
}

}  // namespace
}  // namespace zuvo
