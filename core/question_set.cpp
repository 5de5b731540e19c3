// SPDX-License-Identifier: MIT
#include "core/question_set.h"

#include <numeric>
#include <utility>

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

void QuestionSet::shuffle(Random& random) {
    // Each place takes one of the entries not yet placed, each with the same chance.
    for (std::int32_t i = 0; i < TmCount; ++i) {
        const std::int32_t j = i + random.below(TmCount - i);
        if (j != i) std::swap(TmOrder[static_cast<size_t>(i)], TmOrder[static_cast<size_t>(j)]);
    }
}

const std::string& QuestionSet::answerOf(std::int32_t n) const {
    static const std::string none;
    return holds(n) ? Answer[static_cast<size_t>(n)] : none;
}

std::int32_t QuestionSet::offsetOf(std::int32_t n) const {
    if (n < 1 || static_cast<size_t>(n) > TmOrder.size())
        throw Error("No question " + std::to_string(n) + " in this set");
    return TmOrder[static_cast<size_t>(n) - 1];
}

}  // namespace zuvo
