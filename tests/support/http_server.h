// SPDX-License-Identifier: MIT
// A small HTTP server on 127.0.0.1 for the ad worker's tests: fixed replies by path, a count of requests, and
// replies that never come, for a host that accepts the connection and then hangs.
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zuvo::test {

class HttpServer {
  public:
    struct Reply {
        int status = 200;
        std::string body;
        bool hang = false;
    };

    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // "http://127.0.0.1:<port>"
    std::string base() const;
    // Paths without a reply get 404.
    void reply(const std::string& path, Reply reply);
    int requests(const std::string& path) const;

  private:
    void serve();
    void answer(int connection);

    int listener_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, Reply> replies_;
    std::map<std::string, int> requests_;
    std::vector<int> hanging_;
    std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens: every connection is refused.
std::string refusingBase();

}  // namespace zuvo::test
