// SPDX-License-Identifier: MIT
#include "ads/ad_worker.h"

#include <curl/curl.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "bank/gbk.h"
#include "core/ad_page.h"
#include "core/files.h"

namespace zuvo {
namespace {

constexpr const char* kFirstAdHost = "http://ads1.zuvo.example";
constexpr const char* kSecondAdHost = "http://ads2.zuvo.example";

std::string withoutTrailingSlash(std::string url) {
    while (!url.empty() && url.back() == '/') url.pop_back();
    return url;
}

// The banner's file name as it stands in an address: its GBK bytes, escaped where an address needs it.
std::string addressPart(const std::string& name) {
    std::string bytes;
    try {
        bytes = utf8ToGbk(name);
    } catch (...) {
        bytes = name;
    }
    char* escaped = curl_easy_escape(nullptr, bytes.data(), static_cast<int>(bytes.size()));
    std::string result = escaped ? escaped : "";
    curl_free(escaped);
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
    Http(const std::atomic<bool>& cancelled, const AdFetchLimits& limits) : cancelled_(cancelled), limits_(limits) {
        static std::once_flag initialised;
        std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
        easy_ = curl_easy_init();
        multi_ = curl_multi_init();
    }
    ~Http() {
        curl_multi_cleanup(multi_);
        curl_easy_cleanup(easy_);
    }

    void wake() { curl_multi_wakeup(multi_); }

    // The body of a successful (2xx) response, within the size limit; false for anything else.
    bool get(const std::string& url, std::string& body, std::size_t limit) {
        if (!easy_ || !multi_) return false;
        body.clear();
        Sink sink{body, limit};
        curl_easy_reset(easy_);
        curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, limits_.connectTimeoutMs);
        curl_easy_setopt(easy_, CURLOPT_TIMEOUT_MS, limits_.totalTimeoutMs);
        curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &Http::write);
        curl_easy_setopt(easy_, CURLOPT_WRITEDATA, &sink);
        if (curl_multi_add_handle(multi_, easy_) != CURLM_OK) return false;
        CURLcode result = CURLE_FAILED_INIT;
        for (;;) {
            int running = 0;
            if (curl_multi_perform(multi_, &running) != CURLM_OK) break;
            if (running == 0) {
                int queued = 0;
                while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
                    if (message->msg == CURLMSG_DONE) result = message->data.result;
                }
                break;
            }
            if (cancelled_) break;
            curl_multi_poll(multi_, nullptr, 0, 1000, nullptr);
            if (cancelled_) break;
        }
        curl_multi_remove_handle(multi_, easy_);
        if (cancelled_ || result != CURLE_OK) return false;
        long status = 0;
        curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
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
      limits_(limits),
      http_(std::make_unique<Http>(cancelled_, limits_)) {}

TMyThread::~TMyThread() {
    cancelled_ = true;
    http_->wake();
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
    if (hosts_.empty()) return;
    std::string base = hosts_.front();
    std::string page;
    bool valid = http_->get(base + kAdPagePath, page, limits_.pageBytes) && isAdPage(page);
    if (!valid && !cancelled_) {
        base = hosts_.size() > 1 ? hosts_[1] : hosts_.front();
        valid = http_->get(base + kAdPagePath, page, limits_.pageBytes) && isAdPage(page);
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
                if (http_->get(base + "/" + addressPart(name), banner, limits_.bannerBytes)) {
                    if (!replaceFile(path, banner)) return;
                }
            }
        }
        if (n == 1) post([path](AdDisplay& display) { display.handOver(path); });
    }
    if (!cancelled_) post([](AdDisplay& display) { display.startRotation(); });
}

}  // namespace zuvo
