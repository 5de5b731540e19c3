// SPDX-License-Identifier: MIT
// An event filter made of a function, for hooks that must not share a window's own filter: installed on the
// application it sees every event of every object, which a window's filter for its controls must not.
#pragma once

#include <QEvent>
#include <QObject>
#include <functional>
#include <utility>

namespace zuvo {

class EventHook : public QObject {
  public:
    using Filter = std::function<bool(QObject* watched, QEvent* event)>;
    EventHook(QObject* parent, Filter filter) : QObject(parent), filter_(std::move(filter)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return filter_(watched, event); }

  private:
    Filter filter_;
};

}  // namespace zuvo
