// SPDX-License-Identifier: MIT
// The three dialogs the entry creates after the main window: their layouts, under their designer names. Each
// stays hidden until something shows it; their commands arrive with the features they serve.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <string>

#include "core/setting.h"
#include "core/word_manager.h"
#include "ui/qt_platform.h"

namespace zuvo {

class MainWindow;

// frmSetting: the auto-advance interval. Reads Setting.ini from folder when it is created.
class SettingDialog : public QDialog {
    Q_OBJECT
  public:
    SettingDialog(MainWindow& main, QtPlatform& platform, const std::string& folder);
    SettingLogic& logic() { return logic_; }

  private:
    template <class Handler>
    void handle(Handler&& handler);
    void sync();

    MainWindow& main_;
    QtPlatform& platform_;
    SettingLogic logic_;
    QLineEdit* edtInterval = nullptr;
};

// frmWordManager: adds a word and its meaning to the bank.
class WordManagerDialog : public QDialog {
    Q_OBJECT
  public:
    WordManagerDialog(QWidget* parent, DataModule& data, QtPlatform& platform);
    WordManagerLogic& logic() { return logic_; }

  private:
    template <class Handler>
    void handle(Handler&& handler);

    QtPlatform& platform_;
    WordManagerLogic logic_;
};

// frmSelTm: the exam-type choice before every run.
class SelTmDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SelTmDialog(QWidget* parent);
};

}  // namespace zuvo
