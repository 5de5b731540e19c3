// SPDX-License-Identifier: MIT
// The main window's logic: start-up, the start picture and the display of the current question.
#pragma once

#include <functional>
#include <string>

#include "bank/data_module.h"
#include "core/main_form.h"
#include "core/platform.h"
#include "core/question_set.h"

namespace zuvo {

// The callers of the render, each with its own heading prefix, number box and answer-row handling.
enum class RenderForm { Full, StartUp, SetUp, CategoryChange, JumpByNumber, AutoAdvance };

// The moves of procDispWord, with the values its callers pass.
enum Move : int { kMovePrevious = 2, kMoveNext = 3, kMoveToSeek = 4 };

inline constexpr const char* kStartPicture = "JPG112233";
inline constexpr const char* kRightBitmap = "BMPdui";
inline constexpr const char* kWrongBitmap = "BMPcuo";

class MainWindowLogic {
public:
    MainWindowLogic(DataModule& data, Platform& platform) : data_(data), platform_(platform) {}

    MainForm form;
    QuestionSet state;
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

private:
    void showAnswerRow();
    void clearAnswerRow();

    DataModule& data_;
    Platform& platform_;
};

}  // namespace zuvo
