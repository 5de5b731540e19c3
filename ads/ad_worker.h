// SPDX-License-Identifier: MIT
// TMyThread: fetches the ad page from the first ad host (or else the second), reads its lists, fetches the banner
// files that are not yet in the program folder, and hands everything to the ad display on the user-interface
// thread. It never reports anything: a failure only means that no advertising is shown.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/ad_display.h"
#include "core/platform.h"

namespace zuvo {

// The two ad hosts (scheme and host, no trailing slash): the program's own, or those named by the environment
// variable ZUVO_AD_HOSTS as "URL1,URL2".
std::vector<std::string> adHosts();

// Bounds on what the network may cost: a host that never answers, or a page or banner without end.
struct AdFetchLimits {
    long connectTimeoutMs = 5000;
    long totalTimeoutMs = 30000;
    std::size_t pageBytes = 1 << 20;
    std::size_t bannerBytes = 16 << 20;
};

class TMyThread {
  public:
    TMyThread(AdDisplay& display, Platform& platform, std::vector<std::string> hosts, AdFetchLimits limits = {});
    // Cancels a request in progress at once and waits for the thread, so that it never outlives the window.
    ~TMyThread();
    TMyThread(const TMyThread&) = delete;
    TMyThread& operator=(const TMyThread&) = delete;

    void Start();
    // Waits until the run has ended by itself.
    void wait();

  private:
    class Http;

    void run();
    void fetch(Http& http);
    template <class Step>
    void post(Step step);

    AdDisplay& display_;
    Platform& platform_;
    std::weak_ptr<const void> displayAlive_;
    std::vector<std::string> hosts_;
    std::string programFolder_;
    AdFetchLimits limits_;
    std::atomic<bool> cancelled_{false};
    // The run's connection while it has one, for the window to wake when it cancels.
    std::mutex httpMutex_;
    Http* http_ = nullptr;
    std::thread thread_;
};

}  // namespace zuvo
