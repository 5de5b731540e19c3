// SPDX-License-Identifier: MIT
#include "resources/resources.h"

#include <list>
#include <map>
#include <mutex>
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

const detail::RawResource& entry(std::string_view type, std::string_view name) {
    auto found = index().find(Key{type, name});
    if (found == index().end()) throw Error("Resource " + std::string(name) + " not found");
    return *found->second;
}

}  // namespace

bool hasResource(std::string_view type, std::string_view name) { return index().count(Key{type, name}) > 0; }

std::span<const unsigned char> resourceBytes(std::string_view type, std::string_view name) {
    const detail::RawResource& resource = entry(type, name);
    return {resource.begin, resource.end};
}

std::shared_ptr<const Image> loadPicture(std::string_view type, std::string_view name) {
    // Moving back, reviewing a paper or practising again shows the same pictures: each is decoded once and kept
    // while the most recently shown ones fit in the bound.
    constexpr size_t kKeptBytes = 32 << 20;
    struct Kept {
        const detail::RawResource* resource;  // one entry of the table for each picture
        std::shared_ptr<const Image> image;
    };
    static std::mutex mutex;
    static std::list<Kept> recent;  // most recently shown first
    static size_t keptBytes = 0;

    const detail::RawResource& resource = entry(type, name);
    std::lock_guard lock(mutex);
    for (auto at = recent.begin(); at != recent.end(); ++at) {
        if (at->resource == &resource) {
            recent.splice(recent.begin(), recent, at);
            return at->image;
        }
    }
    const std::span<const unsigned char> bytes{resource.begin, resource.end};
    auto image = std::make_shared<const Image>(type == "BMP" ? decodeBmp(bytes) : decodeJpeg(bytes));
    recent.push_front({&resource, image});
    keptBytes += image->rgb.size();
    while (keptBytes > kKeptBytes && recent.size() > 1) {
        keptBytes -= recent.back().image->rgb.size();
        recent.pop_back();
    }
    return image;
}

}  // namespace zuvo
