// SPDX-License-Identifier: MIT
// Fuzzes the question source reader of the bank tool: whatever the text, it gives a source or an Error whose text
// the tool prints; no exception of the YAML reader may escape on its own.
#include <cstdint>
#include <string>

#include "bank/error.h"
#include "tools/bank_source.h"

// Input: the text of one source file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        zuvo::parseBankSource(text);
    } catch (const zuvo::Error&) {
        // The tool's message for a broken source: the expected outcome.
    }
    // The same text as one of several files, after one that holds the exam types.
    try {
        zuvo::parseBankSource({{"head.yaml", "types: [{code: C1, name: 小型汽车}]\n"}, {"fuzz.yaml", text}});
    } catch (const zuvo::Error&) {
    }
    return 0;
}
