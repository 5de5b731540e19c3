// SPDX-License-Identifier: MIT
// The state of the question set the main window works on. Every set-up replaces it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/platform.h"
#include "core/random.h"

namespace zuvo {

struct QuestionSet {
    std::string KslxDm;    // code of the chosen exam type
    std::string KslxMc;    // prefix of the heading line, "【name mode】"
    std::string ModeName;  // the running mode; "模拟考试" marks the mock exam
    std::string HandedIn;  // "1" once a mock exam is handed in, else "0"
    std::uint8_t SelType = 0;
    // TmOrder[n - 1]: offset of question n's row from the first row. RightFlag[n] and Answer[n] belong to
    // question n; entry 0 is unused. All three hold TmCount + 1 entries once a set is built, none before.
    std::vector<std::int32_t> TmOrder;
    std::vector<std::int32_t> RightFlag;
    std::vector<std::string> Answer;
    std::int32_t TmCount = 0;
    std::int32_t CurNo = 0;
    std::int32_t SeekNo = 0;
    std::int32_t ExamMinutes = 0;
    DateTime ExamStart = 0;
    DateTime DrawTime = 0;

    // Sizes and refills all three arrays for a set of count questions, in the stored order.
    void reset(std::int32_t count);
    // Puts questions 1 to TmCount in a random order, every order equally likely; the last entry keeps TmCount.
    void shuffle(Random& random);
    // True when question n has entries in the arrays: never after a failed opening of the bank.
    bool holds(std::int32_t n) const { return n >= 1 && static_cast<size_t>(n) < Answer.size(); }
    // The answer given to question n, empty for an unanswered question or one the arrays do not hold.
    const std::string& answerOf(std::int32_t n) const;
    // The row offset of question n; throws Error when the arrays do not hold it.
    std::int32_t offsetOf(std::int32_t n) const;
};

}  // namespace zuvo
