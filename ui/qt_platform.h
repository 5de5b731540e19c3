// SPDX-License-Identifier: MIT
// The platform of the running program, over Qt.
#pragma once

#include <QFont>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "core/platform.h"

namespace zuvo {

class QtPlatform : public Platform {
public:
    // The window whose model must be mirrored before a box or a pause shows it to the learner.
    void attach(QWidget* window, std::function<void()> sync);

    void showMessage(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    void delay(int ms) override;
    void repaint() override;

    DateTime now() override;
    std::uint32_t tickCount() override;
    std::uint64_t performanceCounter() override;

    int linkTextWidth(const std::string& text) override;
    void openUrl(const std::string& url) override;
    void runOnUiThread(std::function<void()> task) override;

private:
    void syncWindow();

    QPointer<QWidget> window_;
    std::function<void()> sync_;
};

}  // namespace zuvo
