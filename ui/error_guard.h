// SPDX-License-Identifier: MIT
// The application's general error handler: every handler runs through it, so an exception never crosses a Qt
// frame and the learner reads its text in a plain box.
#pragma once

#include <exception>

#include "core/platform.h"

namespace zuvo {

template <class Handler>
void runGuarded(Platform& platform, Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        platform.showMessage(e.what());
    }
}

}  // namespace zuvo
