// SPDX-License-Identifier: MIT
#include "ui/group_bar.h"

#include <QLinearGradient>
#include <QPainter>

#include "ui/fonts.h"
#include "ui/pictures.h"

namespace zuvo {
namespace {

constexpr int kHeaderHeight = 24;
constexpr int kItemSize = 76;  // the 68-pixel picture and its frame

}  // namespace

GroupBar::GroupBar(QWidget* parent) : QWidget(parent) {
    setObjectName("RzGroupBar1");
    setFocusPolicy(Qt::TabFocus);
    for (int i = 0; i < 5; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString("RzGroup1Item%1").arg(i));
        button->setAutoRaise(true);
        button->setIconSize(QSize(68, 68));
        button->setIcon(QIcon(bitmapPixmap(QString("GROUP%1").arg(i).toStdString())));
        button->setGeometry((145 - kItemSize) / 2, kHeaderHeight + 8 + i * (kItemSize + 8), kItemSize, kItemSize);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, i] { emit itemClicked(i); });
        items_[static_cast<size_t>(i)] = button;
    }
}

void GroupBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, width(), 0);
    gradient.setColorAt(0, palette().color(QPalette::Button));
    gradient.setColorAt(1, palette().color(QPalette::Dark));
    painter.fillRect(rect(), gradient);

    // The group's caption in the highlighted style of an open special group.
    const QRect header(2, 2, width() - 4, kHeaderHeight - 2);
    painter.fillRect(header, palette().color(QPalette::Highlight));
    QFont font = designFont("MS Sans Serif", 13);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(header.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("考试练习"));
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace zuvo
