// SPDX-License-Identifier: MIT
#include "tests/support/http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace zuvo::test {
namespace {

int listenOnLoopback(int& port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        throw std::runtime_error("bind failed");
    }
    port = ntohs(address.sin_port);
    return fd;
}

}  // namespace

HttpServer::HttpServer() {
    listener_ = listenOnLoopback(port_);
    if (listen(listener_, 16) != 0) throw std::runtime_error("listen failed");
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) throw std::runtime_error("pipe failed");
    wakeRead_ = pipeEnds[0];
    wakeWrite_ = pipeEnds[1];
    thread_ = std::thread([this] { serve(); });
}

HttpServer::~HttpServer() {
    const char stop = 1;
    if (write(wakeWrite_, &stop, 1) != 1) {
        // The thread then ends at the next connection; nothing better can be done here.
    }
    thread_.join();
    for (int connection : hanging_) close(connection);
    close(listener_);
    close(wakeRead_);
    close(wakeWrite_);
}

std::string HttpServer::base() const { return "http://127.0.0.1:" + std::to_string(port_); }

void HttpServer::reply(const std::string& path, Reply reply) {
    std::lock_guard lock(mutex_);
    replies_[path] = std::move(reply);
}

int HttpServer::requests(const std::string& path) const {
    std::lock_guard lock(mutex_);
    auto found = requests_.find(path);
    return found == requests_.end() ? 0 : found->second;
}

void HttpServer::serve() {
    for (;;) {
        pollfd watched[2] = {{listener_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (poll(watched, 2, -1) < 0) continue;
        if (watched[1].revents) return;
        if (watched[0].revents & POLLIN) {
            const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection >= 0) answer(connection);
        }
    }
}

void HttpServer::answer(int connection) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        pollfd readable{connection, POLLIN, 0};
        if (poll(&readable, 1, 2000) <= 0) break;
        const ssize_t got = read(connection, buffer, sizeof buffer);
        if (got <= 0) break;
        request.append(buffer, static_cast<size_t>(got));
    }
    // "GET /path HTTP/1.1"
    const size_t first = request.find(' ');
    const size_t second = first == std::string::npos ? std::string::npos : request.find(' ', first + 1);
    const std::string path = second == std::string::npos ? "" : request.substr(first + 1, second - first - 1);
    Reply reply{404, "not here", false};
    {
        std::lock_guard lock(mutex_);
        ++requests_[path];
        if (auto found = replies_.find(path); found != replies_.end()) reply = found->second;
    }
    if (reply.hang) {
        hanging_.push_back(connection);
        return;
    }
    std::string response = "HTTP/1.1 " + std::to_string(reply.status) +
                           " Reply\r\nContent-Length: " + std::to_string(reply.body.size()) +
                           "\r\nConnection: close\r\n\r\n" + reply.body;
    size_t sent = 0;
    while (sent < response.size()) {
        const ssize_t put = send(connection, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
        if (put <= 0) break;
        sent += static_cast<size_t>(put);
    }
    close(connection);
}

std::string refusingBase() {
    int port = 0;
    const int fd = listenOnLoopback(port);
    close(fd);  // bound once, now free and unlistened: connections are refused
    return "http://127.0.0.1:" + std::to_string(port);
}

}  // namespace zuvo::test
