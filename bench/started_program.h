// SPDX-License-Identifier: MIT
// The program as it starts on a bank, over the tests' fake platform: boxes answer at once and delays take no time,
// so only the logic is measured.
#pragma once

#include <string>

#include "bank/data_module.h"
#include "core/main_window.h"
#include "tests/support/fake_platform.h"

namespace zuvo::bench {

struct StartedProgram {
    explicit StartedProgram(const std::string& bankFolder) {
        data.DataModuleCreate(bankFolder);
        main.FormCreate();
    }
    // The selection dialog as the learner leaves it before a mock exam: filled, the first exam type picked.
    void pickExam() {
        main.state.SelType = kExamMode;
        main.selTm.runModal = [] {};
        main.selTm.ShowModal();
    }

    DataModule data;
    test::FakePlatform platform;
    MainWindowLogic main{data, platform};
};

}  // namespace zuvo::bench
