// SPDX-License-Identifier: MIT
// The main window's logic: start-up, the start picture and the display of the current question.
#pragma once

#include <functional>
#include <string>

#include "bank/data_module.h"
#include "core/ad_display.h"
#include "core/main_form.h"
#include "core/platform.h"
#include "core/question_set.h"
#include "core/random.h"
#include "core/sel_tm.h"

namespace zuvo {

// The callers of the render, each with its own heading prefix, number box and answer-row handling.
enum class RenderForm { Full, StartUp, SetUp, CategoryChange, JumpByNumber, AutoAdvance };

// The moves of procDispWord, with the values its callers pass.
enum Move : int { kMovePrevious = 2, kMoveNext = 3, kMoveToSeek = 4 };

// Virtual-key codes of the keys the window acts on: the numeric keypad's digits with Num Lock on, and Enter.
inline constexpr int kVkReturn = 0x0D;
inline constexpr int kVkNumpad0 = 0x60;
inline constexpr int kVkNumpad7 = 0x67;

inline constexpr const char* kExamModeName = "模拟考试";
inline constexpr const char* kNoSuchQuestion = "没有这道题目，请检查题号！";
inline constexpr const char* kRedrawTooSoon = "请在取得题目两分钟后再重新抽题！";
inline constexpr const char* kKeyPointCancelled = "成功取消重点题目，在下次启动重点练习时生效！";
inline constexpr const char* kHandInQuestion = "当前还有试题未完成，您确定要交卷了吗？";
inline constexpr const char* kAllAnswered = "所有题目都回答完了！";

// The text of the score box.
std::string scoreText(int score);

inline constexpr const char* kStartPicture = "JPG112233";
inline constexpr const char* kRightBitmap = "BMPdui";
inline constexpr const char* kWrongBitmap = "BMPcuo";

class MainWindowLogic {
  public:
    MainWindowLogic(DataModule& data, Platform& platform)
        : ads(form, platform), selTm(*this, data, platform), data_(data), platform_(platform) {}

    MainForm form;
    AdDisplay ads;
    QuestionSet state;
    // The selection dialog's logic: created with the window, as the dialog lives from start-up on.
    SelTmLogic selTm;
    // Starts the ad worker; the hidden button BtnAd2 stands for it.
    std::function<void()> startAdWorker;
    // The start picture's resource name; tests name a missing one.
    std::string startPicture = kStartPicture;

    void FormCreate();
    void ShowPan(int mode);
    void procDispWord(int move);
    // Renders the row under the cursor of ADOWord; number is the question number the heading shows.
    void ShowTm(RenderForm which, int number);
    void ShowJpg(const std::string& name);
    void BtnAd2Click();

    // Answering: the buttons give their value for the current question's type and judge it.
    void BtnAClick();
    void BtnBClick();
    void BtnCClick();
    void BtnDClick();
    void procJudRw(std::string answer);
    // Waits at least ms while the window goes on handling its events; at least one pass of them, even for 0.
    void Delay(int ms);

    // Moving: previous and next, and the jump to a typed number.
    void BtnPerClick();
    void BtnNextClick();
    void BtnTurnClick();
    // The character filter of the number box: returns the character to type, or 0 to drop it.
    char32_t Edit1KeyPress(char32_t key);
    void Edit1KeyDown(int key);

    // The group bar: each item leaves the current run and opens the selection dialog for its mode.
    void RzGroup1Items0Click();
    void RzGroup1Items1Click();
    void RzGroup1Items2Click();
    void RzGroup1Items3Click();
    void RzGroup1Items4Click();
    // Refills the selection dialog's exam-type list; the argument is not used.
    void xunhuanWord(int unused);

    // The set-ups' shared steps. openSet replaces the question set by the statement's rows in their stored order;
    // the cursor stands on question 1.
    void openSet(const Statement& statement);
    void shuffleSet(Random& random);
    void setAnswerButtonsEnabled(bool enabled);
    // The questions of the category in row `row` of the open category list.
    void openCategory(int row);
    // The category switch of category practice.
    void ComboBoxEx1Change();

    // The mode commands behind keypad 0 and 7.
    void BtnJcltClick();
    void BtnExitClick();
    // The exam clock's tick: shows the time left and hands the paper in once it is up.
    void TimerKsTimer();

    // Auto-advance: shows the row under the cursor, then moves the cursor on.
    void tmrAutoWordTimer();

    // The keypad commands: of the buttons and the category list (allKeyD), and of the window itself.
    void allKeyD(int key);
    void FormKeyDown(int key);

  private:
    void showAnswerRow();
    void clearAnswerRow();
    void applyKeyMap(int key);
    // The answer a button gives on a choice and on a true/false question; other types take none.
    void answerByType(const char* onChoice, const char* onTrueFalse);
    // The cursor of ADOWord onto question number's row.
    void moveCursorTo(int number);
    void openSelection(Mode mode);
    bool timeRemains();
    // Scores the paper, marks its wrongly answered questions as key points and turns to review.
    void handIn();
    // Shows the next unanswered question after SeekNo, wrapping once past the end.
    void seekUnanswered();
    // Random practice draws a new set only two minutes after the last draw.
    void redrawRandomSet();
    void cancelKeyPoint();
    // Runs one change of the key-point flags on ADOWordUpdate.
    void changeKeyPoints(Statement change);
    // The judgement line of the current question after hand-in; an unanswered question counts as wrong.
    void showJudgement();
    // The Id of question number's row; leaves the cursor on that row.
    std::int64_t idOf(int number);

    DataModule& data_;
    Platform& platform_;
};

}  // namespace zuvo
