// SPDX-License-Identifier: MIT
#include "core/sel_tm.h"

#include "bank/statements.h"
#include "core/main_window.h"
#include "core/random.h"
#include "core/text.h"

namespace zuvo {
namespace {

const std::string kOpen = "〔";
const std::string kClose = "〕";

}  // namespace

ExamTypeCaption parseTypeCaption(const std::string& caption) {
    // Searched by character, not by byte: in GBK the bytes of "〔" can also stand across two other characters.
    const size_t open = caption.find(kOpen);
    if (open == std::string::npos) return {};
    const size_t nameStart = open + kOpen.size();
    const size_t close = caption.find(kClose);
    if (close == std::string::npos || close < nameStart) return {caption.substr(0, open), {}};
    return {caption.substr(0, open), caption.substr(nameStart, close - nameStart)};
}

void SelTmLogic::ShowModal() {
    form.visible = true;
    if (runModal) runModal();
}

void SelTmLogic::BitBtn3Click() {
    if (form.ComboBoxEx1.itemIndex < 0) return platform_.showMessage(kNoExamType);
    switch (main_.state.SelType) {
        case kCategoryMode:
            return BtnFlClick();
        case kSequentialMode:
            return BtnSxClick();
        case kRandomMode:
            return BtnLxClick();
        case kKeyPointMode:
            return BtnZdClick();
        default:
            return;
    }
}

void SelTmLogic::BitBtn1Click() {
    form.visible = false;
    platform_.repaint();
}

void SelTmLogic::startRun(Mode mode) {
    QuestionSet& state = main_.state;
    state.HandedIn = "0";
    const ComboBox& types = form.ComboBoxEx1;
    TypeCaption = types.itemIndex >= 0 ? types.items.at(static_cast<size_t>(types.itemIndex)) : std::string();
    const ExamTypeCaption type = parseTypeCaption(TypeCaption);
    state.KslxDm = shortString(type.code);
    state.KslxMc = shortString("【" + type.name + " " + kModeNames[mode] + "】");
    state.ModeName = kModeNames[mode];
}

void SelTmLogic::shuffleSet() {
    Random random(platform_.performanceCounter());
    main_.shuffleSet(random);
}

void SelTmLogic::showPractice(const PracticeLook& look) {
    main_.ShowTm(RenderForm::SetUp, 1);
    main_.state.CurNo = 1;
    if (look.restartSearch) main_.state.SeekNo = 1;

    MainForm& f = main_.form;
    f.Image1.visible = true;
    f.LbPd.visible = false;
    f.BtnExit.caption = kEndCaption;
    f.ComboBoxEx1.visible = look.categoryList;
    f.BtnJclt.visible = look.command != nullptr;
    if (look.command) f.BtnJclt.caption = look.command;
    f.LabTime.visible = f.LabTime2.visible = false;
    for (Control* button : {&f.BtnA, &f.BtnB, &f.BtnC, &f.BtnD}) button->enabled = true;

    form.visible = false;
    // Category practice took the start picture away at its start, before it read the categories.
    if (look.categoryList) {
        platform_.repaint();
    } else {
        main_.ShowPan(0);
    }
}

void SelTmLogic::BtnSxClick() {
    startRun(kSequentialMode);
    main_.openSet(statements::questionsOfType(main_.state.KslxDm));
    showPractice({false, false, nullptr});
}

void SelTmLogic::BtnLxClick() {
    startRun(kRandomMode);
    main_.openSet(statements::questionsOfType(main_.state.KslxDm));
    shuffleSet();
    main_.state.DrawTime = platform_.now();
    showPractice({true, false, kRedrawCaption});
}

void SelTmLogic::BtnZdClick() {
    startRun(kKeyPointMode);
    main_.openSet(statements::keyPointsOfType(main_.state.KslxDm));
    if (main_.state.TmCount == 0) {
        platform_.showMessage(kNoKeyPoint);
        // From here on the run is random practice in every respect, its redraw command included.
        main_.state.SelType = kRandomMode;
        return BtnLxClick();
    }
    shuffleSet();
    showPractice({true, false, kCancelKeyPointCaption});
}

void SelTmLogic::BtnFlClick() {
    startRun(kCategoryMode);
    main_.ShowPan(0);
    Query& categories = data_.ADOTmfl;
    categories.reopen(statements::categoriesOfType(main_.state.KslxDm));
    ComboBox& list = main_.form.ComboBoxEx1;
    list.items.clear();
    for (categories.first(); !categories.eof(); categories.next())
        list.items.push_back(trim(categories.fieldByName("Mc")));
    list.itemIndex = list.items.empty() ? -1 : 0;
    main_.openCategory(0);
    showPractice({false, true, nullptr});
}

}  // namespace zuvo
