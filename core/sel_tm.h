// SPDX-License-Identifier: MIT
// frmSelTm: the exam-type choice before every run, and the set-ups of the modes it starts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bank/data_module.h"
#include "core/main_form.h"
#include "core/platform.h"

namespace zuvo {

class MainWindowLogic;

// The modes by the value SelType gives them; the group bar's items come in this order.
enum Mode : std::uint8_t { kCategoryMode = 0, kSequentialMode = 1, kRandomMode = 2, kExamMode = 3, kKeyPointMode = 4 };

// The name of each mode's runs, by mode.
inline constexpr const char* kModeNames[] = {"分类练习", "顺序练习", "随机练习", "模拟考试", "重点练习"};

inline constexpr const char* kNoKeyPoint = "重点练习中没有任何题目，现在进入随机练习！";
inline constexpr const char* kNoExamType = "题库中没有任何考试类型，无法开始练习！";
inline constexpr const char* kNoExamQuestions = "该考试类型没有任何题目，无法抽取试卷！";
inline constexpr const char* kEndCaption = "结束(7)";
inline constexpr const char* kHandInCaption = "交卷(7)";
inline constexpr const char* kSeekCaption = "检查漏题(0)";
inline constexpr const char* kRedrawCaption = "重新抽题(0)";
inline constexpr const char* kCancelKeyPointCaption = "取消重点(0)";

// An exam type as its list item names it: the code before the first "〔", the name between it and the first "〕".
struct ExamTypeCaption {
    std::string code;
    std::string name;
};
ExamTypeCaption parseTypeCaption(const std::string& caption);

struct SelTmForm {
    ComboBox ComboBoxEx1;
    bool visible = false;
};

class SelTmLogic {
  public:
    SelTmLogic(MainWindowLogic& main, DataModule& data, Platform& platform)
        : main_(main), data_(data), platform_(platform) {}

    SelTmForm form;
    // The caption of the exam type a set-up read last.
    std::string TypeCaption;
    // Shows the dialog modally and returns once form.visible is false again; the window sets it.
    std::function<void()> runModal;

    void ShowModal();
    void BitBtn3Click();  // OK: the set-up of the mode SelType names
    void BitBtn1Click();  // Cancel

    // The set-ups. Each reads the exam type selected in the list, whether the dialog shows or not.
    void BtnFlClick();
    void BtnSxClick();
    void BtnLxClick();
    void BtnZdClick();
    void BtnKsClick();

    // The ids of at most count questions of the exam type and the kind ("xz" or "pd"), drawn at random without
    // repetition, in the order drawn.
    std::vector<std::int64_t> Get_Random_ID(const std::string& typeCode, const std::string& kind, int count);

  private:
    // What the practice modes' windows differ in.
    struct PracticeLook {
        bool restartSearch;   // SeekNo starts over at 1
        bool categoryList;    // the category list shows (category practice)
        const char* command;  // the caption of BtnJclt, which is hidden without one
    };

    std::string selectedCaption() const;
    // A new run of mode over the selected exam type: nothing handed in, the type read, the run named.
    void startRun(Mode mode);
    // Seeds from the clock at each set-up, so no two runs share their order.
    void shuffleSet();
    // Question 1 of the new set on screen, as the current question; SeekNo starts over too when restartSearch.
    void showQuestionOne(bool restartSearch);
    // Question 1 of the new set on screen, the window set for practice, the dialog closed.
    void showPractice(const PracticeLook& look);

    MainWindowLogic& main_;
    DataModule& data_;
    Platform& platform_;
};

}  // namespace zuvo
