// SPDX-License-Identifier: MIT
// The processor time the exam's pause after an answer costs: the program's own Delay(750) in the real main window.
#include <sys/resource.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bank/data_module.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

// Prints the median, over several pauses, of the process's user and system time as a percentage of the wall time.
int main(int argc, char** argv) {
    // The pause's cost alone: the advertising, which starts with the window, asks hosts that refuse at once.
    if (qEnvironmentVariableIsEmpty("ZUVO_AD_HOSTS")) qputenv("ZUVO_AD_HOSTS", "http://127.0.0.1:9,http://127.0.0.1:9");
    QApplication app(argc, argv);
    zuvo::installFontSubstitutes();
    zuvo::DataModule data;
    data.DataModuleCreate(QApplication::applicationDirPath().toStdString());
    zuvo::QtPlatform platform;
    zuvo::MainWindow window(data, platform);
    window.show();
    zuvo::MainWindowLogic& logic = window.logic();
    // The start-up's paint and the ad worker's first attempts are not the pause's.
    logic.Delay(500);

    constexpr int kRuns = 7;
    std::vector<double> percents;
    for (int run = 0; run < kRuns; ++run) {
        const double cpuBefore = cpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        logic.Delay(750);
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
        percents.push_back(100.0 * (cpuSeconds() - cpuBefore) / wall.count());
    }
    std::sort(percents.begin(), percents.end());
    std::printf("%.3f\n", percents[kRuns / 2]);
    return 0;
}
