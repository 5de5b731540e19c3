// SPDX-License-Identifier: MIT
// ZUVO_EXIT_AFTER_START=1 ends the program right after the window's first paint, for the start-up measurement.
#pragma once

#include <QCoreApplication>
#include <QWidget>

#include "ui/event_hook.h"

namespace zuvo {

// The start-up measurement times a whole start, the window painted with what it shows first, and nothing more.
// The close waits in the queue until the paint that posted it has reached the screen; it is the learner's own
// close, so the teardown, the ad worker's stop included, is the one every run ends with.
inline void exitAfterFirstPaintWhenAsked(QWidget* window) {
    if (qEnvironmentVariable("ZUVO_EXIT_AFTER_START") != QLatin1String("1")) return;
    auto* hook = new EventHook(window, [window, closing = false](QObject*, QEvent* event) mutable {
        if (event->type() == QEvent::Paint && !closing) {
            closing = true;
            QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
        }
        return false;
    });
    window->installEventFilter(hook);
}

}  // namespace zuvo
