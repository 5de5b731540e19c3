// SPDX-License-Identifier: MIT
// The real main window on the offscreen platform: layout, captions and the first question, found by object name.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <ctime>

#include "bank/data_module.h"
#include "tests/support/test_bank.h"
#include "ui/fonts.h"
#include "ui/main_window.h"

using namespace zuvo;

namespace {

BankSource threeQuestions() {
    return test::sourceWith({test::choice(1, "第一题", {"甲", "乙", "丙", "丁"}, "B"),
                             test::trueFalse(2, "第二题", "对"),
                             test::choice(3, "第三题", {"子", "丑", "寅", "卯"}, "D")});
}

BankSource twoQuestions() {
    return test::sourceWith({test::choice(1, "机动车在道路上发生故障，应当怎样做？", {"甲", "乙", "丙", "丁"}, "B"),
                             test::trueFalse(2, "饮酒后不得驾驶机动车。", "对")});
}

template <class T>
T* widget(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(name);
    if (!found) qFatal("no widget %s", name);
    return found;
}

}  // namespace

class MainWindowUiTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { installFontSubstitutes(); }

    void startsOnQuestionOneBehindTheStartPicture() {
        test::TestBank bank(twoQuestions());
        DataModule data;
        data.DataModuleCreate(bank.dir());
        QtPlatform platform;
        MainWindow window(data, platform);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.windowTitle(), QStringLiteral("Vexa机动车驾照模拟考试系统 V1.3"));
        QCOMPARE(window.size(), QSize(792, 536));
        QCOMPARE(widget<QLabel>(window, "lblWord")->text(), QStringLiteral("第 1 题，共 2 题"));
        QCOMPARE(widget<QLabel>(window, "lblTm")->text(), QStringLiteral("机动车在道路上发生故障，应当怎样做？"));
        QCOMPARE(widget<QLabel>(window, "lbHD2")->text(), QStringLiteral("B：乙"));
        auto* number = widget<QLineEdit>(window, "Edit1");
        QCOMPARE(number->text(), QStringLiteral("1"));
        QVERIFY(number->alignment() & Qt::AlignRight);
        QVERIFY(!number->isEnabled());

        const std::pair<const char*, const char*> captions[] = {
            {"BtnJclt", "检查漏题(0)"}, {"BtnA", "A〔键1〕"},       {"BtnB", "B〔键2〕"},
            {"BtnC", "C〔键3〕"},       {"BtnD", "D〔键4〕"},       {"BtnTurn", "转到"},
            {"BtnPer", "前一题〔5〕"},  {"BtnNext", "后一题〔6〕"}, {"BtnExit", "交卷〔7〕"}};
        for (const auto& [name, caption] : captions) {
            auto* button = widget<QPushButton>(window, name);
            QCOMPARE(button->text(), QString::fromUtf8(caption));
            QVERIFY2(button->isVisible() && button->isEnabled(), name);
        }
        QVERIFY(!widget<QPushButton>(window, "BtnAd2")->isVisible());
        QCOMPARE(widget<QLabel>(window, "LabTime2")->text(), QStringLiteral("考试倒计时："));
        QVERIFY(!widget<QLabel>(window, "lbDA")->isVisible());
        QCOMPARE(widget<QLabel>(window, "lbDA")->text(), QStringLiteral("B"));

        // The start picture lies over the question box, under the banner strip.
        auto* panel = widget<QWidget>(window, "Panel1");
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->pos(), QPoint(148, 3));
        QVERIFY(panel->geometry().contains(widget<QWidget>(window, "GPBox")->geometry()));
        QCOMPARE(window.childAt(400, 200), widget<QLabel>(window, "Image3"));
        QVERIFY(window.childAt(400, 30) != widget<QLabel>(window, "Image3"));
        QVERIFY(!widget<QLabel>(window, "Image3")->pixmap().isNull());
        QCOMPARE(QApplication::focusWidget(), widget<QWidget>(window, "BtnNext"));

        // Next moves behind the picture.
        QTest::mouseClick(widget<QPushButton>(window, "BtnNext"), Qt::LeftButton);
        QCOMPARE(widget<QLabel>(window, "lblWord")->text(), QStringLiteral("，第 2 题，共 2 题"));
        QVERIFY(!widget<QPushButton>(window, "BtnC")->isVisible());
        QCOMPARE(widget<QPushButton>(window, "BtnA")->text(), QStringLiteral("对〔键1〕"));
    }

    void keypadAndClicksAnswerAndMove() {
        test::TestBank bank(threeQuestions());
        DataModule data;
        data.DataModuleCreate(bank.dir());
        QtPlatform platform;
        MainWindow window(data, platform);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.logic().ShowPan(0);
        window.sync();
        auto* next = widget<QPushButton>(window, "BtnNext");
        QCOMPARE(QApplication::focusWidget(), next);
        auto* answerLine = widget<QLabel>(window, "LbDa2");
        auto* mark = widget<QLabel>(window, "Image1");
        auto* heading = widget<QLabel>(window, "lblWord");
        const QString pad(8, ' ');

        QTest::keyClick(next, Qt::Key_1, Qt::KeypadModifier);
        QCOMPARE(answerLine->text(), pad + "A" + pad);
        QCOMPARE(mark->pixmap().size(), QSize(22, 22));
        QCOMPARE(window.logic().form.Image1.picture.name, std::string(kWrongBitmap));
        QTest::keyClick(next, Qt::Key_2, Qt::KeypadModifier);
        QCOMPARE(answerLine->text(), pad + "B" + pad);
        QCOMPARE(window.logic().form.Image1.picture.name, std::string(kRightBitmap));

        // The main keyboard's digits are no commands.
        QTest::keyClick(next, Qt::Key_1);
        QTest::keyClick(next, Qt::Key_6);
        QCOMPARE(answerLine->text(), pad + "B" + pad);
        QCOMPARE(heading->text(), QStringLiteral("第 1 题，共 3 题"));

        // One key, one move, though the button passes the key on to the window.
        QTest::keyClick(next, Qt::Key_6, Qt::KeypadModifier);
        QCOMPARE(heading->text(), QStringLiteral("，第 2 题，共 3 题"));
        QVERIFY(mark->pixmap().isNull());
        QTest::keyClick(next, Qt::Key_3, Qt::KeypadModifier);
        QCOMPARE(answerLine->text(), QString(17, ' '));
        // With Num Lock off the keypad sends navigation keys, which are no commands.
        QTest::keyClick(next, Qt::Key_Right, Qt::KeypadModifier);
        QTest::keyClick(next, Qt::Key_Home, Qt::KeypadModifier);
        QCOMPARE(heading->text(), QStringLiteral("，第 2 题，共 3 题"));
        QTest::mouseClick(widget<QPushButton>(window, "BtnA"), Qt::LeftButton);
        QCOMPARE(answerLine->text(), pad + "对" + pad);

        // The window's own map works while it holds the focus itself.
        window.setFocus();
        QCOMPARE(QApplication::focusWidget(), &window);
        QTest::keyClick(&window, Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(heading->text(), QStringLiteral("，第 1 题，共 3 题"));
        QCOMPARE(answerLine->text(), pad + "B" + pad);
    }

    void numberEntryFiltersTypingAndJumps() {
        test::TestBank bank(threeQuestions());
        DataModule data;
        data.DataModuleCreate(bank.dir());
        QtPlatform platform;
        MainWindow window(data, platform);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* box = widget<QLineEdit>(window, "Edit1");
        auto* previous = widget<QPushButton>(window, "BtnPer");
        QTest::mouseClick(widget<QPushButton>(window, "BtnTurn"), Qt::LeftButton);
        QVERIFY(box->isEnabled() && !previous->isEnabled() && !widget<QPushButton>(window, "BtnA")->isEnabled());
        QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::white));

        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, "x3");
        QCOMPARE(box->text(), QStringLiteral("3"));
        // In the box keypad digits type, and do not move.
        QTest::keyClick(box, Qt::Key_6, Qt::KeypadModifier);
        QCOMPARE(box->text(), QStringLiteral("36"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(widget<QLabel>(window, "lblWord")->text(), QStringLiteral("，第 3 题，共 3 题"));
        QCOMPARE(widget<QLabel>(window, "lblTm")->text(), QStringLiteral("第三题"));
        QVERIFY(!box->isEnabled() && previous->isEnabled());
        QCOMPARE(box->text(), QStringLiteral("3"));
    }

    void pauseHandlesEventsWithoutSpinning() {
        test::TestBank bank(threeQuestions());
        DataModule data;
        data.DataModuleCreate(bank.dir());
        QtPlatform platform;
        MainWindow window(data, platform);
        window.show();
        bool ranMeanwhile = false;
        QTimer::singleShot(100, [&ranMeanwhile] { ranMeanwhile = true; });
        QElapsedTimer wall;
        wall.start();
        const std::clock_t cpuBefore = std::clock();
        window.logic().Delay(750);
        const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        QVERIFY(wall.elapsed() >= 750);
        QVERIFY(ranMeanwhile);
        QVERIFY2(cpuMs < 150, qPrintable(QString("the wait used %1 ms of processor time").arg(cpuMs)));
    }

    void missingBankShowsTheEnginesMessageAndStillOpens() {
        test::TestBank none;
        DataModule data;
        data.DataModuleCreate(none.dir());
        QtPlatform platform;
        QString message;
        QTimer::singleShot(0, [&message] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message = box->text();
                box->accept();
            }
        });
        MainWindow window(data, platform);
        window.show();
        QCOMPARE(message, QString::fromStdString("unable to open database file: " + none.path()));
        QCOMPARE(widget<QLabel>(window, "lblWord")->text(), QStringLiteral("HuiDa1"));
        QCOMPARE(widget<QLabel>(window, "lblTm")->text(), QStringLiteral("TiMu"));
        QVERIFY(widget<QWidget>(window, "Panel1")->isVisible());
    }
};

QTEST_MAIN(MainWindowUiTest)
#include "main_window_ui_test.moc"
