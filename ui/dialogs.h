// SPDX-License-Identifier: MIT
// The three dialogs the entry creates after the main window: their layouts, under their designer names. Each
// stays hidden until something shows it; their commands arrive with the features they serve.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <string>

#include "core/sel_tm.h"
#include "core/setting.h"
#include "core/word_manager.h"
#include "ui/qt_platform.h"

namespace zuvo {

class MainWindow;

// A dialog whose handlers change the main window's model too: after each, both are brought in line with it.
class FormDialog : public QDialog {
  protected:
    FormDialog(MainWindow& main, QtPlatform& platform);
    // Runs handler through the general error handler, then mirrors the dialog and the main window.
    template <class Handler>
    void handle(Handler&& handler);
    virtual void sync() = 0;

    MainWindow& main_;
    QtPlatform& platform_;
};

// frmSetting: the auto-advance interval. Reads Setting.ini from folder when it is created.
class SettingDialog : public FormDialog {
    Q_OBJECT
  public:
    SettingDialog(MainWindow& main, QtPlatform& platform, const std::string& folder);
    SettingLogic& logic() { return logic_; }

  private:
    void sync() override;

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

// frmSelTm: the exam-type choice before every run. The group bar shows it modally through its logic.
class SelTmDialog : public FormDialog {
    Q_OBJECT
  public:
    SelTmDialog(MainWindow& main, QtPlatform& platform);
    ~SelTmDialog() override;

  protected:
    // Neither button answers Enter or Esc; closing by the window manager counts as Cancel.
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

  private:
    void sync() override;

    SelTmLogic& logic_;
    QComboBox* ComboBoxEx1 = nullptr;
};

}  // namespace zuvo
