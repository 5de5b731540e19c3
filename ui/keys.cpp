// SPDX-License-Identifier: MIT
#include "ui/keys.h"

namespace zuvo {

int virtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const int digit = key - Qt::Key_0;
        return (event.modifiers() & Qt::KeypadModifier) ? 0x60 + digit : 0x30 + digit;
    }
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 0x0D;
        case Qt::Key_Backspace:
            return 0x08;
        default:
            return 0;
    }
}

}  // namespace zuvo
