// SPDX-License-Identifier: MIT
// A decoded picture, as the windows draw it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zuvo {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3 bytes, rows top to bottom
};

// Both throw Error with the decoder's message when the bytes are not a picture they can read.
Image decodeJpeg(std::span<const unsigned char> bytes);
Image decodeBmp(std::span<const unsigned char> bytes);

}  // namespace zuvo
