// SPDX-License-Identifier: MIT
#include "core/setting.h"

#include <algorithm>
#include <climits>

#include "core/text.h"

namespace zuvo {

void SettingLogic::FormCreate() {
    form.edtInterval.caption = trim(ini_.ReadString(kSettingSection, kIntervalKey, "2"));
}

void SettingLogic::BitBtn1Click() {
    const std::string text = trim(form.edtInterval.caption);
    const std::int64_t seconds = toInteger(text);
    // A timer's period cannot be negative or beyond what its milliseconds hold.
    main_.tmrAutoWord.interval = static_cast<int>(std::clamp<std::int64_t>(seconds * 1000, 0, INT_MAX));
    ini_.WriteString(kSettingSection, kIntervalKey, text);
}

void SettingLogic::BitBtn2Click() { form.visible = false; }

}  // namespace zuvo
