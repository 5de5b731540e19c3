// SPDX-License-Identifier: MIT
// The main window's two mode buttons and the exam clock: the end of practice, the exam's hand-in and its search
// for unanswered questions, redraws, and the cancelling of a key point.
#include <utility>

#include "bank/statements.h"
#include "core/countdown.h"
#include "core/main_window.h"
#include "core/text.h"

namespace zuvo {

void MainWindowLogic::TimerKsTimer() {
    form.LabTime.caption = formatCountdown(remainingMs(state.ExamStart, state.ExamMinutes, platform_.now()));
    if (timeRemains()) return;
    // Off before the hand-in: should the bank refuse the update, its error is shown once, not at every tick.
    // The hand-in button tries again.
    form.TimerKs.enabled = false;
    BtnExitClick();
}

bool MainWindowLogic::timeRemains() { return remainingMs(state.ExamStart, state.ExamMinutes, platform_.now()) > 0; }

void MainWindowLogic::BtnExitClick() {
    // Practice ends by covering the question area; the set stays as it is behind the start picture.
    if (state.ModeName != kExamModeName) return ShowPan(1);
    if (timeRemains() && !platform_.askOkCancel(kHandInQuestion)) {
        ShowPan(1);
        // A handed-in paper takes no more answers: they would change its review after the score was given.
        if (state.HandedIn == "0") setAnswerButtonsEnabled(true);
        return;
    }
    if (state.HandedIn != "0") return;
    handIn();
}

void MainWindowLogic::handIn() {
    int score = 0;
    std::vector<std::int64_t> wrong;
    for (std::int32_t i = 1; i <= state.TmCount; ++i) {
        if (state.RightFlag[static_cast<size_t>(i)] != 0) {
            score += state.RightFlag[static_cast<size_t>(i)];
        } else if (!state.Answer[static_cast<size_t>(i)].empty()) {
            wrong.push_back(idOf(i));
        }
    }
    if (!wrong.empty()) changeKeyPoints(statements::markKeyPoints(wrong));
    form.TimerKs.enabled = false;
    form.LabTime.visible = form.LabTime2.visible = false;
    // Handed in before the score box opens: nothing the box lets run may hand the paper in a second time.
    state.HandedIn = "1";
    platform_.askOkCancel(scoreText(score));
    showJudgement();
    setAnswerButtonsEnabled(false);
    form.BtnJclt.caption = kRedrawCaption;
    form.BtnExit.caption = kEndCaption;
}

std::string scoreText(int score) {
    return "考试成绩为：" + std::to_string(score) + " 分！\r\r回答不正确的题目将加入到重点练习题！";
}

void MainWindowLogic::BtnJcltClick() {
    switch (state.SelType) {
        case kRandomMode:
            return redrawRandomSet();
        case kExamMode:
            if (state.HandedIn != "1") return seekUnanswered();
            selTm.BtnKsClick();
            form.BtnJclt.caption = kSeekCaption;
            return;
        case kKeyPointMode:
            return cancelKeyPoint();
        default:
            return;
    }
}

void MainWindowLogic::seekUnanswered() {
    const std::int32_t start = state.SeekNo;
    const std::int32_t count = state.TmCount;
    if (start > count) return;
    auto unanswered = [this](std::int32_t n) { return state.answerOf(n).empty(); };
    for (std::int32_t i = start; i <= count; ++i) {
        if (i < count) {
            state.SeekNo = i + 1;
        } else {
            // Past the end: question 1 first, then the first gap from question 2 on.
            state.SeekNo = 1;
            if (!unanswered(1)) {
                std::int32_t gap = 2;
                while (gap <= count && !unanswered(gap)) ++gap;
                if (gap <= count) {
                    state.SeekNo = gap;
                } else {
                    platform_.showMessage(kAllAnswered);
                }
            }
        }
        if (unanswered(state.SeekNo)) {
            procDispWord(kMoveToSeek);
            platform_.repaint();
            return;
        }
    }
}

void MainWindowLogic::redrawRandomSet() {
    constexpr DateTime kTwoMinutes = 2.0 / (24 * 60);
    if (platform_.now() - state.DrawTime > kTwoMinutes) return selTm.BtnLxClick();
    platform_.showMessage(kRedrawTooSoon);
}

void MainWindowLogic::cancelKeyPoint() {
    changeKeyPoints(statements::clearKeyPoint(idOf(state.CurNo)));
    platform_.showMessage(kKeyPointCancelled);
}

void MainWindowLogic::changeKeyPoints(Statement change) {
    Query& update = data_.ADOWordUpdate;
    update.setStatement(std::move(change));
    update.execSql();
}

std::int64_t MainWindowLogic::idOf(int number) {
    moveCursorTo(number);
    return toInteger(data_.ADOWord.fieldByName("Id"));
}

}  // namespace zuvo
