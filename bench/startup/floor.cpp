// SPDX-License-Identifier: MIT
// The floor of the start-up measurement: the least a Qt window program of the trainer's size and font costs.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "ui/exit_after_start.h"
#include "ui/fonts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The trainer's own font mapping and question font, so that both programs load the same CJK font.
    zuvo::installFontSubstitutes();
    QWidget window;
    window.setFixedSize(792, 536);
    auto* question = new QLabel(
        QStringLiteral("驾驶机动车在道路上行驶，遇到前方路口交通信号灯为黄灯持续闪烁时，应当怎样做？"), &window);
    question->setFont(zuvo::designFont("MS Sans Serif"));
    question->setWordWrap(true);
    question->setGeometry(199, 139, 529, 45);
    zuvo::exitAfterFirstPaintWhenAsked(&window);
    window.show();
    return QApplication::exec();
}
