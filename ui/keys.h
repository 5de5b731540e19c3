// SPDX-License-Identifier: MIT
// The one place where Qt's key events become the virtual-key codes the logic's handlers take.
#pragma once

#include <QKeyEvent>

namespace zuvo {

// A keypad digit with Num Lock on is 0x60 + digit, a main-keyboard digit 0x30 + digit, Enter 0x0D, Backspace
// 0x08; any other key is 0, a key the handlers never act on. The keypad with Num Lock off sends navigation keys,
// so it never yields a keypad digit.
int virtualKeyOf(const QKeyEvent& event);

}  // namespace zuvo
