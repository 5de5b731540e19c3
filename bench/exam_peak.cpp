// SPDX-License-Identifier: MIT
// The peak resident memory of a program that starts on a bank and draws one paper, in MiB: what a learner's
// machine must hold for it. Run with the folder that holds the bank's Word.mdb.
#include <sys/resource.h>

#include <cstdio>

#include "bench/started_program.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: exam_peak BANK_FOLDER\n");
        return 2;
    }
    zuvo::bench::StartedProgram program(argv[1]);
    program.pickExam();
    program.main.selTm.BtnKsClick();
    if (program.main.state.TmCount != 100) {
        std::fprintf(stderr, "exam_peak: the paper holds %d questions\n", program.main.state.TmCount);
        return 1;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.1f\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
