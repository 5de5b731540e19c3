// SPDX-License-Identifier: MIT
// Hands in mock exams over the bank in the folder given, one paper per exam type, forever, until it is killed.
#include <chrono>
#include <cstdio>
#include <exception>

#include "bank/data_module.h"
#include "bank/error.h"
#include "bank/statements.h"
#include "core/main_window.h"
#include "core/text.h"

namespace {

using namespace zuvo;

// Nobody sits in front of this window: boxes answer OK at once, and the exam's pause after an answer takes no
// time, since a pause moves the tick counter on instead of waiting.
class HeadlessPlatform : public Platform {
  public:
    // A notice only comes on a path the worker never means to take; it is its error output.
    void showMessage(const std::string& text) override { std::fprintf(stderr, "hand_in_worker: %s\n", text.c_str()); }
    bool askOkCancel(const std::string&) override { return true; }
    void delay(int ms) override { skippedMs_ += static_cast<std::uint32_t>(ms > 0 ? ms : 0); }
    void repaint() override {}

    DateTime now() override {
        constexpr double kSecondsPerDay = 86400;
        constexpr double kUnixEpochDay = 25569;  // 1970-01-01 counted from 1899-12-30
        const auto since = std::chrono::system_clock::now().time_since_epoch();
        return kUnixEpochDay + std::chrono::duration<double>(since).count() / kSecondsPerDay;
    }
    std::uint32_t tickCount() override {
        const auto since = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count()) +
               skippedMs_;
    }
    std::uint64_t performanceCounter() override {
        return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    }

    int linkTextWidth(const std::string&) override { return 0; }
    void openUrl(const std::string&) override {}
    void runOnUiThread(std::function<void()> task) override { task(); }

  private:
    std::uint32_t skippedMs_ = 0;
};

// An answer other than the standard one, of the kind the question takes.
std::string wrongAnswer(const std::string& kind, const std::string& standard) {
    if (kind == "pd") return standard == "对" ? "错" : "对";
    return standard == "A" ? "B" : "A";
}

class Worker {
  public:
    explicit Worker(const char* folder) {
        data_.DataModuleCreate(folder);
        main_.FormCreate();
        main_.xunhuanWord(1);
    }

    [[noreturn]] void run() {
        const ComboBox& types = main_.selTm.form.ComboBoxEx1;
        if (types.items.empty()) throw Error("the bank holds no exam type");
        for (;;) {
            for (size_t i = 0; i < types.items.size(); ++i) {
                // A paper handed in by an earlier, killed run stays handed in: this run goes on after it.
                const std::string code = parseTypeCaption(types.items[i]).code;
                if (!marked(code)) handIn(static_cast<int>(i), code);
            }
            clearAllMarks();
        }
    }

  private:
    bool marked(const std::string& code) {
        Query probe(data_.ADOConnection1);
        probe.reopen(statements::keyPointsOfType(code));
        return probe.recordCount() > 0;
    }

    void handIn(int type, const std::string& code) {
        main_.selTm.form.ComboBoxEx1.itemIndex = type;
        main_.selTm.BtnKsClick();
        // A set-up that draws no paper leaves the last one in place, handed in already.
        if (main_.state.HandedIn != "0" || main_.state.KslxDm != code) throw Error("no paper of " + code);
        // Each answer moves the exam on by itself; the last one stays on the last question.
        for (int n = 1; n <= main_.state.TmCount; ++n) {
            main_.procJudRw(wrongAnswer(trim(data_.ADOWord.fieldByName("Tmlx")), main_.form.lbDA.caption));
        }
        main_.BtnExitClick();
        if (main_.state.HandedIn != "1") throw Error("the paper was not handed in");
    }

    void clearAllMarks() {
        Query& update = data_.ADOWordUpdate;
        update.setStatement(Statement{{}, "update word set zdtm = ''", {}});
        update.execSql();
    }

    DataModule data_;
    HeadlessPlatform platform_;
    MainWindowLogic main_{data_, platform_};
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: hand_in_worker BANK_FOLDER\n");
        return 2;
    }
    try {
        Worker(argv[1]).run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "hand_in_worker: %s\n", e.what());
        return 1;
    }
}
