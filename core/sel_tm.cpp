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
        case kExamMode:
            return BtnKsClick();
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

std::string SelTmLogic::selectedCaption() const {
    const ComboBox& types = form.ComboBoxEx1;
    return types.itemIndex >= 0 ? types.items.at(static_cast<size_t>(types.itemIndex)) : std::string();
}

void SelTmLogic::startRun(Mode mode) {
    QuestionSet& state = main_.state;
    state.HandedIn = "0";
    TypeCaption = selectedCaption();
    const ExamTypeCaption type = parseTypeCaption(TypeCaption);
    state.KslxDm = shortString(type.code);
    state.KslxMc = shortString("【" + type.name + " " + kModeNames[mode] + "】");
    state.ModeName = kModeNames[mode];
}

void SelTmLogic::shuffleSet() {
    Random random(platform_.performanceCounter());
    main_.shuffleSet(random);
}

void SelTmLogic::showQuestionOne(bool restartSearch) {
    main_.ShowTm(RenderForm::SetUp, 1);
    main_.state.CurNo = 1;
    if (restartSearch) main_.state.SeekNo = 1;
}

void SelTmLogic::showPractice(const PracticeLook& look) {
    showQuestionOne(look.restartSearch);
    MainForm& f = main_.form;
    f.Image1.visible = true;
    f.LbPd.visible = false;
    f.BtnExit.caption = kEndCaption;
    f.ComboBoxEx1.visible = look.categoryList;
    f.BtnJclt.visible = look.command != nullptr;
    if (look.command) f.BtnJclt.caption = look.command;
    f.LabTime.visible = f.LabTime2.visible = false;
    main_.setAnswerButtonsEnabled(true);

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
    std::vector<std::string> names;
    for (categories.first(); !categories.eof(); categories.next()) names.push_back(trim(categories.fieldByName("Mc")));
    main_.form.ComboBoxEx1.setItems(std::move(names));
    main_.openCategory(0);
    showPractice({false, true, nullptr});
}

std::vector<std::int64_t> SelTmLogic::Get_Random_ID(const std::string& typeCode, const std::string& kind, int count) {
    // The candidates are the rows of the open result; only the drawn ones are read.
    Query& query = data_.ADOQuery1;
    query.reopen(statements::questionsOfKind(typeCode, kind));
    const auto candidates = static_cast<size_t>(query.recordCount());
    // Offsets drawn so far, ascending. Candidate k of those left is found by stepping over them, which picks what
    // removing each drawn candidate from a list would, without moving a list of a million ids a hundred times.
    std::vector<size_t> taken;
    std::vector<std::int64_t> drawn;
    for (int i = 0; i < count && taken.size() < candidates; ++i) {
        // Seeded anew before every single draw.
        Random random(platform_.performanceCounter());
        auto k = static_cast<size_t>(random.below(static_cast<std::int32_t>(candidates - taken.size())));
        auto at = taken.begin();
        for (; at != taken.end() && *at <= k; ++at) ++k;
        taken.insert(at, k);
        query.first();
        query.moveBy(static_cast<int>(k));
        drawn.push_back(toInteger(query.firstField()));
    }
    query.close();
    return drawn;
}

void SelTmLogic::BtnKsClick() {
    const DateTime start = platform_.now();
    // Drawn before anything changes: an exam type without questions leaves the running set as it is.
    const std::string code = shortString(parseTypeCaption(selectedCaption()).code);
    std::vector<std::int64_t> paper = Get_Random_ID(code, "xz", 65);
    const std::vector<std::int64_t> trueFalse = Get_Random_ID(code, "pd", 35);
    paper.insert(paper.end(), trueFalse.begin(), trueFalse.end());
    if (paper.empty()) return platform_.showMessage(kNoExamQuestions);

    startRun(kExamMode);
    main_.state.ExamStart = start;
    main_.openSet(statements::paper(paper));
    showQuestionOne(true);

    MainForm& f = main_.form;
    f.Image1.visible = false;
    f.LbPd.caption.clear();
    f.LbPd.visible = true;
    main_.setAnswerButtonsEnabled(true);
    f.BtnExit.caption = kHandInCaption;
    f.ComboBoxEx1.visible = false;
    f.BtnJclt.caption = kSeekCaption;
    f.BtnJclt.visible = true;
    f.LabTime.caption.clear();
    f.LabTime.visible = f.LabTime2.visible = true;
    f.TimerKs.enabled = true;

    form.visible = false;
    main_.ShowPan(0);
    platform_.repaint();
}

}  // namespace zuvo
