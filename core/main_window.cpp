// SPDX-License-Identifier: MIT
#include "core/main_window.h"

#include "bank/scramble.h"
#include "bank/statements.h"
#include "core/text.h"
#include "resources/resources.h"

namespace zuvo {
namespace {

enum class AnswerRow { Judged, Cleared, Untouched };

struct RenderTraits {
    const char* prefix;
    bool setsNumberBox;
    AnswerRow answerRow;
    bool repaints;
};

RenderTraits traitsOf(RenderForm which) {
    switch (which) {
        case RenderForm::Full:
            return {"，第 ", true, AnswerRow::Judged, true};
        case RenderForm::StartUp:
            return {"第 ", true, AnswerRow::Untouched, false};
        case RenderForm::SetUp:
            return {"，第 ", true, AnswerRow::Cleared, false};
        case RenderForm::CategoryChange:
            // Cleared: an answer to the previous category's question must not stand beside a new one.
            return {"，第 ", true, AnswerRow::Cleared, false};
        case RenderForm::JumpByNumber:
            return {"，第 ", false, AnswerRow::Cleared, false};
        case RenderForm::AutoAdvance:
            return {"，第 ", true, AnswerRow::Untouched, false};
    }
    return {"，第 ", true, AnswerRow::Untouched, false};
}

const std::string kEmptyAnswerLine(17, ' ');
const std::string kAnswerPad(8, ' ');

// The right or wrong mark beside the answer line; none when the bitmap is missing.
Picture answerMark(bool right) {
    const char* bitmap = right ? kRightBitmap : kWrongBitmap;
    return hasResource("BMP", bitmap) ? Picture{bitmap, loadPicture("BMP", bitmap)} : Picture{};
}

}  // namespace

void MainWindowLogic::FormCreate() {
    form.Image3.picture = Picture{startPicture, loadPicture("JPEG", startPicture)};
    ShowPan(1);
    data_.ADOTmLx.reopen(statements::allExamTypes());
    data_.ADOWord.reopen(statements::allQuestions());
    state.CurNo = 1;
    state.SeekNo = 1;
    state.HandedIn = "0";
    state.ExamMinutes = 45;
    state.reset(data_.ADOWord.recordCount());
    ShowTm(RenderForm::StartUp, state.CurNo);
    BtnAd2Click();
}

void MainWindowLogic::BtnAd2Click() {
    if (startAdWorker) startAdWorker();
}

void MainWindowLogic::ShowPan(int mode) {
    if (mode == 0) {
        form.Panel1.width = form.Panel1.height = 0;
        form.Image3Width = form.Image3Height = 0;
        form.Image3.visible = false;
        form.Panel1.visible = false;
        Delay(10);
    } else if (mode == 1) {
        form.Panel1.width = kFormOuterWidth - kGroupWidth;
        form.Panel1.height = kFormOuterHeight - kBannerStripHeight - kStatusBarHeight + 48;
        form.Image3Width = form.Panel1.width;
        form.Image3Height = form.Panel1.height;
        form.Image3.visible = true;
        form.Panel1.visible = true;
    }
    platform_.repaint();
}

void MainWindowLogic::procDispWord(int move) {
    if (state.CurNo < 1) state.CurNo = 1;
    switch (move) {
        case kMovePrevious:
            if (state.CurNo > 1) --state.CurNo;
            break;
        case kMoveNext:
            if (state.CurNo < state.TmCount) ++state.CurNo;
            break;
        case kMoveToSeek:
            state.CurNo = state.SeekNo;
            break;
        default:
            break;
    }
    moveCursorTo(state.CurNo);
    ShowTm(RenderForm::Full, state.CurNo);
}

void MainWindowLogic::moveCursorTo(int number) {
    data_.ADOWord.first();
    data_.ADOWord.moveBy(state.offsetOf(number));
}

void MainWindowLogic::ShowTm(RenderForm which, int number) {
    const RenderTraits traits = traitsOf(which);
    Query& word = data_.ADOWord;
    const std::string shown = std::to_string(number);

    form.lblWord.caption = state.KslxMc + traits.prefix + shown + " 题，共 " + std::to_string(state.TmCount) + " 题";
    if (traits.setsNumberBox) form.Edit1.caption = shown;
    form.lblTm.caption = decodedField(word, "Tm");

    if (trim(word.fieldByName("Tmlx")) == "xz") {
        form.lbHD1.caption = "A：" + decodedField(word, "HD1");
        form.lbHD2.caption = "B：" + decodedField(word, "HD2");
        form.lbHD3.caption = "C：" + decodedField(word, "HD3");
        form.lbHD4.caption = "D：" + decodedField(word, "HD4");
        form.BtnA.caption = "A〔键1〕";
        form.BtnB.caption = "B〔键2〕";
        form.BtnC.caption = "C〔键3〕";
        form.BtnD.caption = "D〔键4〕";
        form.BtnC.visible = form.BtnD.visible = true;
    } else {
        for (Control* option : {&form.lbHD1, &form.lbHD2, &form.lbHD3, &form.lbHD4}) option->caption.clear();
        form.BtnA.caption = "对〔键1〕";
        form.BtnB.caption = "错〔键2〕";
        form.BtnC.visible = form.BtnD.visible = false;
    }

    form.lbDA.caption = trim(word.fieldByName("DA"));
    const std::string picture = trim(word.fieldByName("image"));
    if (picture.empty()) {
        form.Image2.picture = {};
    } else {
        ShowJpg("JPG" + picture);
    }

    switch (traits.answerRow) {
        case AnswerRow::Judged:
            showAnswerRow();
            break;
        case AnswerRow::Cleared:
            clearAnswerRow();
            break;
        case AnswerRow::Untouched:
            break;
    }
    if (traits.repaints) platform_.repaint();
}

void MainWindowLogic::showAnswerRow() {
    const std::string& standard = form.lbDA.caption;
    const std::string& given = state.answerOf(state.CurNo);
    if (state.HandedIn == "1") showJudgement();
    if (given.empty()) {
        clearAnswerRow();
    } else {
        form.Image1.picture = answerMark(standard == given);
        form.LbDa2.caption = kAnswerPad + given + kAnswerPad;
    }
}

void MainWindowLogic::showJudgement() {
    const std::string& standard = form.lbDA.caption;
    form.LbPd.caption = standard == state.answerOf(state.CurNo) ? "正确！" : "错误！标准答案为： " + standard;
}

void MainWindowLogic::clearAnswerRow() {
    form.Image1.picture = {};
    form.LbDa2.caption = kEmptyAnswerLine;
}

void MainWindowLogic::ShowJpg(const std::string& name) {
    const std::string resource = name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();
    form.Image2.picture = Picture{resource, loadPicture("JPEG", resource)};
}

void MainWindowLogic::answerByType(const char* onChoice, const char* onTrueFalse) {
    const std::string type = trim(data_.ADOWord.fieldByName("Tmlx"));
    if (type == "xz") {
        procJudRw(onChoice);
    } else if (type == "pd") {
        procJudRw(onTrueFalse);
    }
}

void MainWindowLogic::BtnAClick() { answerByType("A", "对"); }

void MainWindowLogic::BtnBClick() { answerByType("B", "错"); }

void MainWindowLogic::BtnCClick() { procJudRw("C"); }

void MainWindowLogic::BtnDClick() { procJudRw("D"); }

// The answer is taken by value: during the exam's pause other handlers run and may change anything.
void MainWindowLogic::procJudRw(std::string answer) {
    // No question is shown when the bank could not be opened; there is nothing to answer then.
    if (!state.holds(state.CurNo)) return;
    platform_.repaint();
    form.LbDa2.caption = kAnswerPad + answer + kAnswerPad;
    state.Answer[static_cast<size_t>(state.CurNo)] = answer;
    const bool right = form.lbDA.caption == answer;
    form.Image1.picture = answerMark(right);
    state.RightFlag[static_cast<size_t>(state.CurNo)] = right ? 1 : 0;
    if (state.CurNo <= state.TmCount && state.ModeName == kExamModeName) {
        Delay(750);
        procDispWord(kMoveNext);
    }
}

void MainWindowLogic::Delay(int ms) {
    // Unsigned differences of the wrapping counter: a wrap during the wait neither ends nor lengthens it.
    const std::uint32_t start = platform_.tickCount();
    const std::uint32_t wanted = ms > 0 ? static_cast<std::uint32_t>(ms) : 0;
    std::uint32_t elapsed = 0;
    do {
        platform_.delay(static_cast<int>(wanted - elapsed));
        elapsed = platform_.tickCount() - start;
    } while (elapsed < wanted);
}

void MainWindowLogic::BtnPerClick() { procDispWord(kMovePrevious); }

void MainWindowLogic::BtnNextClick() { procDispWord(kMoveNext); }

void MainWindowLogic::setAnswerButtonsEnabled(bool enabled) {
    for (Control* button : {&form.BtnA, &form.BtnB, &form.BtnC, &form.BtnD}) button->enabled = enabled;
}

void MainWindowLogic::BtnTurnClick() {
    // Number entry holds while the box is enabled; after a hand-in the answer buttons stay as they are.
    const bool entering = !form.Edit1.enabled;
    form.Edit1.enabled = entering;
    form.Label2.enabled = form.Label3.enabled = entering;
    if (state.HandedIn == "0") setAnswerButtonsEnabled(!entering);
    form.BtnPer.enabled = form.BtnNext.enabled = !entering;
}

char32_t MainWindowLogic::Edit1KeyPress(char32_t key) {
    return key == 8 || key == U'.' || (key >= U'0' && key <= U'9') ? key : 0;
}

void MainWindowLogic::Edit1KeyDown(int key) {
    if (key != kVkReturn) return;
    auto refuse = [this] {
        platform_.showMessage(kNoSuchQuestion);
        form.Edit1.caption = "1";
    };
    const std::string typed = form.Edit1.caption;
    // Seven characters are refused before any conversion, so such a text never shows the conversion error.
    if (characterCount(typed) >= 7) return refuse();
    const std::int32_t number = toInteger(typed);
    if (number < 1 || number > state.TmCount) return refuse();
    state.CurNo = number;
    moveCursorTo(number);
    ShowTm(RenderForm::JumpByNumber, number);
    BtnTurnClick();
}

void MainWindowLogic::tmrAutoWordTimer() {
    Query& word = data_.ADOWord;
    if (word.eof()) return;
    ShowTm(RenderForm::AutoAdvance, state.CurNo);
    word.next();
}

void MainWindowLogic::RzGroup1Items0Click() { openSelection(kCategoryMode); }

void MainWindowLogic::RzGroup1Items1Click() { openSelection(kSequentialMode); }

void MainWindowLogic::RzGroup1Items2Click() { openSelection(kRandomMode); }

void MainWindowLogic::RzGroup1Items3Click() { openSelection(kExamMode); }

void MainWindowLogic::RzGroup1Items4Click() { openSelection(kKeyPointMode); }

void MainWindowLogic::openSelection(Mode mode) {
    // The countdown stops even when the dialog is then cancelled: the paper is left, not handed in.
    form.TimerKs.enabled = false;
    xunhuanWord(1);
    ShowPan(1);
    state.SelType = mode;
    selTm.ShowModal();
}

void MainWindowLogic::xunhuanWord(int) {
    Query& types = data_.ADOTmLx;
    std::vector<std::string> captions;
    for (types.first(); !types.eof(); types.next()) {
        captions.push_back(trim(types.fieldByName("Dm")) + "〔" + trim(types.fieldByName("Mc")) + "〕");
    }
    // Always the first exam type: the choice made last time is not remembered.
    selTm.form.ComboBoxEx1.setItems(std::move(captions));
    types.first();
}

void MainWindowLogic::openSet(const Statement& statement) {
    data_.ADOWord.reopen(statement);
    state.reset(data_.ADOWord.recordCount());
}

void MainWindowLogic::shuffleSet(Random& random) {
    state.shuffle(random);
    moveCursorTo(1);
}

void MainWindowLogic::openCategory(int row) {
    Query& categories = data_.ADOTmfl;
    categories.first();
    categories.moveBy(row);
    openSet(statements::questionsOfCategory(state.KslxDm, trim(categories.fieldByName("Dm"))));
}

void MainWindowLogic::ComboBoxEx1Change() {
    state.HandedIn = "0";
    state.CurNo = 1;
    openCategory(form.ComboBoxEx1.itemIndex);
    ShowTm(RenderForm::CategoryChange, state.CurNo);
}

void MainWindowLogic::allKeyD(int key) { applyKeyMap(key); }

void MainWindowLogic::FormKeyDown(int key) { applyKeyMap(key); }

void MainWindowLogic::applyKeyMap(int key) {
    struct Command {
        Control MainForm::*button;
        void (MainWindowLogic::*click)();
    };
    // Keypad 0 to 7, in key order; each acts only as its button could be clicked.
    static constexpr Command kCommands[] = {
        {&MainForm::BtnJclt, &MainWindowLogic::BtnJcltClick}, {&MainForm::BtnA, &MainWindowLogic::BtnAClick},
        {&MainForm::BtnB, &MainWindowLogic::BtnBClick},       {&MainForm::BtnC, &MainWindowLogic::BtnCClick},
        {&MainForm::BtnD, &MainWindowLogic::BtnDClick},       {&MainForm::BtnPer, &MainWindowLogic::BtnPerClick},
        {&MainForm::BtnNext, &MainWindowLogic::BtnNextClick}, {&MainForm::BtnExit, &MainWindowLogic::BtnExitClick},
    };
    if (key < kVkNumpad0 || key > kVkNumpad7) return;
    const Command& command = kCommands[key - kVkNumpad0];
    const Control& button = form.*command.button;
    if (button.enabled && button.visible) (this->*command.click)();
}

}  // namespace zuvo
