// SPDX-License-Identifier: MIT
#include "ui/main_window.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QStyle>
#include <functional>
#include <tuple>

#include "ui/combo_box.h"
#include "ui/dialogs.h"
#include "ui/error_guard.h"
#include "ui/event_hook.h"
#include "ui/fonts.h"
#include "ui/group_bar.h"
#include "ui/keys.h"
#include "ui/layout.h"
#include "ui/pictures.h"

namespace zuvo {
namespace {

constexpr int kClientWidth = 792;
constexpr int kClientHeight = 536;

// Windows' inactive-caption-text grey: the number box's colour while number entry is off.
const QColor kInactiveBox(0xD4, 0xD0, 0xC8);

QString q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

MainWindow::MainWindow(DataModule& data, QtPlatform& platform, const DataFolders& folders)
    : platform_(platform), logic_(data, platform), folders_(folders) {
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString() + "/";
    if (folders_.data.empty()) folders_.data = programFolder;
    if (folders_.cache.empty()) folders_.cache = programFolder;
    setObjectName("frmMain");
    setWindowTitle(QString::fromUtf8(kProgramTitle));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    setWindowIcon(QIcon(bitmapPixmap("MAINICON")));
    build();
    connectHandlers();
    connectAdvertising();
    centreOnScreen(this);
    platform_.attach(this, [this] { sync(); });
    handle([this] { logic_.FormCreate(); });
}

void MainWindow::showSettings() {
    auto* dialog = findChild<SettingDialog*>("frmSetting");
    // Built when first shown: the start-up needs nothing of it.
    if (!dialog) {
        dialog = new SettingDialog(*this, platform_, folders_.data);
    }
    dialog->logic().form.visible = true;
    dialog->show();
    dialog->raise();
}

// The worker goes first, while everything it reports to still exists.
MainWindow::~MainWindow() {
    adWorker_.reset();
    // The hook calls into this window; the events of its own teardown must not reach it.
    delete bannerHook_;
}

template <class Handler>
void MainWindow::handle(Handler&& handler) {
    runGuarded(platform_, std::forward<Handler>(handler));
    sync();
}

QLabel* MainWindow::label(QWidget* parent, const char* name, int x, int y, int w, int h) {
    return w > 0 ? place<QLabel>(parent, name, x, y, w, h) : placeAt<QLabel>(parent, name, x, y);
}

QPushButton* MainWindow::button(const char* name, int x, int y, int w, int h) {
    auto* widget = place<QPushButton>(this, name, x, y, w, h);
    widget->setFont(designFont("MS Sans Serif"));
    return widget;
}

void MainWindow::build() {
    setFont(designFont("MS Sans Serif"));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    RzSizePanel1 = place<QFrame>(this, "RzSizePanel1", 0, 0, kClientWidth, 62);
    RzSizePanel1->setFrameShape(QFrame::StyledPanel);
    RzSizePanel1->setAutoFillBackground(true);
    ShockwaveFlash1 = label(RzSizePanel1, "ShockwaveFlash1", 0, 0, 659, 60);
    ShockwaveFlash1->setCursor(Qt::PointingHandCursor);

    RzGroupBar1 = new GroupBar(this);
    RzGroupBar1->setGeometry(0, 62, 145, 455);

    LabTime2 = label(this, "LabTime2", 216, 70);
    LabTime = label(this, "LabTime", 296, 70, 88, 13);
    QFont bold = designFont("MS Sans Serif");
    bold.setBold(true);
    LabTime->setFont(bold);

    ComboBoxEx1 = dropDownList(this, "ComboBoxEx1", 504, 67, 233, 21);

    buildQuestionBox();
    buildCommandButtons();
    buildStatusBar();
    buildStartPanel();
    setTabOrder();
}

void MainWindow::buildQuestionBox() {
    GPBox = place<QGroupBox>(this, "GPBox", 175, 91, 570, 337);
    GPBox->setFlat(true);
    GPBox->setStyleSheet("QGroupBox#GPBox { background: white; border: 1px solid #a0a0a0; margin: 0; }");

    const QFont arial = designFont("Arial");
    const QFont sans = designFont("MS Sans Serif");
    lblWord = label(GPBox, "lblWord", 24, 18, 521, 23);
    lblTm = label(GPBox, "lblTm", 24, 48, 529, 45);
    // Opaque in the question box's own white.
    lblTm->setStyleSheet("background: white;");
    lblTm->setFont(sans);
    lblWord->setFont(arial);
    for (QLabel* wrapped : {lblWord, lblTm}) {
        wrapped->setWordWrap(true);
        wrapped->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    const int optionTops[4] = {106, 154, 202, 242};
    for (int i = 0; i < 4; ++i) {
        const std::string name = "lbHD" + std::to_string(i + 1);
        lbHD[i] = label(GPBox, name.c_str(), 24, optionTops[i], 321, 32);
        lbHD[i]->setWordWrap(true);
        lbHD[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        lbHD[i]->setFont(arial);
    }
    Image2 = label(GPBox, "Image2", 360, 112, 193, 193);
    Image2->setAlignment(Qt::AlignCenter);

    QLabel* Label1 = label(GPBox, "Label1", 24, 298);
    Label1->setText(QStringLiteral("回答："));
    Label1->setFont(arial);
    Label1->adjustSize();
    // Thirteen underlined blanks at 64, 301: drawn as the line they make, since blanks carry no underline here.
    QLabel* LbDa3 = label(GPBox, "LbDa3", 64, 313, 91, 1);
    LbDa3->setStyleSheet("background: black;");
    LbDa2 = label(GPBox, "LbDa2", 72, 296, 72, 16);
    LbDa2->setFont(arial);
    Image1 = label(GPBox, "Image1", 184, 296, 22, 22);
    LbPd = label(GPBox, "LbPd", 176, 296, 72, 16);
    LbPd->setFont(arial);
    LbPd->setStyleSheet("color: red;");
    lbDA = label(GPBox, "lbDA", 24, 322);
}

void MainWindow::buildCommandButtons() {
    BtnJclt = button("BtnJclt", 195, 440, 85, 30);
    BtnA = button("BtnA", 307, 440, 85, 30);
    BtnB = button("BtnB", 419, 440, 85, 30);
    BtnC = button("BtnC", 531, 440, 85, 30);
    BtnD = button("BtnD", 643, 440, 85, 30);
    BtnTurn = button("BtnTurn", 226, 476, 54, 30);
    Label2 = label(this, "Label2", 304, 488);
    Edit1 = place<QLineEdit>(this, "Edit1", 317, 484, 52, 21);
    Edit1->setAlignment(Qt::AlignRight);
    Edit1->setFont(designFont("MS Sans Serif"));
    Label3 = label(this, "Label3", 380, 488);
    BtnPer = button("BtnPer", 419, 476, 85, 30);
    BtnNext = button("BtnNext", 531, 476, 85, 30);
    BtnExit = button("BtnExit", 643, 476, 85, 30);
    BtnAd2 = button("BtnAd2", 736, 432, 41, 25);
}

void MainWindow::connectHandlers() {
    const std::pair<QPushButton*, void (MainWindowLogic::*)()> clicks[] = {
        {BtnA, &MainWindowLogic::BtnAClick},       {BtnB, &MainWindowLogic::BtnBClick},
        {BtnC, &MainWindowLogic::BtnCClick},       {BtnD, &MainWindowLogic::BtnDClick},
        {BtnPer, &MainWindowLogic::BtnPerClick},   {BtnNext, &MainWindowLogic::BtnNextClick},
        {BtnTurn, &MainWindowLogic::BtnTurnClick}, {BtnJclt, &MainWindowLogic::BtnJcltClick},
        {BtnExit, &MainWindowLogic::BtnExitClick},
    };
    for (const auto& [widget, click] : clicks) {
        connect(widget, &QPushButton::clicked, this,
                [this, click = click] { handle([this, click] { (logic_.*click)(); }); });
    }
    constexpr void (MainWindowLogic::*groupItems[])() = {
        &MainWindowLogic::RzGroup1Items0Click, &MainWindowLogic::RzGroup1Items1Click,
        &MainWindowLogic::RzGroup1Items2Click, &MainWindowLogic::RzGroup1Items3Click,
        &MainWindowLogic::RzGroup1Items4Click};
    connect(RzGroupBar1, &GroupBar::itemClicked, this,
            [this, groupItems](int item) { handle([this, click = groupItems[item]] { (logic_.*click)(); }); });
    // Only the learner's pick switches the category; the set-up fills and selects the list without it.
    connect(ComboBoxEx1, &QComboBox::activated, this, [this](int index) {
        handle([this, index] {
            logic_.form.ComboBoxEx1.itemIndex = index;
            logic_.ComboBoxEx1Change();
        });
    });
    // The box's text belongs to the model as the learner types it; the handlers read it from there.
    connect(Edit1, &QLineEdit::textChanged, this,
            [this](const QString& text) { logic_.form.Edit1.caption = text.toStdString(); });
    // Only what the character filter lets through reaches the box: no input method composes into it.
    Edit1->setAttribute(Qt::WA_InputMethodEnabled, false);
    Edit1->installEventFilter(this);
    keyMapControls_ = {BtnNext, BtnPer, BtnA, BtnB, BtnC, BtnD, BtnTurn, BtnExit, BtnJclt, ComboBoxEx1};
    for (QWidget* control : keyMapControls_) control->installEventFilter(this);

    const std::tuple<QTimer*, const char*, std::function<void()>> timers[] = {
        {&TimerAd, "TimerAd", [this] { logic_.ads.TimerAdTimer(); }},
        {&TimerRoll, "TimerRoll", [this] { logic_.ads.TimerRollTimer(); }},
        {&tmrAutoWord, "tmrAutoWord", [this] { logic_.tmrAutoWordTimer(); }},
        {&TimerKs, "TimerKs", [this] { logic_.TimerKsTimer(); }},
    };
    for (const auto& [timer, name, tick] : timers) {
        // Children by name like every control; as members they are gone before the window deletes its children.
        timer->setParent(this);
        timer->setObjectName(name);
        connect(timer, &QTimer::timeout, this, [this, tick = tick] { handle(tick); });
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (linkEvent(watched, event)) return true;
    if (event->type() == QEvent::KeyPress) {
        auto& key = static_cast<QKeyEvent&>(*event);
        if (watched == Edit1) return numberBoxKey(key);
        if (keyMapControls_.contains(watched)) {
            const int code = virtualKeyOf(key);
            handle([this, code] { logic_.allKeyD(code); });
            // Not consumed: the control still handles the key itself.
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::numberBoxKey(QKeyEvent& event) {
    const int code = virtualKeyOf(event);
    if (code != 0) handle([this, code] { logic_.Edit1KeyDown(code); });
    // Keys without a character (arrows, Home, Delete) are not filtered, as they type nothing.
    const QList<uint> typed = event.text().toUcs4();
    if (typed.isEmpty() || typed.front() == 0x7F) return false;
    const char32_t character = typed.front();
    return logic_.Edit1KeyPress(character) == 0;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // A control's unhandled key bubbles up to here; the window's own map acts only while no control has the focus.
    // The window's own focus child counts, not the application's: without an active window that one is null.
    QWidget* focus = focusWidget();
    if (focus == nullptr || focus == this) {
        const int code = virtualKeyOf(*event);
        handle([this, code] { logic_.FormKeyDown(code); });
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (painted_) return;
    painted_ = true;
    // Queued, so that the first frame is on the screen before the worker competes with it; a window closed by then
    // has nothing to show advertising in.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (adWorker_ && isVisible()) adWorker_->Start();
        },
        Qt::QueuedConnection);
}

void MainWindow::buildStatusBar() {
    RzStatusBar1 = place<QFrame>(this, "RzStatusBar1", 0, 517, kClientWidth, 19);
    RzStatusBar1->setAutoFillBackground(true);
    struct Pane {
        const char* name;
        int x;
        int width;
        const char* text;
    };
    // Two fixed panes at the left; the link panes and the spacer stand at the right edge.
    const Pane panes[] = {{"RzStatusPane1", 0, 144, "驾驶人理论考试练习"},
                          {"RzStatusPane2", 144, 144, "祝您一次通过考试"},
                          {"RzStatusPane3", 288, 250, ""},
                          {"RzStatusPane5", 538, 250, ""},
                          {"RzStatusPane4", 788, 4, ""}};
    for (const Pane& pane : panes) {
        QLabel* widget = label(RzStatusBar1, pane.name, pane.x, 0, pane.width, 19);
        widget->setText(QString::fromUtf8(pane.text));
        widget->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (std::string(pane.name) != "RzStatusPane4") widget->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    RzStatusBar1->findChild<QLabel*>("RzStatusPane3")->setFont(linkFont());
    for (const char* name : {"LbTextLink1", "LbTextLink2"}) {
        QLabel* link = label(RzStatusBar1, name, std::string(name) == "LbTextLink1" ? 472 : 736, 0, 1, 13);
        link->setFont(linkFont());
        link->setCursor(Qt::PointingHandCursor);
        link->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        link->setMouseTracking(true);
        link->hide();
        (std::string(name) == "LbTextLink1" ? LbTextLink1 : LbTextLink2) = link;
    }
}

void MainWindow::buildStartPanel() {
    Panel1 = placeAt<QWidget>(this, "Panel1", 148, 3);
    Panel1->setAutoFillBackground(true);
    Panel1->hide();
    Image3 = label(Panel1, "Image3", 0, 0);
    Image3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image3->hide();
    // The start picture covers the question area; the banner strip and the status bar stay above it.
    Panel1->raise();
    RzSizePanel1->raise();
    RzStatusBar1->raise();
}

void MainWindow::setTabOrder() {
    const QList<QWidget*> order = {BtnNext,     BtnPer,      BtnA,    BtnB,  BtnC,    BtnD,
                                   RzGroupBar1, ComboBoxEx1, BtnTurn, Edit1, BtnExit, BtnJclt};
    for (int i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
    BtnNext->setFocus();
}

void MainWindow::apply(QLabel* widget, const Control& control) {
    const QString text = q(control.caption);
    if (widget->text() != text) {
        widget->setText(text);
        if (!widget->wordWrap() && !widget->hasScaledContents()) widget->adjustSize();
    }
    widget->setVisible(control.visible);
    widget->setEnabled(control.enabled);
}

void MainWindow::apply(QPushButton* widget, const Control& control) {
    widget->setText(q(control.caption));
    widget->setVisible(control.visible);
    widget->setEnabled(control.enabled);
}

void MainWindow::apply(QLabel* widget, const Picture& picture) {
    const Image* image = picture.image.get();
    auto& current = shown_[widget];
    if (current == image) return;
    current = image;
    widget->setPixmap(image ? toPixmap(picture.image) : QPixmap());
}

void MainWindow::sync() {
    const MainForm& f = logic_.form;
    apply(LabTime2, f.LabTime2);
    apply(LabTime, f.LabTime);
    mirror(ComboBoxEx1, f.ComboBoxEx1);
    apply(lblWord, f.lblWord);
    apply(lblTm, f.lblTm);
    const Control* options[4] = {&f.lbHD1, &f.lbHD2, &f.lbHD3, &f.lbHD4};
    for (int i = 0; i < 4; ++i) apply(lbHD[i], *options[i]);
    apply(Image2, f.Image2.picture);
    Image2->setVisible(f.Image2.visible);
    apply(LbDa2, f.LbDa2);
    apply(Image1, f.Image1.picture);
    Image1->setVisible(f.Image1.visible);
    apply(LbPd, f.LbPd);
    apply(lbDA, f.lbDA);

    apply(BtnJclt, f.BtnJclt);
    apply(BtnA, f.BtnA);
    apply(BtnB, f.BtnB);
    apply(BtnC, f.BtnC);
    apply(BtnD, f.BtnD);
    apply(BtnTurn, f.BtnTurn);
    apply(Label2, f.Label2);
    apply(Label3, f.Label3);
    if (Edit1->text() != q(f.Edit1.caption)) Edit1->setText(q(f.Edit1.caption));
    Edit1->setEnabled(f.Edit1.enabled);
    QPalette box = Edit1->palette();
    box.setColor(QPalette::Base, f.Edit1.enabled ? QColor(Qt::white) : kInactiveBox);
    box.setColor(QPalette::Disabled, QPalette::Base, kInactiveBox);
    Edit1->setPalette(box);
    apply(BtnPer, f.BtnPer);
    apply(BtnNext, f.BtnNext);
    apply(BtnExit, f.BtnExit);
    apply(BtnAd2, f.BtnAd2);

    Panel1->resize(f.Panel1.width, f.Panel1.height);
    Image3->resize(f.Image3Width, f.Image3Height);
    apply(Image3, f.Image3.picture);
    Image3->setVisible(f.Image3.visible);
    Panel1->setVisible(f.Panel1.visible);
    syncAdvertising();
    syncTimers();
}

void MainWindow::connectAdvertising() {
    logic_.ads.programFolder = folders_.cache;
    logic_.startAdWorker = [this] {
        adWorker_ = std::make_unique<TMyThread>(logic_.ads, platform_, adHosts());
        // Nothing the learner sees first comes from the network: before the first paint, the worker waits for it.
        if (painted_) adWorker_->Start();
    };
    ShockwaveFlash1->setMovie(&banner_);
    ShockwaveFlash1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (QLabel* link : {LbTextLink1, LbTextLink2}) link->installEventFilter(this);
    // Presses anywhere pass through this hook first, so one on the banner is caught before the player sees it.
    bannerHook_ = new EventHook(this, [this](QObject* watched, QEvent* event) { return bannerPress(watched, event); });
    qApp->installEventFilter(bannerHook_);
}

bool MainWindow::bannerPress(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress || !watched->isWidgetType()) return false;
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
    // Where the pointer is now decides, not where the press was reported.
    const bool overBanner = QApplication::widgetAt(QCursor::pos()) == ShockwaveFlash1;
    bool handled = false;
    handle([this, overBanner, &handled] { logic_.ads.ApplicationEvents1Message(kWmLButtonDown, overBanner, handled); });
    return handled;
}

bool MainWindow::linkEvent(QObject* watched, QEvent* event) {
    const bool first = watched == LbTextLink1;
    if (!first && watched != LbTextLink2) return false;
    AdDisplay& ads = logic_.ads;
    switch (event->type()) {
        case QEvent::MouseMove:
            handle([&ads, first] { first ? ads.LbTextLink1MouseMove() : ads.LbTextLink2MouseMove(); });
            break;
        case QEvent::Leave:
            handle([&ads, first] { first ? ads.LbTextLink1MouseLeave() : ads.LbTextLink2MouseLeave(); });
            break;
        case QEvent::MouseButtonRelease: {
            auto* release = static_cast<QMouseEvent*>(event);
            auto* link = static_cast<QLabel*>(watched);
            if (release->button() == Qt::LeftButton && link->rect().contains(release->position().toPoint())) {
                handle([&ads, first] { first ? ads.LbTextLink1Click() : ads.LbTextLink2Click(); });
            }
            break;
        }
        default:
            break;
    }
    return false;
}

void MainWindow::syncAdvertising() {
    const MainForm& f = logic_.form;
    // Flash's "Window" mode paints a background of its own; "transparent" shows the panel through.
    ShockwaveFlash1->setAutoFillBackground(f.ShockwaveFlash1.WMode != "transparent");
    if (f.ShockwaveFlash1.loads != shownBannerLoads_) {
        shownBannerLoads_ = f.ShockwaveFlash1.loads;
        banner_.stop();
        banner_.setFileName(q(f.ShockwaveFlash1.Movie));
        if (f.ShockwaveFlash1.playing) banner_.start();
    } else if (!f.ShockwaveFlash1.playing && banner_.state() == QMovie::Running) {
        banner_.stop();
    }

    const std::pair<QLabel*, const LinkLabel*> links[] = {{LbTextLink1, &f.LbTextLink1}, {LbTextLink2, &f.LbTextLink2}};
    for (const auto& [widget, model] : links) {
        if (widget->text() != q(model->caption)) widget->setText(q(model->caption));
        widget->setToolTip(q(model->hint));
        widget->setGeometry(model->left, model->top, model->width, model->height);
        auto look = shownLook_.find(widget);
        if (look == shownLook_.end() || look->second != model->look) {
            shownLook_[widget] = model->look;
            switch (model->look) {
                case LinkLook::Black:
                    widget->setStyleSheet("color: black;");
                    break;
                case LinkLook::Hover:
                    widget->setStyleSheet("color: rgb(0, 128, 255); text-decoration: underline;");
                    break;
                case LinkLook::WindowText:
                    widget->setStyleSheet("");
                    break;
            }
        }
        widget->setVisible(model->visible);
    }
}

void MainWindow::syncTimers() {
    const MainForm& f = logic_.form;
    const std::pair<QTimer*, const TimerState*> timers[] = {
        {&TimerAd, &f.TimerAd}, {&TimerRoll, &f.TimerRoll}, {&tmrAutoWord, &f.tmrAutoWord}, {&TimerKs, &f.TimerKs}};
    for (const auto& [timer, model] : timers) {
        // A new period takes effect at once; switching on a timer that runs already does not restart it.
        if (timer->interval() != model->interval) timer->setInterval(model->interval);
        if (model->enabled && !timer->isActive()) {
            timer->start();
        } else if (!model->enabled && timer->isActive()) {
            timer->stop();
        }
    }
}

}  // namespace zuvo
