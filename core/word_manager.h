// SPDX-License-Identifier: MIT
// frmWordManager: adds a word and its meaning as a new row of the question table.
#pragma once

#include "bank/data_module.h"
#include "core/main_form.h"
#include "core/platform.h"

namespace zuvo {

struct WordManagerForm {
    Control edtWord{""};
    Control edtMean{""};
    bool visible = false;
};

class WordManagerLogic {
  public:
    WordManagerLogic(DataModule& data, Platform& platform) : data_(data), platform_(platform) {}

    WordManagerForm form;

    // One row per press, in one statement. The meaning is stored scrambled like every question text, so that
    // the question view shows it as typed.
    void BitBtn1Click();
    void BitBtn2Click();

  private:
    DataModule& data_;
    Platform& platform_;
};

}  // namespace zuvo
