// SPDX-License-Identifier: MIT
#include "bank/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

#include "bank/error.h"

namespace zuvo {
namespace {

constexpr const char* kGbk = "CP936";

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw Error(std::string("No text conversion from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns the number of input bytes consumed.
    size_t convert(std::string_view in, std::string& out) {
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        char buffer[1024];
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (left > 0) {
            char* dst = buffer;
            size_t room = sizeof buffer;
            size_t rc = iconv(cd_, &src, &left, &dst, &room);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG) break;
        }
        return in.size() - left;
    }

  private:
    iconv_t cd_;
};

// Opening a conversion costs more than converting a question's text: each thread keeps one of each direction.
Converter& converterTo(const char* to) {
    if (std::string_view(to) == "UTF-8") {
        static thread_local Converter toUtf8("UTF-8", kGbk);
        return toUtf8;
    }
    static thread_local Converter toGbk(kGbk, "UTF-8");
    return toGbk;
}

}  // namespace

size_t utf8CharacterLength(std::string_view text) {
    if (text.empty()) return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    const size_t length = lead < 0x80             ? 1
                          : (lead & 0xE0) == 0xC0 ? 2
                          : (lead & 0xF0) == 0xE0 ? 3
                          : (lead & 0xF8) == 0xF0 ? 4
                                                  : 0;
    if (length == 0 || length > text.size()) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
    }
    return length;
}

namespace {

std::string convertStrict(std::string_view in, const char* to, const char* from, const char* fromName) {
    std::string out;
    size_t done = converterTo(to).convert(in, out);
    if (done != in.size()) {
        char where[64];
        std::snprintf(where, sizeof where, " at byte %zu", done + 1);
        // A well-formed character that the target cannot hold is named, so the writer knows what to replace.
        const size_t length = std::string_view(from) == "UTF-8" ? utf8CharacterLength(in.substr(done)) : 0;
        if (length > 0) {
            throw Error("'" + std::string(in.substr(done, length)) + "' cannot be written in GBK" + where);
        }
        throw Error(std::string("Text is not valid ") + fromName + where);
    }
    return out;
}

}  // namespace

std::string utf8ToGbk(std::string_view utf8) { return convertStrict(utf8, kGbk, "UTF-8", "UTF-8"); }

std::string gbkToUtf8(std::string_view gbk) { return convertStrict(gbk, "UTF-8", kGbk, "GBK"); }

std::string gbkToUtf8Lenient(std::string_view gbk) {
    Converter& toUtf8 = converterTo("UTF-8");
    std::string out;
    while (!gbk.empty()) {
        gbk.remove_prefix(toUtf8.convert(gbk, out));
        if (gbk.empty()) break;
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(gbk.front()));
        out += escaped;
        gbk.remove_prefix(1);
    }
    return out;
}

}  // namespace zuvo
