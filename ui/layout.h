// SPDX-License-Identifier: MIT
// Widgets placed as a designer places them: a parent, the control's designer name, and a place in pixels.
#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zuvo {

// At x, y with its own size (labels that size themselves to their text).
template <class T>
T* placeAt(QWidget* parent, const char* name, int x, int y) {
    auto* widget = new T(parent);
    widget->setObjectName(name);
    widget->move(x, y);
    return widget;
}

template <class T>
T* place(QWidget* parent, const char* name, int x, int y, int w, int h) {
    T* widget = placeAt<T>(parent, name, x, y);
    widget->resize(w, h);
    return widget;
}

// Places a top-level window in the middle of the primary screen's free area.
inline void centreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window->move(screen->availableGeometry().center() - window->rect().center());
    }
}

}  // namespace zuvo
