// SPDX-License-Identifier: MIT
// The real main window on the offscreen platform: layout, captions and the first question, found by object name.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "bank/data_module.h"
#include "tests/support/test_bank.h"
#include "ui/fonts.h"
#include "ui/main_window.h"

using namespace zuvo;

namespace {

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
            {"BtnJclt", "检查漏题(0)"}, {"BtnA", "A〔键1〕"},     {"BtnB", "B〔键2〕"},      {"BtnC", "C〔键3〕"},
            {"BtnD", "D〔键4〕"},       {"BtnTurn", "转到"},      {"BtnPer", "前一题〔5〕"}, {"BtnNext", "后一题〔6〕"},
            {"BtnExit", "交卷〔7〕"}};
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
