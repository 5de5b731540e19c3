// SPDX-License-Identifier: MIT
#include "resources/resources.h"

#include <map>
#include <string>
#include <utility>

#include "bank/error.h"

namespace zuvo {
namespace {

using Key = std::pair<std::string_view, std::string_view>;

const std::map<Key, const detail::RawResource*>& index() {
    static const auto table = [] {
        std::map<Key, const detail::RawResource*> out;
        for (size_t i = 0; i < detail::kResourceCount; ++i) {
            const auto& r = detail::kResources[i];
            out.emplace(Key{r.type, r.name}, &r);
        }
        return out;
    }();
    return table;
}

}  // namespace

bool hasResource(std::string_view type, std::string_view name) { return index().count(Key{type, name}) > 0; }

std::span<const unsigned char> resourceBytes(std::string_view type, std::string_view name) {
    auto found = index().find(Key{type, name});
    if (found == index().end()) throw Error("Resource " + std::string(name) + " not found");
    return {found->second->begin, found->second->end};
}

std::shared_ptr<const Image> loadPicture(std::string_view type, std::string_view name) {
    auto bytes = resourceBytes(type, name);
    return std::make_shared<const Image>(type == "BMP" ? decodeBmp(bytes) : decodeJpeg(bytes));
}

}  // namespace zuvo
