// SPDX-License-Identifier: MIT
// The peak resident memory of a program that starts on a bank and draws one paper, in MiB: what a learner's
// machine must hold for it. Run with the folder that holds the bank's Word.mdb.
#include <sys/resource.h>

#include <cstdio>

#include "bank/data_module.h"
#include "core/main_window.h"
#include "tests/support/fake_platform.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: exam_peak BANK_FOLDER\n");
        return 2;
    }
    zuvo::DataModule data;
    data.DataModuleCreate(argv[1]);
    zuvo::test::FakePlatform platform;
    zuvo::MainWindowLogic main(data, platform);
    main.FormCreate();
    main.state.SelType = zuvo::kExamMode;
    main.selTm.runModal = [] {};
    main.selTm.ShowModal();
    main.selTm.BtnKsClick();
    if (main.state.TmCount != 100) {
        std::fprintf(stderr, "exam_peak: the paper holds %d questions\n", main.state.TmCount);
        return 1;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.1f\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
