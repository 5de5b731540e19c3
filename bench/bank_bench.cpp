// SPDX-License-Identifier: MIT
// The in-process figures: decoding a field, moving to the next question, opening every question, drawing a paper.
// Run with the folder that holds the made-up banks (1200/Word.mdb and 1m/Word.mdb) as the first argument.
#include <benchmark/benchmark.h>

#include <iostream>
#include <string>

#include "bank/scramble.h"
#include "bank/statements.h"
#include "bench/started_program.h"

namespace zuvo {
namespace {

using bench::StartedProgram;

std::string banks;

void decode_field_ns(benchmark::State& state) {
    // 99 bytes of GBK text store as 200 bytes.
    const std::string stored = scrambleText(std::string(99, 'A'), 17);
    for (auto _ : state) benchmark::DoNotOptimize(mdtoTm(stored));
}

void move(benchmark::State& state, const char* bank) {
    StartedProgram program(banks + "/" + bank);
    MainWindowLogic& main = program.main;
    for (auto _ : state) {
        if (main.state.CurNo >= main.state.TmCount) main.state.CurNo = 0;
        main.procDispWord(kMoveNext);
    }
}
void move_1200_us(benchmark::State& state) { move(state, "1200"); }
void move_1m_us(benchmark::State& state) { move(state, "1m"); }

void open_all_1m_ms(benchmark::State& state) {
    Connection connection;
    connection.setPath(banks + "/1m/Word.mdb");
    Query word(connection);
    for (auto _ : state) {
        word.reopen(statements::allQuestions());
        benchmark::DoNotOptimize(word.fieldBytes("Tm"));
    }
}

void exam_draw(benchmark::State& state, const char* bank) {
    StartedProgram program(banks + "/" + bank);
    MainWindowLogic& main = program.main;
    program.pickExam();
    for (auto _ : state) main.selTm.BtnKsClick();
    if (main.state.TmCount != 100) state.SkipWithError("the paper does not hold 100 questions");
}
void exam_draw_1200_ms(benchmark::State& state) { exam_draw(state, "1200"); }
void exam_draw_1m_ms(benchmark::State& state) { exam_draw(state, "1m"); }

BENCHMARK(decode_field_ns)->Unit(benchmark::kNanosecond);
BENCHMARK(move_1200_us)->Unit(benchmark::kMicrosecond);
BENCHMARK(move_1m_us)->Unit(benchmark::kMicrosecond);
BENCHMARK(open_all_1m_ms)->Unit(benchmark::kMillisecond);
BENCHMARK(exam_draw_1200_ms)->Unit(benchmark::kMillisecond);
BENCHMARK(exam_draw_1m_ms)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zuvo

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::cerr << "usage: bank_bench [benchmark options] BANKS\n";
        return 2;
    }
    zuvo::banks = argv[1];
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
