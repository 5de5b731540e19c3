// SPDX-License-Identifier: MIT
// The main window: the layout of frmMain, every widget under its designer name, each event forwarded to the
// logic's handler of that name, and the widgets brought in line with the logic's model after every handler.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>

#include "ads/ad_worker.h"
#include "bank/data_module.h"
#include "core/data_folders.h"
#include "core/main_window.h"
#include "ui/qt_platform.h"

namespace zuvo {

class GroupBar;

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    // Builds the window and runs its creation handler, as the program's second form. Setting.ini is kept in
    // folders.data and banner files in folders.cache (each ending in a separator); by default both in the program's
    // own folder.
    MainWindow(DataModule& data, QtPlatform& platform, const DataFolders& folders = {});
    ~MainWindow() override;

    MainWindowLogic& logic() { return logic_; }
    void sync();
    // Shows the settings dialog, built on first use, without making it modal. No control of the window calls it.
    void showSettings();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    template <class Handler>
    void handle(Handler&& handler);

    void build();
    void buildQuestionBox();
    void buildCommandButtons();
    void buildStatusBar();
    void buildStartPanel();
    void setTabOrder();
    void connectHandlers();
    // The number box's own keys: Enter jumps, and its character filter drops what a number cannot hold.
    bool numberBoxKey(QKeyEvent& event);
    void connectAdvertising();
    bool linkEvent(QObject* watched, QEvent* event);
    bool bannerPress(QObject* watched, QEvent* event);
    void syncAdvertising();
    void syncTimers();

    QLabel* label(QWidget* parent, const char* name, int x, int y, int w = 0, int h = 0);
    QPushButton* button(const char* name, int x, int y, int w, int h);
    void apply(QLabel* widget, const Control& control);
    void apply(QPushButton* widget, const Control& control);
    void apply(QLabel* widget, const Picture& picture);

    QtPlatform& platform_;
    MainWindowLogic logic_;

    QFrame* RzSizePanel1 = nullptr;
    QLabel* ShockwaveFlash1 = nullptr;
    GroupBar* RzGroupBar1 = nullptr;
    QLabel* LabTime2 = nullptr;
    QLabel* LabTime = nullptr;
    QComboBox* ComboBoxEx1 = nullptr;
    QGroupBox* GPBox = nullptr;
    QLabel* lblWord = nullptr;
    QLabel* lblTm = nullptr;
    QLabel* lbHD[4] = {};
    QLabel* Image2 = nullptr;
    QLabel* LbDa2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* LbPd = nullptr;
    QLabel* lbDA = nullptr;
    QPushButton* BtnJclt = nullptr;
    QPushButton* BtnA = nullptr;
    QPushButton* BtnB = nullptr;
    QPushButton* BtnC = nullptr;
    QPushButton* BtnD = nullptr;
    QPushButton* BtnTurn = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* BtnPer = nullptr;
    QPushButton* BtnNext = nullptr;
    QPushButton* BtnExit = nullptr;
    QPushButton* BtnAd2 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Image3 = nullptr;
    QFrame* RzStatusBar1 = nullptr;
    QLabel* LbTextLink1 = nullptr;
    QLabel* LbTextLink2 = nullptr;
    QTimer TimerAd;
    QTimer TimerRoll;
    QTimer tmrAutoWord;
    QTimer TimerKs;
    QMovie banner_;
    unsigned shownBannerLoads_ = 0;

    // The controls whose key-down runs the keypad commands; the number box, the group bar and the banner do not.
    QList<QWidget*> keyMapControls_;
    // The picture each label shows, so that a sync converts only what changed.
    std::map<QLabel*, const Image*> shown_;
    std::map<QLabel*, LinkLook> shownLook_;
    QObject* bannerHook_ = nullptr;
    bool painted_ = false;
    DataFolders folders_;
    // Declared last: it is stopped before anything it hands its results to goes away.
    std::unique_ptr<TMyThread> adWorker_;
};

}  // namespace zuvo
