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

}  // namespace zuvo::test
