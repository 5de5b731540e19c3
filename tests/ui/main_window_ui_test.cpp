// SPDX-License-Identifier: MIT
// The real main window on the offscreen platform: layout, captions and the first question, found by object name.
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMovie>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <chrono>
#include <ctime>
#include <functional>
#include <thread>

#include "bank/data_module.h"
#include "bank/gbk.h"
#include "bank/scramble.h"
#include "bank/statements.h"
#include "core/ad_display.h"
#include "core/ad_page.h"
#include "tests/support/http_server.h"
#include "tests/support/test_bank.h"
#include "ui/dialogs.h"
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

// A click as a learner makes it: the pointer goes there first. The window decides some presses by where the
// pointer is, not by where the press is reported.
void click(QWidget* target) {
    QCursor::setPos(target->mapToGlobal(target->rect().center()));
    QTest::mouseClick(target, Qt::LeftButton);
}

template <class T>
T* widget(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(name);
    if (!found) qFatal("no widget %s", name);
    return found;
}

// A bank, the data module opened on it, the platform, and the main window over them, shown.
struct Trainer {
    explicit Trainer(const BankSource& source) : bank(source), window(opened(data, bank.dir()), platform) {
        window.show();
    }
    static DataModule& opened(DataModule& data, const std::string& dir) {
        data.DataModuleCreate(dir);
        return data;
    }
    // Keys go to the focused control only once the window is active.
    bool activate() {
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    test::TestBank bank;
    DataModule data;
    QtPlatform platform;
    MainWindow window;
    SelTmDialog selTm{window, platform};
};

// Types C1 and A1. C1: questions 1 to 3, categories 01 (1, 2) and 02 (3); A1: question 3; key point: question 2.
BankSource modeQuestions() {
    BankSource source = threeQuestions();
    source.questions[1].keyPoint = "1";
    source.questions[2].types = "C1,A1";
    source.questions[2].category = "02";
    return source;
}

// What the selection dialog showed while it was up.
struct DialogVisit {
    bool shown = false;
    QStringList types;
    int selected = -1;
    bool hiddenButtonsShown = false;
};

// Clicks group item `item`; once the dialog is up, `inside` picks in it and closes it.
DialogVisit throughDialog(Trainer& trainer, int item, std::function<void(QDialog&)> inside) {
    DialogVisit visit;
    QTimer::singleShot(0, [&visit, inside] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != "frmSelTm") return;
        visit.shown = true;
        auto* types = widget<QComboBox>(*dialog, "ComboBoxEx1");
        for (int i = 0; i < types->count(); ++i) visit.types << types->itemText(i);
        visit.selected = types->currentIndex();
        for (const char* name : {"BtnSx", "BtnLx", "BtnFl", "BtnKs", "BtnZd"}) {
            visit.hiddenButtonsShown |= widget<QPushButton>(*dialog, name)->isVisible();
        }
        inside(*dialog);
    });
    click(widget<QToolButton>(trainer.window, QString("RzGroup1Item%1").arg(item).toUtf8().constData()));
    return visit;
}

// Closes every message box with OK as soon as it shows, keeping its text.
class BoxCloser : public QObject {
  public:
    BoxCloser() {
        connect(&poll_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        poll_.start(20);
    }
    QStringList texts;

  private:
    QTimer poll_;
};

// Picks an exam type as the learner does, with the arrow keys, then presses OK.
std::function<void(QDialog&)> pickAndOk(int type) {
    return [type](QDialog& dialog) {
        auto* types = widget<QComboBox>(dialog, "ComboBoxEx1");
        types->setFocus();
        for (int i = 0; i < type; ++i) QTest::keyClick(types, Qt::Key_Down);
        click(widget<QPushButton>(dialog, "BitBtn3"));
    };
}

// Takes the addresses the window hands to the system's URL opener.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QStringList opened;
  public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

// A looping animated image of two frames, red and blue, two pixels square.
const QByteArray kTwoFrameGif = QByteArray::fromHex(
    "47494638396102000200f00000ff000000000021f904001400000021ff0b4e45545343415045322e30030100"
    "00002c000000000200020000020284510021f90400140000002c0000000002000200800000ff00000002028451003b");

}  // namespace

class MainWindowUiTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { installFontSubstitutes(); }

    void startsOnQuestionOneBehindTheStartPicture() {
        Trainer trainer(twoQuestions());
        MainWindow& window = trainer.window;
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
        click(widget<QPushButton>(window, "BtnNext"));
        QCOMPARE(widget<QLabel>(window, "lblWord")->text(), QStringLiteral("，第 2 题，共 2 题"));
        QVERIFY(!widget<QPushButton>(window, "BtnC")->isVisible());
        QCOMPARE(widget<QPushButton>(window, "BtnA")->text(), QStringLiteral("对〔键1〕"));
    }

    void keypadAndClicksAnswerAndMove() {
        Trainer trainer(threeQuestions());
        MainWindow& window = trainer.window;
        QVERIFY(trainer.activate());
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
        click(widget<QPushButton>(window, "BtnA"));
        QCOMPARE(answerLine->text(), pad + "对" + pad);

        // The window's own map works while it holds the focus itself.
        window.setFocus();
        QCOMPARE(QApplication::focusWidget(), &window);
        QTest::keyClick(&window, Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(heading->text(), QStringLiteral("，第 1 题，共 3 题"));
        QCOMPARE(answerLine->text(), pad + "B" + pad);
    }

    void numberEntryFiltersTypingAndJumps() {
        Trainer trainer(threeQuestions());
        MainWindow& window = trainer.window;
        QVERIFY(trainer.activate());
        auto* box = widget<QLineEdit>(window, "Edit1");
        auto* previous = widget<QPushButton>(window, "BtnPer");
        click(widget<QPushButton>(window, "BtnTurn"));
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
        Trainer trainer(threeQuestions());
        MainWindow& window = trainer.window;
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

    void bannerPlaysLinksRollAndClicksOpenAddresses() {
        Trainer trainer(threeQuestions());
        MainWindow& window = trainer.window;
        QtPlatform& platform = trainer.platform;
        {
            QFile gif(QString::fromStdString(trainer.bank.dir() + "/b1.gif"));
            QVERIFY(gif.open(QIODevice::WriteOnly));
            gif.write(kTwoFrameGif);
        }
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("http", &catcher, "open");
        struct Unregister {
            ~Unregister() { QDesktopServices::unsetUrlHandler("http"); }
        } unregister;

        AdDisplay& ads = window.logic().ads;
        ads.programFolder = trainer.bank.dir() + "/";
        AdLists lists;
        lists.AdCount = 1;
        lists.AdUrl = {"", "http://banner.example/"};
        lists.AdFile = {"", "b1.gif"};
        lists.Link1Count = 1;
        lists.Link1Url = {"", "http://link.example/"};
        lists.Link1Text = {"", "驾校报名"};
        lists.Link2Count = 1;
        lists.Link2Url = {"", "file:///etc/passwd"};
        lists.Link2Text = {"", "安全驾驶"};
        platform.runOnUiThread([&ads, lists] {
            ads.listsArrived(lists);
            ads.handOver(ads.programFolder + "b1.gif");
            ads.startRotation();
        });
        auto* link1 = widget<QLabel>(window, "LbTextLink1");
        auto* banner = widget<QLabel>(window, "ShockwaveFlash1");
        QTRY_VERIFY(link1->isVisible());
        QCOMPARE(link1->text(), QStringLiteral("驾校报名"));
        QCOMPARE(link1->toolTip(), QStringLiteral("驾校报名"));
        const int width = QFontMetrics(link1->font()).horizontalAdvance(link1->text());
        QCOMPARE(link1->geometry().right() + 1, 288 + 250 - 5);
        QCOMPARE(link1->width(), width);
        QVERIFY(banner->movie());
        QCOMPARE(banner->movie()->fileName(), QString::fromStdString(ads.programFolder + "b1.gif"));
        QCOMPARE(banner->movie()->state(), QMovie::Running);
        QCOMPARE(banner->movie()->frameCount(), 2);
        QVERIFY2(!banner->autoFillBackground(), "transparent over the panel");

        // Twelve roll steps of 100 ms bring the links back to rest at top 3.
        QTRY_VERIFY_WITH_TIMEOUT(link1->y() == 3 && !window.logic().form.TimerRoll.enabled, 3000);
        QCOMPARE(widget<QLabel>(window, "LbTextLink2")->y(), 3);

        click(link1);
        QCOMPARE(catcher.opened, QStringList{"http://link.example/"});
        // Only web addresses are opened, whatever the page says.
        click(widget<QLabel>(window, "LbTextLink2"));
        QCOMPARE(catcher.opened.size(), 1);

        // A press on the banner opens its address and never reaches the player.
        QCursor::setPos(banner->mapToGlobal(banner->rect().center()));
        QTest::mousePress(banner, Qt::LeftButton, {}, banner->rect().center());
        QCOMPARE(catcher.opened, (QStringList{"http://link.example/", "http://banner.example/"}));
    }

    // The window comes up without waiting for the network: the ad worker asks for its page only once it has painted.
    void advertisingStartsOnceTheWindowIsOnScreen() {
        test::HttpServer host;
        qputenv("ZUVO_AD_HOSTS", QByteArray::fromStdString(host.base() + "," + host.base()));
        struct Unset {
            ~Unset() { qunsetenv("ZUVO_AD_HOSTS"); }
        } unset;
        Trainer trainer(threeQuestions());
        // Ample time for a worker started with the window to have asked, while no event is handled.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        QCOMPARE(host.requests(kAdPagePath), 0);
        QVERIFY(QTest::qWaitForWindowExposed(&trainer.window));
        QTRY_VERIFY(host.requests(kAdPagePath) > 0);
    }

    void urlOpenerOpensOnlyWebAddresses() {
        // Every scheme is caught here, so that an address handed on wrongly would show.
        const QStringList schemes = {"http", "https", "file", "ftp", "mailto", "javascript", "smb", "data"};
        UrlCatcher catcher;
        for (const QString& scheme : schemes) QDesktopServices::setUrlHandler(scheme, &catcher, "open");
        QtPlatform platform;
        for (const char* address : {"http://a.example/x", "HTTPS://b.example/", "file:///etc/passwd",
                                    "ftp://c.example/", "mailto:a@b.example", "javascript:alert(1)", "smb://host/share",
                                    "data:text/html,<b>x</b>", "//d.example/", "e.example/f", ""}) {
            platform.openUrl(address);
        }
        for (const QString& scheme : schemes) QDesktopServices::unsetUrlHandler(scheme);
        QCOMPARE(catcher.opened, QStringList({"http://a.example/x", "https://b.example/"}));
    }

    void settingsDialogReadsSetsAndClosesWithoutBlockingTheWindow() {
        Trainer trainer(threeQuestions());
        MainWindow& window = trainer.window;
        const QString ini = QString::fromStdString(trainer.bank.dir() + "/Setting.ini");
        {
            QFile file(ini);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray::fromStdString(utf8ToGbk("[系统设置]\r\n时间间隔=5\r\n")));
        }
        SettingDialog dialog(window, trainer.platform, trainer.bank.dir() + "/");
        auto* interval = dialog.findChild<QLineEdit*>("edtInterval");
        QCOMPARE(interval->text(), QStringLiteral("5"));
        QVERIFY(!dialog.isVisible());

        window.showSettings();
        QVERIFY(dialog.isVisible() && !dialog.isModal());
        interval->setText(QStringLiteral(" 3 "));
        click(dialog.findChild<QPushButton*>("BitBtn1"));
        auto* timer = window.findChild<QTimer*>("tmrAutoWord");
        QCOMPARE(timer->interval(), 3000);
        QVERIFY(!timer->isActive());
        QFile file(ini);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray::fromStdString(utf8ToGbk("[系统设置]\r\n时间间隔=3\r\n")));
        click(dialog.findChild<QPushButton*>("BitBtn2"));
        QVERIFY(!dialog.isVisible());
    }

    // The program does not build the settings dialog at start-up: the first showing builds it, later ones reuse it.
    void settingsDialogIsBuiltWhenFirstShown() {
        Trainer trainer(threeQuestions());
        MainWindow& window = trainer.window;
        QVERIFY(!window.findChild<SettingDialog*>("frmSetting"));

        window.showSettings();
        auto* dialog = window.findChild<SettingDialog*>("frmSetting");
        QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
        click(dialog->findChild<QPushButton*>("BitBtn2"));
        QVERIFY(!dialog->isVisible());
        window.showSettings();
        QCOMPARE(window.findChildren<SettingDialog*>().size(), 1);
        QVERIFY(dialog->isVisible());
    }

    void wordListEditorAddsOneRow() {
        test::TestBank bank(threeQuestions());
        DataModule data;
        data.DataModuleCreate(bank.dir());
        QtPlatform platform;
        WordManagerDialog editor(nullptr, data, platform);
        editor.findChild<QLineEdit*>("edtWord")->setText(QStringLiteral("让行"));
        editor.findChild<QLineEdit*>("edtMean")->setText(QStringLiteral("减速让对方先行"));
        click(editor.findChild<QPushButton*>("BitBtn1"));
        data.ADOWord.setStatement(statements::allQuestions());
        data.ADOWord.open();
        QCOMPARE(data.ADOWord.recordCount(), 4);
        data.ADOWord.moveBy(3);
        QCOMPARE(decodedField(data.ADOWord, "Tm"), std::string("减速让对方先行"));
    }

    void groupItemsStartTheirModeThroughTheDialog() {
        Trainer trainer(modeQuestions());
        MainWindow& window = trainer.window;
        QVERIFY(trainer.activate());
        auto* heading = widget<QLabel>(window, "lblWord");
        auto* panel = widget<QWidget>(window, "Panel1");
        auto* command = widget<QPushButton>(window, "BtnJclt");
        auto* categories = widget<QComboBox>(window, "ComboBoxEx1");

        struct Row {
            int item;
            int type;
            const char* heading;
            const char* command;  // BtnJclt's caption when it shows
            bool categoryList;
        };
        const Row rows[] = {
            {1, 1, "【大型客车 顺序练习】，第 1 题，共 1 题", nullptr, false},
            {2, 0, "【小型汽车 随机练习】，第 1 题，共 3 题", "重新抽题(0)", false},
            {4, 0, "【小型汽车 重点练习】，第 1 题，共 1 题", "取消重点(0)", false},
            {0, 0, "【小型汽车 分类练习】，第 1 题，共 2 题", nullptr, true},
        };
        for (const Row& row : rows) {
            const DialogVisit visit = throughDialog(trainer, row.item, pickAndOk(row.type));
            QVERIFY(visit.shown);
            QCOMPARE(visit.types, QStringList({"C1〔小型汽车〕", "A1〔大型客车〕"}));
            QCOMPARE(visit.selected, 0);
            QVERIFY(!visit.hiddenButtonsShown);
            QCOMPARE(heading->text(), QString::fromUtf8(row.heading));
            QVERIFY(!panel->isVisible());
            QVERIFY(!widget<QDialog>(window, "frmSelTm")->isVisible());
            QCOMPARE(command->isVisible(), row.command != nullptr);
            if (row.command) QCOMPARE(command->text(), QString::fromUtf8(row.command));
            QCOMPARE(categories->isVisible(), row.categoryList);
            QCOMPARE(widget<QPushButton>(window, "BtnExit")->text(), QStringLiteral("结束(7)"));
            QVERIFY(widget<QLabel>(window, "Image1")->isVisible());
            QVERIFY(!widget<QLabel>(window, "LbPd")->isVisible());
            QVERIFY(!widget<QLabel>(window, "LabTime")->isVisible() &&
                    !widget<QLabel>(window, "LabTime2")->isVisible());
        }

        // The category list switches the set when the learner picks another category.
        QCOMPARE(categories->count(), 2);
        QCOMPARE(categories->itemText(0), QStringLiteral("道路交通安全法律法规"));
        categories->setFocus();
        QTest::keyClick(categories, Qt::Key_Down);
        QCOMPARE(heading->text(), QStringLiteral("【小型汽车 分类练习】，第 1 题，共 1 题"));
        QCOMPARE(widget<QLabel>(window, "lblTm")->text(), QStringLiteral("第三题"));
    }

    void cancelAndEscLeaveTheStartPicture() {
        Trainer trainer(modeQuestions());
        MainWindow& window = trainer.window;
        QVERIFY(trainer.activate());
        throughDialog(trainer, 1, pickAndOk(0));
        QVERIFY(!widget<QWidget>(window, "Panel1")->isVisible());

        bool stillOpenAfterEsc = false;
        const DialogVisit visit = throughDialog(trainer, 2, [&stillOpenAfterEsc](QDialog& dialog) {
            QTest::keyClick(widget<QComboBox>(dialog, "ComboBoxEx1"), Qt::Key_Escape);
            QTest::keyClick(widget<QComboBox>(dialog, "ComboBoxEx1"), Qt::Key_Return);
            stillOpenAfterEsc = dialog.isVisible();
            click(widget<QPushButton>(dialog, "BitBtn1"));
        });
        QVERIFY(visit.shown);
        QVERIFY(stillOpenAfterEsc);
        QVERIFY(widget<QWidget>(window, "Panel1")->isVisible());
        QCOMPARE(widget<QLabel>(window, "lblWord")->text(), QStringLiteral("【小型汽车 顺序练习】，第 1 题，共 3 题"));
    }

    void examByKeypadMarksTheWrongAnswersInTheBankFile() {
        BankSource source = threeQuestions();
        source.questions.push_back(test::trueFalse(4, "第四题", "错"));
        source.questions.push_back(test::trueFalse(5, "第五题", "对"));
        Trainer trainer(source);
        MainWindow& window = trainer.window;
        QVERIFY(trainer.activate());
        throughDialog(trainer, 3, pickAndOk(0));
        auto* heading = widget<QLabel>(window, "lblWord");
        QCOMPARE(heading->text(), QStringLiteral("【小型汽车 模拟考试】，第 1 题，共 5 题"));
        QVERIFY(widget<QLabel>(window, "LabTime2")->isVisible() && !widget<QLabel>(window, "Image1")->isVisible());
        // The first tick comes a little after the first second; the seconds are cut, not rounded.
        QVERIFY(QTest::qWaitFor([&] { return widget<QLabel>(window, "LabTime")->text().startsWith("00:44:5"); }, 2500));

        // Paper order: choice questions 1 (B) and 3 (D), then true/false 2 (对), 4 (错), 5 (对). Right, wrong,
        // right, wrong, and the last one left open; each answer moves on after the pause.
        auto* next = widget<QPushButton>(window, "BtnNext");
        const Qt::Key keys[] = {Qt::Key_2, Qt::Key_1, Qt::Key_1, Qt::Key_1};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(heading->text(), QString("【小型汽车 模拟考试】，第 %1 题，共 5 题").arg(i + 1));
            QTest::keyClick(next, keys[i], Qt::KeypadModifier);
        }
        QCOMPARE(heading->text(), QStringLiteral("【小型汽车 模拟考试】，第 5 题，共 5 题"));

        BoxCloser closer;
        QTest::keyClick(next, Qt::Key_7, Qt::KeypadModifier);
        QCOMPARE(closer.texts, QStringList({"当前还有试题未完成，您确定要交卷了吗？",
                                            "考试成绩为：2 分！\n\n回答不正确的题目将加入到重点练习题！"}));
        QCOMPARE(widget<QLabel>(window, "LbPd")->text(), QStringLiteral("错误！标准答案为： 对"));
        QCOMPARE(widget<QPushButton>(window, "BtnExit")->text(), QStringLiteral("结束(7)"));
        QCOMPARE(widget<QPushButton>(window, "BtnJclt")->text(), QStringLiteral("重新抽题(0)"));
        QVERIFY(!widget<QPushButton>(window, "BtnA")->isEnabled());
        QVERIFY(!widget<QLabel>(window, "LabTime")->isVisible());

        // The bank file itself, read through a connection of its own.
        DataModule reader;
        reader.DataModuleCreate(trainer.bank.dir());
        reader.ADOWord.reopen(statements::allQuestions());
        QStringList flags;
        for (reader.ADOWord.first(); !reader.ADOWord.eof(); reader.ADOWord.next()) {
            flags << QString::fromStdString(reader.ADOWord.fieldByName("Id") + ":" +
                                            reader.ADOWord.fieldByName("zdtm"));
        }
        QCOMPARE(flags, QStringList({"1:", "2:", "3:1", "4:1", "5:"}));
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
