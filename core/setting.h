// SPDX-License-Identifier: MIT
// frmSetting: the auto-advance interval, kept in Setting.ini beside the program.
#pragma once

#include <string>

#include "core/ini_file.h"
#include "core/main_form.h"

namespace zuvo {

inline constexpr const char* kSettingSection = "系统设置";
inline constexpr const char* kIntervalKey = "时间间隔";

struct SettingForm {
    Control edtInterval{"2"};
    bool visible = false;
};

class SettingLogic {
  public:
    // mainForm: the main window's model, whose tmrAutoWord the dialog sets; folder ends in a separator.
    SettingLogic(MainForm& mainForm, const std::string& folder) : main_(mainForm), ini_(folder + "Setting.ini") {}

    SettingForm form;

    void FormCreate();
    void BitBtn1Click();
    void BitBtn2Click();

  private:
    MainForm& main_;
    IniFile ini_;
};

}  // namespace zuvo
