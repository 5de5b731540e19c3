// SPDX-License-Identifier: MIT
// The border between the program's UTF-8 text and the GBK (code page 936) bytes of stored and exchanged text.
#pragma once

#include <string>
#include <string_view>

namespace zuvo {

// Both throw Error when the input is not valid in its encoding: nothing is dropped silently.
std::string utf8ToGbk(std::string_view utf8);
std::string gbkToUtf8(std::string_view gbk);

// The length of the well-formed UTF-8 character at the start of text, or 0 where none starts there.
size_t utf8CharacterLength(std::string_view text);

// For messages that must show arbitrary bytes: valid GBK runs are converted, any other byte is written as \xNN.
std::string gbkToUtf8Lenient(std::string_view gbk);

}  // namespace zuvo
