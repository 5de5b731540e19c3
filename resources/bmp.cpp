// SPDX-License-Identifier: MIT
// Reads the uncompressed 24- and 32-bit bitmaps the program carries as icons.
#include <cstdint>
#include <string>

#include "bank/error.h"
#include "resources/image.h"

namespace zuvo {
namespace {

std::uint32_t le(std::span<const unsigned char> b, size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
    return v;
}

}  // namespace

Image decodeBmp(std::span<const unsigned char> bytes) {
    auto fail = [](const std::string& why) { return Error("Bitmap error: " + why); };
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') throw fail("not a bitmap");
    const std::uint32_t dataOffset = le(bytes, 10, 4);
    const auto width = static_cast<std::int32_t>(le(bytes, 18, 4));
    const auto rawHeight = static_cast<std::int32_t>(le(bytes, 22, 4));
    const std::uint32_t bits = le(bytes, 28, 2);
    const std::uint32_t compression = le(bytes, 30, 4);
    // Bitfields on a 32-bit bitmap are the plain BGRA layout the writers here use.
    if ((bits != 24 && bits != 32) || (compression != 0 && !(compression == 3 && bits == 32))) {
        throw fail("only uncompressed 24- and 32-bit bitmaps are supported");
    }
    const bool bottomUp = rawHeight > 0;
    const std::int64_t height = bottomUp ? rawHeight : -static_cast<std::int64_t>(rawHeight);
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) throw fail("bad size");
    const size_t pixelBytes = bits / 8;
    const size_t stride = (static_cast<size_t>(width) * pixelBytes + 3) & ~size_t{3};
    if (dataOffset > bytes.size() || (bytes.size() - dataOffset) / stride < static_cast<size_t>(height)) {
        throw fail("truncated");
    }
    Image image;
    image.width = width;
    image.height = static_cast<int>(height);
    image.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (std::int64_t y = 0; y < height; ++y) {
        const size_t sourceRow = static_cast<size_t>(bottomUp ? height - 1 - y : y);
        const unsigned char* in = bytes.data() + dataOffset + sourceRow * stride;
        std::uint8_t* out = image.rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
        for (std::int32_t x = 0; x < width; ++x, in += pixelBytes, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return image;
}

}  // namespace zuvo
