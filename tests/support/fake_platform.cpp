// SPDX-License-Identifier: MIT
#include "tests/support/fake_platform.h"

#include <utility>

namespace zuvo::test {

void FakePlatform::runDuring() {
    if (during) std::exchange(during, nullptr)();
}

void FakePlatform::showMessage(const std::string& text) {
    messages.push_back(text);
    runDuring();
}

bool FakePlatform::askOkCancel(const std::string& text) {
    questions.push_back(text);
    runDuring();
    if (okAnswers.empty()) return true;
    bool answer = okAnswers.front();
    okAnswers.pop_front();
    return answer;
}

void FakePlatform::delay(int ms) {
    delays.push_back(ms);
    ticks += static_cast<std::uint32_t>(tickStep < 0 ? ms : tickStep);
    runDuring();
}

void FakePlatform::runOnUiThread(std::function<void()> task) {
    if (!queueUiTasks) {
        task();
        return;
    }
    std::lock_guard lock(tasksMutex_);
    uiTasks_.push_back(std::move(task));
}

void FakePlatform::runUiTasks() {
    std::vector<std::function<void()>> tasks;
    {
        std::lock_guard lock(tasksMutex_);
        tasks.swap(uiTasks_);
    }
    for (auto& task : tasks) task();
}

}  // namespace zuvo::test
