// SPDX-License-Identifier: MIT
#include "ads/ad_worker.h"

#include <curl/curl.h>
#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <type_traits>

#include "bank/gbk.h"
#include "core/ad_page.h"
#include "core/files.h"

namespace zuvo {
namespace {

constexpr const char* kFirstAdHost = "http://ads1.zuvo.example";
constexpr const char* kSecondAdHost = "http://ads2.zuvo.example";
// The name of libcurl's binary interface, unchanged since 2006.
constexpr const char* kCurlLibrary = "libcurl.so.4";

// libcurl and the dozens of libraries under it cost the program's start tens of milliseconds and several
// mebibytes, for advertising the window does not need to come up: the worker loads it on its own thread, when it
// first goes to the network.
struct Curl {
    decltype(&curl_global_init) global_init = nullptr;
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&curl_easy_reset) easy_reset = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&curl_easy_escape) easy_escape = nullptr;
    decltype(&curl_free) free = nullptr;
    decltype(&curl_multi_init) multi_init = nullptr;
    decltype(&curl_multi_cleanup) multi_cleanup = nullptr;
    decltype(&curl_multi_add_handle) multi_add_handle = nullptr;
    decltype(&curl_multi_remove_handle) multi_remove_handle = nullptr;
    decltype(&curl_multi_perform) multi_perform = nullptr;
    decltype(&curl_multi_poll) multi_poll = nullptr;
    decltype(&curl_multi_wakeup) multi_wakeup = nullptr;
    decltype(&curl_multi_info_read) multi_info_read = nullptr;
};

// The library, loaded and initialised once for the process; null when it cannot be, which only means no advertising.
const Curl* curl() {
    static const std::optional<Curl> loaded = []() -> std::optional<Curl> {
        void* library = dlopen(kCurlLibrary, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) return std::nullopt;
        Curl api;
        bool complete = true;
        const auto bind = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
            complete = complete && function != nullptr;
        };
        bind(api.global_init, "curl_global_init");
        bind(api.easy_init, "curl_easy_init");
        bind(api.easy_cleanup, "curl_easy_cleanup");
        bind(api.easy_reset, "curl_easy_reset");
        bind(api.easy_setopt, "curl_easy_setopt");
        bind(api.easy_getinfo, "curl_easy_getinfo");
        bind(api.easy_escape, "curl_easy_escape");
        bind(api.free, "curl_free");
        bind(api.multi_init, "curl_multi_init");
        bind(api.multi_cleanup, "curl_multi_cleanup");
        bind(api.multi_add_handle, "curl_multi_add_handle");
        bind(api.multi_remove_handle, "curl_multi_remove_handle");
        bind(api.multi_perform, "curl_multi_perform");
        bind(api.multi_poll, "curl_multi_poll");
        bind(api.multi_wakeup, "curl_multi_wakeup");
        bind(api.multi_info_read, "curl_multi_info_read");
        if (!complete || api.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return std::nullopt;
        return api;
    }();
    return loaded ? &*loaded : nullptr;
}

std::string withoutTrailingSlash(std::string url) {
    while (!url.empty() && url.back() == '/') url.pop_back();
    return url;
}

// The banner's file name as it stands in an address: its GBK bytes, escaped where an address needs it.
std::string addressPart(const Curl& curl, const std::string& name) {
    std::string bytes;
    try {
        bytes = utf8ToGbk(name);
    } catch (...) {
        bytes = name;
    }
    char* escaped = curl.easy_escape(nullptr, bytes.data(), static_cast<int>(bytes.size()));
    std::string result = escaped ? escaped : "";
    curl.free(escaped);
    return result;
}

}  // namespace

std::vector<std::string> adHosts() {
    if (const char* configured = std::getenv("ZUVO_AD_HOSTS"); configured && *configured) {
        const std::string text = configured;
        const size_t comma = text.find(',');
        if (comma == std::string::npos) return {withoutTrailingSlash(text), withoutTrailingSlash(text)};
        return {withoutTrailingSlash(text.substr(0, comma)), withoutTrailingSlash(text.substr(comma + 1))};
    }
    return {kFirstAdHost, kSecondAdHost};
}

// One curl handle of the worker's own, driven through a multi handle so that the window can wake it and cancel
// a request at once, whatever the host does.
class TMyThread::Http {
  public:
    Http(const Curl& curl, const std::atomic<bool>& cancelled, const AdFetchLimits& limits)
        : curl_(curl), cancelled_(cancelled), limits_(limits) {
        easy_ = curl_.easy_init();
        multi_ = curl_.multi_init();
    }
    ~Http() {
        curl_.multi_cleanup(multi_);
        curl_.easy_cleanup(easy_);
    }

    const Curl& library() const { return curl_; }

    // Called from the window's thread.
    void wake() {
        if (multi_) curl_.multi_wakeup(multi_);
    }

    // The body of a successful (2xx) response, within the size limit; false for anything else.
    bool get(const std::string& url, std::string& body, std::size_t limit) {
        if (!easy_ || !multi_) return false;
        body.clear();
        Sink sink{body, limit};
        curl_.easy_reset(easy_);
        curl_.easy_setopt(easy_, CURLOPT_URL, url.c_str());
        curl_.easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_.easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 0L);
        curl_.easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
        curl_.easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, limits_.connectTimeoutMs);
        curl_.easy_setopt(easy_, CURLOPT_TIMEOUT_MS, limits_.totalTimeoutMs);
        curl_.easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &Http::write);
        curl_.easy_setopt(easy_, CURLOPT_WRITEDATA, &sink);
        if (curl_.multi_add_handle(multi_, easy_) != CURLM_OK) return false;
        CURLcode result = CURLE_FAILED_INIT;
        for (;;) {
            int running = 0;
            if (curl_.multi_perform(multi_, &running) != CURLM_OK) break;
            if (running == 0) {
                int queued = 0;
                while (CURLMsg* message = curl_.multi_info_read(multi_, &queued)) {
                    if (message->msg == CURLMSG_DONE) result = message->data.result;
                }
                break;
            }
            if (cancelled_) break;
            curl_.multi_poll(multi_, nullptr, 0, 1000, nullptr);
            if (cancelled_) break;
        }
        curl_.multi_remove_handle(multi_, easy_);
        if (cancelled_ || result != CURLE_OK) return false;
        long status = 0;
        curl_.easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
        return status >= 200 && status < 300;
    }

  private:
    struct Sink {
        std::string& body;
        std::size_t limit;
    };

    static size_t write(char* data, size_t size, size_t count, void* user) {
        auto* sink = static_cast<Sink*>(user);
        const size_t bytes = size * count;
        // A body over the limit fails the request: returning less than was given aborts the transfer.
        if (sink->body.size() + bytes > sink->limit) return 0;
        sink->body.append(data, bytes);
        return bytes;
    }

    const Curl& curl_;
    const std::atomic<bool>& cancelled_;
    const AdFetchLimits& limits_;
    CURL* easy_ = nullptr;
    CURLM* multi_ = nullptr;
};

TMyThread::TMyThread(AdDisplay& display, Platform& platform, std::vector<std::string> hosts, AdFetchLimits limits)
    : display_(display),
      platform_(platform),
      displayAlive_(display.lifeToken()),
      hosts_(std::move(hosts)),
      programFolder_(display.programFolder),
      limits_(limits) {}

TMyThread::~TMyThread() {
    cancelled_ = true;
    {
        std::lock_guard lock(httpMutex_);
        if (http_) http_->wake();
    }
    if (thread_.joinable()) thread_.join();
}

void TMyThread::Start() {
    if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
}

void TMyThread::wait() {
    if (thread_.joinable()) thread_.join();
}

// Runs step on the user-interface thread, unless the display has gone by then.
template <class Step>
void TMyThread::post(Step step) {
    platform_.runOnUiThread([alive = displayAlive_, display = &display_, step = std::move(step)]() mutable {
        if (alive.lock()) step(*display);
    });
}

void TMyThread::run() {
    if (hosts_.empty() || cancelled_) return;
    const Curl* api = curl();
    if (api == nullptr) return;
    Http http(*api, cancelled_, limits_);
    {
        // Under the lock the window either sees the connection to wake, or this sees the cancellation.
        std::lock_guard lock(httpMutex_);
        if (cancelled_) return;
        http_ = &http;
    }
    fetch(http);
    std::lock_guard lock(httpMutex_);
    http_ = nullptr;
}

void TMyThread::fetch(Http& http) {
    std::string base = hosts_.front();
    std::string page;
    bool valid = http.get(base + kAdPagePath, page, limits_.pageBytes) && isAdPage(page);
    if (!valid && !cancelled_) {
        base = hosts_.size() > 1 ? hosts_[1] : hosts_.front();
        valid = http.get(base + kAdPagePath, page, limits_.pageBytes) && isAdPage(page);
    }
    if (!valid || cancelled_) return;

    AdLists lists = readAdPage(page);
    const std::int32_t bannerCount = lists.AdCount;
    const std::vector<std::string> files = lists.AdFile;
    post([lists = std::move(lists)](AdDisplay& display) mutable { display.listsArrived(std::move(lists)); });

    for (std::int32_t n = 1; n <= bannerCount; ++n) {
        if (cancelled_) return;
        post([n](AdDisplay& display) { display.fetchingBanner(n); });
        const std::string& name = files[static_cast<size_t>(n)];
        std::string path;
        // A refused name is skipped: nothing is fetched or written for it, and the run goes on.
        if (isSafeBannerName(name)) {
            path = programFolder_ + name;
            std::error_code ignored;
            if (!std::filesystem::exists(path, ignored)) {
                std::string banner;
                if (http.get(base + "/" + addressPart(http.library(), name), banner, limits_.bannerBytes)) {
                    if (!replaceFile(path, banner)) return;
                }
            }
        }
        if (n == 1) post([path](AdDisplay& display) { display.handOver(path); });
    }
    if (!cancelled_) post([](AdDisplay& display) { display.startRotation(); });
}

}  // namespace zuvo
