// SPDX-License-Identifier: MIT
#include "core/question_set.h"

#include <numeric>

#include "bank/error.h"

namespace zuvo {

void QuestionSet::reset(std::int32_t count) {
    TmCount = count;
    const auto entries = static_cast<size_t>(count) + 1;
    TmOrder.resize(entries);
    std::iota(TmOrder.begin(), TmOrder.end(), 0);
    RightFlag.assign(entries, 0);
    Answer.assign(entries, std::string());
}

const std::string& QuestionSet::answerOf(std::int32_t n) const {
    static const std::string none;
    return holds(n) ? Answer[static_cast<size_t>(n)] : none;
}

std::int32_t QuestionSet::offsetOf(std::int32_t n) const {
    if (n < 1 || static_cast<size_t>(n) > TmOrder.size()) throw Error("No question " + std::to_string(n) + " in this set");
    return TmOrder[static_cast<size_t>(n) - 1];
}

}  // namespace zuvo
