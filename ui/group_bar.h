// SPDX-License-Identifier: MIT
// The mode bar at the left: one open group "考试练习" with five large picture items stacked from the top.
#pragma once

#include <QToolButton>
#include <QWidget>
#include <array>

namespace zuvo {

class GroupBar : public QWidget {
    Q_OBJECT
public:
    explicit GroupBar(QWidget* parent);
    QToolButton* item(int index) const { return items_[static_cast<size_t>(index)]; }

signals:
    void itemClicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QToolButton*, 5> items_{};
};

}  // namespace zuvo
