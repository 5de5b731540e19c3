// SPDX-License-Identifier: MIT
// A platform for tests: boxes answer from a script, the clock moves only when told, and a test can run a handler
// "during" a box or a delay to check re-entry.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "core/platform.h"

namespace zuvo::test {

class FakePlatform : public Platform {
  public:
    void showMessage(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    void delay(int ms) override;
    void repaint() override { ++repaints; }

    DateTime now() override { return clock; }
    std::uint32_t tickCount() override { return ticks; }
    std::uint64_t performanceCounter() override { return counter++; }

    int linkTextWidth(const std::string& text) override { return static_cast<int>(text.size()) * 6; }
    void openUrl(const std::string& url) override { openedUrls.push_back(url); }
    // At once, or, with queueUiTasks, kept until runUiTasks as the real event queue keeps them (other threads may
    // hand tasks over).
    void runOnUiThread(std::function<void()> task) override;
    void runUiTasks();

    std::vector<std::string> messages;   // plain notices, in order
    std::vector<std::string> questions;  // texts of the OK/Cancel boxes
    std::deque<bool> okAnswers;          // what the OK/Cancel boxes answer; OK when the script is used up
    std::vector<int> delays;
    std::vector<std::string> openedUrls;
    int repaints = 0;
    DateTime clock = 46000.5;
    std::uint32_t ticks = 0;
    // How far one delay moves the tick counter; negative: exactly the time asked for.
    int tickStep = -1;
    std::uint64_t counter = 1;
    bool queueUiTasks = false;
    // Runs once inside the next box or delay, as a handler the nested event loop would deliver.
    std::function<void()> during;

  private:
    void runDuring();
    std::mutex tasksMutex_;
    std::vector<std::function<void()>> uiTasks_;
};

}  // namespace zuvo::test
