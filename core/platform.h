// SPDX-License-Identifier: MIT
// Everything the logic needs from the outside world. The windows implement it with Qt; tests use a fake whose
// clock they move and whose boxes answer from a script.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zuvo {

// A point in time as days since 1899-12-30, the time of day as the fraction; one second is 1/86400.
using DateTime = double;

class Platform {
public:
    virtual ~Platform() = default;

    // A notice with the program title as caption and one OK button.
    virtual void showMessage(const std::string& text) = 0;
    // The "提示" question box with OK and Cancel; true for OK.
    virtual bool askOkCancel(const std::string& text) = 0;
    // Waits at least ms milliseconds while the window goes on handling its events (other handlers may run).
    virtual void delay(int ms) = 0;
    // Brings the window in line with the model and paints it at once.
    virtual void repaint() = 0;

    virtual DateTime now() = 0;                          // local date and time
    virtual std::uint32_t tickCount() = 0;               // milliseconds, wrapping at 2^32
    virtual std::uint64_t performanceCounter() = 0;      // high-resolution counter, to seed the generators

    virtual int linkTextWidth(const std::string& text) = 0;  // pixels, in the text-link font
    virtual void openUrl(const std::string& url) = 0;
    virtual void runOnUiThread(std::function<void()> task) = 0;
};

}  // namespace zuvo
