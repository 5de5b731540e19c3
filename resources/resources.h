// SPDX-License-Identifier: MIT
// The pictures compiled into the program, by type ("JPEG", "BMP") and name.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string_view>

#include "resources/image.h"

namespace zuvo {

namespace detail {
struct RawResource {
    const char* type;
    const char* name;
    const unsigned char* begin;
    const unsigned char* end;
};
extern const RawResource kResources[];
extern const size_t kResourceCount;
}  // namespace detail

// The bytes of a resource; throws Error "Resource <name> not found".
std::span<const unsigned char> resourceBytes(std::string_view type, std::string_view name);
bool hasResource(std::string_view type, std::string_view name);

// The resource decoded by its type: a JPEG with libjpeg, a bitmap with the BMP reader.
std::shared_ptr<const Image> loadPicture(std::string_view type, std::string_view name);

}  // namespace zuvo
