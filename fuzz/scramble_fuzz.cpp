// SPDX-License-Identifier: MIT
// Fuzzes the decoding of scrambled texts: stored bytes from a damaged bank must fail with Error or decode, and
// every text without a NUL must come back from its scrambled form unchanged, whatever the seed.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bank/error.h"
#include "bank/scramble.h"

namespace {

void fail(const char* what, std::string_view input) {
    std::fprintf(stderr, "scramble_fuzz: %s (input of %zu bytes)\n", what, input.size());
    std::abort();
}

template <typename Decode>
void decodeOrError(Decode decode) {
    try {
        decode();
    } catch (const zuvo::Error&) {
        // A malformed stored text is reported to the learner; that is the expected outcome.
    }
}

}  // namespace

// Input: one byte of seed (also the shift of mdtoeditstr and the length of a key of our own), then the bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::uint8_t seed = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::string shifted = zuvo::mdtoeditstr(bytes, seed);
    if (shifted.size() != bytes.size()) fail("mdtoeditstr changed the length", bytes);
    if (zuvo::mdtoeditstr(shifted, static_cast<std::uint8_t>(256 - seed)) != bytes)
        fail("mdtoeditstr is not undone by the opposite shift", bytes);

    decodeOrError([&] { zuvo::mdtoTm(bytes); });
    decodeOrError([&] { zuvo::UncrypKey(bytes, zuvo::kScrambleKey); });
    // The decoder must not depend on the length of its key: try one cut from the input itself.
    const size_t keyLength = 1 + seed % 48;
    if (bytes.size() >= keyLength) {
        decodeOrError([&] { zuvo::UncrypKey(bytes.substr(keyLength), bytes.substr(0, keyLength)); });
    }

    if (bytes.find('\0') != std::string_view::npos) {
        decodeOrError([&] { zuvo::scrambleText(bytes, seed); });
        return 0;
    }
    const std::string stored = zuvo::scrambleText(bytes, seed);
    if (stored.size() != (bytes.empty() ? 0 : 2 * bytes.size() + 2)) fail("unexpected scrambled length", bytes);
    if (zuvo::mdtoTm(stored) != bytes) fail("mdtoTm(scrambleText(text)) differs from text", bytes);
    return 0;
}
